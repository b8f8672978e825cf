// Path text helpers. The native separator is '/'; a network path begins with two separators
// ("//server/share/..."); a drive root keeps its trailing separator.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

constexpr char kSeparator = '/';
// The longest path the system's file calls take, in bytes.
constexpr size_t kMaxPathLength = 4095;

bool EndsWithSeparator(const std::string& path);
// The path with one separator appended unless it already ends with one.
std::string WithTrailingSeparator(const std::string& path);
// The path without its trailing separators; the root "/" stays as it is.
std::string WithoutTrailingSeparators(std::string path);
// Joins a folder and a name with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// The text after the last separator (the whole path when there is none).
std::string AfterLastSeparator(const std::string& path);
// The text before the last separator (empty when there is none).
std::string BeforeLastSeparator(const std::string& path);
// The folder that holds path: the text before the last separator, "/" for an entry of the
// root folder, "." for a bare name.
std::string ContainingFolder(const std::string& path);
bool IsNetworkPath(const std::string& path);

// Whether name can stand as one entry of a folder when it is joined to that folder's path: not
// empty, not "." or "..", and free of separators and control characters. Every name that comes
// from outside the program's own making (a medium's files, a volume label, a stored file) must
// pass before it becomes part of a path, or it could lead the path out of its folder.
bool IsPlainComponent(const std::string& name);
// Whether path lies below folder once "." and ".." are resolved lexically (the folders are not
// looked at): strictly below, or below or the folder itself.
bool IsStrictlyBelow(const std::string& path, const std::string& folder);
bool IsSameOrBelow(const std::string& path, const std::string& folder);

}  // namespace tv
