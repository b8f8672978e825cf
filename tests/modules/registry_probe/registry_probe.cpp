// Reads or writes a key below HKEY_CURRENT_USER with the registry calls alone, in a process of
// its own, as another program or the next start of this one would.
//   registry_probe dump KEY OUT   one line per section key and per value into OUT, sorted:
//                                 "section" and "section<TAB>name<TAB>TYPE<TAB>data"
//   registry_probe write KEY      the values the store's reading test expects
#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text, size_t length) {
    if (length == 0) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::string Hex(const BYTE* data, DWORD size) {
    std::string out;
    char digits[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(digits, sizeof(digits), i == 0 ? "%02x" : ",%02x", data[i]);
        out += digits;
    }
    return out;
}

std::string Data(DWORD type, const BYTE* data, DWORD size) {
    switch (type) {
        case REG_DWORD: {
            DWORD number = 0;
            if (size == sizeof(number))
                std::copy(data, data + size, reinterpret_cast<BYTE*>(&number));
            char text[32];
            std::snprintf(text, sizeof(text), "REG_DWORD\t%08lx",
                          static_cast<unsigned long>(number));
            return text;
        }
        case REG_SZ: {
            // The stored bytes are shown whole, the terminating zero as "\0".
            const auto* text = reinterpret_cast<const wchar_t*>(data);
            size_t length = size / sizeof(wchar_t);
            const bool terminated = length > 0 && text[length - 1] == L'\0';
            return "REG_SZ\t" + Utf8(text, terminated ? length - 1 : length) +
                   (terminated ? "\\0" : "");
        }
        case REG_BINARY:
            return "REG_BINARY\t" + Hex(data, size);
        default:
            return "type " + std::to_string(type);
    }
}

void DumpSection(HKEY key, const std::string& section, std::vector<std::string>* lines) {
    lines->push_back(section);
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        BYTE data[65536];
        DWORD type = 0, size = sizeof(data);
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            return;
        }
        lines->push_back(section + "\t" + Utf8(name, nameLength) + "\t" + Data(type, data, size));
    }
}

int Dump(const wchar_t* keyName, const wchar_t* outName) {
    HKEY root;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &root) != ERROR_SUCCESS) return 2;
    std::vector<std::string> lines;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(root, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        HKEY section;
        if (RegOpenKeyExW(root, name, 0, KEY_READ, &section) != ERROR_SUCCESS) return 3;
        DumpSection(section, Utf8(name, nameLength), &lines);
        RegCloseKey(section);
    }
    RegCloseKey(root);
    std::sort(lines.begin(), lines.end());
    FILE* out = _wfopen(outName, L"wb");
    if (out == nullptr) return 4;
    for (const std::string& line : lines) std::fprintf(out, "%s\n", line.c_str());
    return std::fclose(out) == 0 ? 0 : 5;
}

bool Set(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

int Write(const wchar_t* keyName) {
    const std::wstring sectionName = std::wstring(keyName) + L"\\Mirroring";
    HKEY section;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionName.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &section, nullptr) != ERROR_SUCCESS) {
        return 2;
    }
    const DWORD interval = 1439;
    const wchar_t folder[] = L"C:\\同期先";
    const wchar_t unterminated[] = {L'a', L'b'};
    const BYTE bytes[] = {0x88, 0xd1, 0x00, 0x02};
    const wchar_t expandable[] = L"%TEMP%";
    const unsigned long long wide = 7;
    const bool written =
        Set(section, L"MirrorInterval", REG_DWORD, &interval, sizeof(interval)) &&
        Set(section, L"SynchroDirectory", REG_SZ, folder, sizeof(folder)) &&
        Set(section, L"Unterminated", REG_SZ, unterminated, sizeof(unterminated)) &&
        Set(section, L"Pass2", REG_BINARY, bytes, sizeof(bytes)) &&
        Set(section, L"Expandable", REG_EXPAND_SZ, expandable, sizeof(expandable)) &&
        Set(section, L"Wide", REG_QWORD, &wide, sizeof(wide)) &&
        Set(section, L"ShortDword", REG_DWORD, bytes, 2);
    RegCloseKey(section);
    return written ? 0 : 3;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr || count < 3) return 1;
    const std::wstring mode = args[1];
    if (mode == L"dump" && count == 4) return Dump(args[2], args[3]);
    if (mode == L"write" && count == 3) return Write(args[2]);
    return 1;
}
