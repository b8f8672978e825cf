#include "platform/windows/wide_text.h"

#include <algorithm>
#include <climits>

#include "platform/windows/win32.h"

namespace tv::detail {
namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// GetFullPathNameW resolves "." and "..", which a \\?\ path passes to the file system as names.
std::wstring FullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (size > 0) {
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
        if (length == 0) break;
        if (length < size) {
            full.resize(length);
            return full;
        }
        size = length;
    }
    return path;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const wchar_t* text, size_t length) {
    if (length == 0 || length > INT_MAX) return std::string();
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), text.size());
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide = WideFromUtf8(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.empty() || StartsWith(wide, kLongPrefix)) return wide;
    wide = FullPath(wide);
    if (StartsWith(wide, L"\\\\")) return kLongUncPrefix + wide.substr(2);
    return kLongPrefix + wide;
}

std::string ProgramPath(const std::wstring& path) {
    std::wstring plain = path;
    if (StartsWith(plain, kLongUncPrefix)) {
        plain = L"\\\\" + plain.substr(std::wcslen(kLongUncPrefix));
    } else if (StartsWith(plain, kLongPrefix)) {
        plain = plain.substr(std::wcslen(kLongPrefix));
    }
    std::replace(plain.begin(), plain.end(), L'\\', L'/');
    return Utf8FromWide(plain);
}

}  // namespace tv::detail
