// The registry store's values in the registry itself: one key per section below the store's key
// under HKEY_CURRENT_USER, each value with its own type.
#include <algorithm>
#include <map>
#include <vector>

#include "platform/registry_backing.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

constexpr wchar_t kProgramKey[] = L"Software\\OstrelSystem\\TessaravineNext";
// Far beyond any value of the program; a larger one is not ours and is not read into memory.
constexpr DWORD kMaxValueBytes = 16 * 1024 * 1024;
// The longest key name the registry has, in characters.
constexpr DWORD kMaxKeyNameLength = 255;

class Key {
  public:
    Key() = default;
    ~Key() {
        if (handle_ != nullptr) RegCloseKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* out() { return &handle_; }
    HKEY handle() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

std::wstring SectionKey(const std::string& location, const std::string& section) {
    return detail::WideFromUtf8(location) + L"\\" + detail::WideFromUtf8(section);
}

// A REG_SZ holds its terminating zero; one that was stored without it is taken as it is.
std::string TextOf(const std::vector<BYTE>& data, DWORD size) {
    size_t length = size / sizeof(wchar_t);
    const auto* text = reinterpret_cast<const wchar_t*>(data.data());
    if (length > 0 && text[length - 1] == L'\0') --length;
    return detail::Utf8FromWide(text, length);
}

// The value as the store holds it; false for a type that is not one of the store's.
bool StoredValue(DWORD type, const std::vector<BYTE>& data, DWORD size, RegistryValue* value) {
    switch (type) {
        case REG_DWORD:
            if (size != sizeof(DWORD)) return false;
            value->type = RegistryValue::Type::Dword;
            value->dword = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                           static_cast<uint32_t>(data[2]) << 16 |
                           static_cast<uint32_t>(data[3]) << 24;
            return true;
        case REG_SZ:
            value->type = RegistryValue::Type::String;
            value->text = TextOf(data, size);
            return true;
        case REG_BINARY:
            value->type = RegistryValue::Type::Binary;
            value->text.assign(reinterpret_cast<const char*>(data.data()), size);
            return true;
        default:
            return false;
    }
}

bool ReadValues(HKEY key, std::map<std::string, RegistryValue>* values) {
    DWORD count = 0, longestName = 0, largestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(std::min(largestData, kMaxValueBytes) + sizeof(wchar_t));
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = longestName + 1;
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result =
            RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) continue;  // too large to be the program's
        if (result != ERROR_SUCCESS) return false;
        RegistryValue value;
        if (StoredValue(type, data, size, &value)) {
            (*values)[detail::Utf8FromWide(name.data(), nameLength)] = value;
        }
    }
    return true;
}

LONG WriteValue(HKEY key, const std::string& name, const RegistryValue& value) {
    const std::wstring wideName = detail::WideFromUtf8(name);
    switch (value.type) {
        case RegistryValue::Type::Dword: {
            const DWORD number = value.dword;
            return RegSetValueExW(key, wideName.c_str(), 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&number), sizeof(number));
        }
        case RegistryValue::Type::String: {
            const std::wstring text = detail::WideFromUtf8(value.text);
            const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
            return RegSetValueExW(key, wideName.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()), size);
        }
        case RegistryValue::Type::Binary:
            return RegSetValueExW(key, wideName.c_str(), 0, REG_BINARY,
                                  reinterpret_cast<const BYTE*>(value.text.data()),
                                  static_cast<DWORD>(value.text.size()));
    }
    return ERROR_INVALID_PARAMETER;
}

bool DeleteValue(HKEY key, const std::string& name) {
    const LONG result = RegDeleteValueW(key, detail::WideFromUtf8(name).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool WriteSection(const std::string& location, const std::string& section,
                  const std::map<std::string, RegistryValue>& values,
                  const RegistryChanges& changes) {
    Key key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(location, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    auto change = changes.values.lower_bound({section, std::string()});
    for (; change != changes.values.end() && change->first == section; ++change) {
        const auto held = values.find(change->second);
        const bool written = held == values.end() ? DeleteValue(key.handle(), change->second)
                                                  : WriteValue(key.handle(), held->first,
                                                               held->second) == ERROR_SUCCESS;
        if (!written) return false;
    }
    return true;
}

}  // namespace

std::string DefaultRegistryLocation(const std::string& /*configDir*/) {
    return detail::Utf8FromWide(kProgramKey);
}

bool RegistryLocationExists(const std::string& location) {
    Key key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, detail::WideFromUtf8(location).c_str(), 0, KEY_READ,
                         key.out()) == ERROR_SUCCESS;
}

bool MoveRegistryLocation(const std::string& location, const std::string& keptAs) {
    const std::wstring from = detail::WideFromUtf8(location);
    const std::wstring to = detail::WideFromUtf8(keptAs);
    Key source;
    Key copy;
    DWORD made = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, source.out()) !=
            ERROR_SUCCESS ||
        RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, copy.out(), &made) != ERROR_SUCCESS) {
        return false;
    }
    if (made != REG_CREATED_NEW_KEY) return false;
    if (RegCopyTreeW(source.handle(), nullptr, copy.handle()) != ERROR_SUCCESS) {
        RegDeleteTreeW(HKEY_CURRENT_USER, to.c_str());
        return false;
    }
    return RegDeleteTreeW(HKEY_CURRENT_USER, from.c_str()) == ERROR_SUCCESS;
}

namespace detail {

bool ReadRegistry(const std::string& location, RegistrySections* sections) {
    Key root;
    const LONG opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, WideFromUtf8(location).c_str(), 0, KEY_READ, root.out());
    if (opened == ERROR_FILE_NOT_FOUND) {
        sections->clear();
        return true;
    }
    if (opened != ERROR_SUCCESS) return false;
    RegistrySections read;
    wchar_t name[kMaxKeyNameLength + 1];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = kMaxKeyNameLength + 1;
        const LONG result = RegEnumKeyExW(root.handle(), index, name, &nameLength, nullptr, nullptr,
                                          nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) return false;
        Key section;
        if (RegOpenKeyExW(root.handle(), name, 0, KEY_READ, section.out()) != ERROR_SUCCESS) {
            return false;
        }
        const std::string sectionName = Utf8FromWide(name, nameLength);
        if (!IsValidRegistrySectionName(sectionName) ||
            !ReadValues(section.handle(), &read[sectionName])) {
            return false;
        }
    }
    *sections = std::move(read);
    return true;
}

// Only what changed is written, as the program on Windows always has: a value at a time.
bool WriteRegistry(const std::string& location, const RegistrySections& sections,
                   const RegistryChanges& changes) {
    static const std::map<std::string, RegistryValue> kNoValues;
    for (const std::string& section : changes.sections) {
        const auto held = sections.find(section);
        const auto& values = held == sections.end() ? kNoValues : held->second;
        if (!WriteSection(location, section, values, changes)) return false;
    }
    return true;
}

}  // namespace detail
}  // namespace tv
