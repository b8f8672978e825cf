// The REGEDIT4 text of the registry file: writing it, and reading it back strictly.
//
// Texts are UTF-8 inside double quotes with \\ for a backslash and \" for a quote. A text that
// holds a line end keeps it as \r or \n, so a value can never break the line structure of the
// file. The unnamed value of a key is written @, as regedit does. Long hex lists may be
// continued on the next line after ",\" when read. Anything else that does not parse (another
// key, another value type, a stray line) rejects the whole file.
#include <cstdio>

#include "platform/registry_store.h"
#include "platform/text_file.h"

namespace tv {
namespace {

constexpr const char* kHeader = "REGEDIT4";
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kDwordPrefix = "dword:";
constexpr const char* kHexPrefix = "hex:";
constexpr size_t kMaxDwordDigits = 8;

std::string SectionKey(const std::string& section) {
    return std::string(kRegistryKey) + "\\" + section;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

std::string ValueName(const std::string& name) { return name.empty() ? "@" : Quoted(name); }

std::string HexList(const std::string& bytes) {
    std::string out;
    char digits[3];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof(digits), "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0) out += ',';
        out += digits;
    }
    return out;
}

std::string ValueData(const RegistryValue& value) {
    switch (value.type) {
        case RegistryValue::Type::Dword: {
            char digits[9];
            std::snprintf(digits, sizeof(digits), "%08x", static_cast<unsigned>(value.dword));
            return kDwordPrefix + std::string(digits);
        }
        case RegistryValue::Type::Binary:
            return kHexPrefix + HexList(value.text);
        case RegistryValue::Type::String:
            return Quoted(value.text);
    }
    return std::string();
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string TrimBlanks(const std::string& line) {
    constexpr const char* kBlanks = " \t\r";
    const auto first = line.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted text starting at line[*pos] (the opening quote); leaves *pos after the
// closing quote. False on a missing quote, an unknown escape or a line that ends inside.
bool ParseQuoted(const std::string& line, size_t* pos, std::string* text) {
    if (*pos >= line.size() || line[*pos] != '"') return false;
    std::string out;
    for (size_t i = *pos + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            *pos = i + 1;
            *text = out;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size()) return false;
        switch (line[i]) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            default:
                return false;
        }
    }
    return false;
}

bool ParseDword(const std::string& digits, uint32_t* value) {
    if (digits.empty() || digits.size() > kMaxDwordDigits) return false;
    uint32_t result = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return false;
        result = result << 4 | static_cast<uint32_t>(digit);
    }
    *value = result;
    return true;
}

// "aa,bb,00": every byte exactly two hex digits; an empty list is an empty value.
bool ParseHexList(const std::string& list, std::string* bytes) {
    std::string out;
    for (size_t pos = 0; pos < list.size(); pos += 3) {
        if (pos + 2 > list.size()) return false;
        const int high = HexDigitValue(list[pos]);
        const int low = HexDigitValue(list[pos + 1]);
        if (high < 0 || low < 0) return false;
        const bool last = pos + 2 == list.size();
        if (!last && list[pos + 2] != ',') return false;
        out += static_cast<char>(high << 4 | low);
        if (!last && pos + 3 == list.size()) return false;  // a trailing comma
    }
    *bytes = out;
    return true;
}

// Walks the lines of one file and collects its sections; any line it cannot place fails it.
class Parser {
  public:
    explicit Parser(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    bool Run() {
        if (lines_.empty() || TrimBlanks(lines_[0]) != kHeader) return false;
        for (next_ = 1; next_ < lines_.size();) {
            const std::string line = TrimBlanks(lines_[next_++]);
            if (!ParseLine(line)) return false;
        }
        return true;
    }

    const RegistrySections& sections() const { return sections_; }

  private:
    bool ParseLine(const std::string& line) {
        if (line.empty() || line[0] == ';') return true;  // blank lines and comments
        if (line[0] == '[') return ParseKeyLine(line);
        if (line[0] == '"' || line[0] == '@') return ParseValueLine(line);
        return false;
    }

    bool ParseKeyLine(const std::string& line) {
        if (line.back() != ']') return false;
        const std::string key = line.substr(1, line.size() - 2);
        if (key == kRegistryKey) {
            section_ = nullptr;  // the key itself holds no values of ours
            return true;
        }
        const std::string prefix = std::string(kRegistryKey) + "\\";
        if (!StartsWith(key, prefix)) return false;
        const std::string name = key.substr(prefix.size());
        if (!IsValidRegistrySectionName(name)) return false;
        section_ = &sections_[name];
        return true;
    }

    bool ParseValueLine(const std::string& line) {
        if (section_ == nullptr) return false;
        std::string name;  // "@" stands for the unnamed value
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (!ParseQuoted(line, &pos, &name)) {
            return false;
        }
        if (pos >= line.size() || line[pos] != '=') return false;
        RegistryValue value;
        if (!ParseData(line.substr(pos + 1), &value)) return false;
        (*section_)[name] = value;
        return true;
    }

    bool ParseData(const std::string& data, RegistryValue* value) {
        if (StartsWith(data, "\"")) {
            size_t pos = 0;
            value->type = RegistryValue::Type::String;
            return ParseQuoted(data, &pos, &value->text) && pos == data.size();
        }
        if (StartsWith(data, kDwordPrefix)) {
            value->type = RegistryValue::Type::Dword;
            return ParseDword(data.substr(std::string(kDwordPrefix).size()), &value->dword);
        }
        if (StartsWith(data, kHexPrefix)) {
            value->type = RegistryValue::Type::Binary;
            std::string list = data.substr(std::string(kHexPrefix).size());
            return JoinContinuedLines(&list) && ParseHexList(list, &value->text);
        }
        return false;
    }

    // A hex list that ends in a backslash goes on at the next line.
    bool JoinContinuedLines(std::string* list) {
        while (!list->empty() && list->back() == '\\') {
            if (next_ >= lines_.size()) return false;
            list->pop_back();
            *list += TrimBlanks(lines_[next_++]);
        }
        return true;
    }

    std::vector<std::string> lines_;
    size_t next_ = 0;
    RegistrySections sections_;
    std::map<std::string, RegistryValue>* section_ = nullptr;
};

}  // namespace

bool IsValidRegistrySectionName(const std::string& name) {
    return !name.empty() && IsValidUtf8(name) && name.find_first_of("\\\r\n") == std::string::npos;
}

std::string RegistryStore::Serialize(const RegistrySections& sections) {
    std::string out = std::string(kHeader) + kLineEnd + kLineEnd;
    out += std::string("[") + kRegistryKey + "]" + kLineEnd + kLineEnd;
    for (const auto& [section, values] : sections) {
        out += "[" + SectionKey(section) + "]" + kLineEnd;
        for (const auto& [name, value] : values) {
            out += ValueName(name) + "=" + ValueData(value) + kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

bool RegistryStore::Parse(const std::string& text, RegistrySections* out) {
    const bool marked = StartsWith(text, kUtf8ByteOrderMark);
    Parser parser(SplitTextLines(marked ? text.substr(3) : text));
    if (!parser.Run()) return false;
    *out = parser.sections();
    return true;
}

}  // namespace tv
