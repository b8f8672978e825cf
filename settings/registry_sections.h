// The sections of the program's registry key that hold the settings.
#pragma once

namespace tv {

constexpr const char* kSectionDirectory = "Directory";
constexpr const char* kSectionMirroring = "Mirroring";
constexpr const char* kSectionNetwork = "Network";
constexpr const char* kSectionSound = "Sound";

}  // namespace tv
