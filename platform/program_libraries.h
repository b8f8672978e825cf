// The file names of the libraries the program loads from its own folders, as each system's
// build names them.
#pragma once

namespace tv {

#ifdef _WIN32
inline constexpr const char* kIdleLibraryName = "idletime.dll";
inline constexpr const char* kCardProbeLibraryName = "CardProbe.dll";
#else
inline constexpr const char* kIdleLibraryName = "idletime.so";
inline constexpr const char* kCardProbeLibraryName = "libcardprobe.so";
#endif

}  // namespace tv
