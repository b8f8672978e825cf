// UTF-8, the program's text, to the UTF-16 of the Win32 calls and back, and the program's paths
// ('/' separated, "C:/…" or "//server/share/…") in the form the wide file calls take.
#pragma once

#include <string>

namespace tv::detail {

// Invalid UTF-8 or UTF-16 comes out with U+FFFD in place of what could not be converted.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, size_t length);
std::string Utf8FromWide(const std::wstring& text);

// The path as a file call takes it: backslashes, made absolute, and with the \\?\ prefix
// ("\\?\UNC\server\share\…" for a network path) so that it may be longer than MAX_PATH.
std::wstring WidePath(const std::string& path);
// A path a Win32 call returned, in the program's form: '/' separated, without a \\?\ prefix.
std::string ProgramPath(const std::wstring& path);

}  // namespace tv::detail
