// The recordings of the voice guidance, in the folder "voice" of the install folder.
#pragma once

#include "controller/removable/media_host.h"

namespace tv {

inline constexpr const char* kVoiceFolder = "voice";
inline constexpr const char* kVoiceStartBackup = "20_start_backup.mp3";
inline constexpr const char* kVoiceStartMirroring = "21_start_mirroring.mp3";

// Plays a recording of the voice folder; a missing file or sound device is silent.
void PlayVoice(MediaHost& host, const char* fileName, bool wait);

// The recording that tells how a removable run ended.
const char* EndVoiceFile(bool mirroring, bool hadError);

}  // namespace tv
