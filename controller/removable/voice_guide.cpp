#include "controller/removable/voice_guide.h"

#include "platform/paths.h"

namespace tv {

void PlayVoice(MediaHost& host, const char* fileName, bool wait) {
    const std::string folder =
        JoinPath(host.runs().runServices().locations.installDir, kVoiceFolder);
    host.voice().Play(JoinPath(folder, fileName), wait);
}

const char* EndVoiceFile(bool mirroring, bool hadError) {
    if (mirroring) return hadError ? "19_error_mirroring.mp3" : "18_mirroring_oky.mp3";
    return hadError ? "17_error_backup.mp3" : "16_backup_oky.mp3";
}

}  // namespace tv
