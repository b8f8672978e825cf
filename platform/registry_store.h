// The registry key of the program. On Windows it is the key itself, below HKEY_CURRENT_USER;
// on Linux it stands in as one REGEDIT4 text file (mode 0600) in the config folder. Values are
// REG_DWORD (dword:0000005a), REG_SZ ("text" with \\ and \") and REG_BINARY (hex:aa,bb). Every
// write reaches the registry at once (the file is rewritten whole through a temporary file that
// is renamed over the old one), unless a Batch is open, which writes once when it ends.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tv {

// The key under HKEY_CURRENT_USER that holds the program's sections.
constexpr const char* kRegistryKey = "HKEY_CURRENT_USER\\Software\\OstrelSystem\\TessaravineNext";
constexpr const char* kRegistryFileName = "TessaravineNext.reg";

struct RegistryValue {
    enum class Type { Dword, String, Binary };
    Type type = Type::String;
    uint32_t dword = 0;
    std::string text;  // String: the text; Binary: the bytes
    bool operator==(const RegistryValue& o) const {
        return type == o.type && dword == o.dword && text == o.text;
    }
};

// Section name -> value name -> value.
using RegistrySections = std::map<std::string, std::map<std::string, RegistryValue>>;

// What changed since the registry last had every value: sections made, values set or deleted
// (a changed value that the sections no longer hold was deleted).
struct RegistryChanges {
    std::set<std::string> sections;
    std::set<std::pair<std::string, std::string>> values;
    bool empty() const { return sections.empty() && values.empty(); }
};

// Where the program's values are kept unless told otherwise: on Windows its key below
// HKEY_CURRENT_USER ("Software\\OstrelSystem\\TessaravineNext"), on Linux the file of the
// config folder.
std::string DefaultRegistryLocation(const std::string& configDir);
// Whether anything is kept at a location: the file, or the key.
bool RegistryLocationExists(const std::string& location);
// Moves what is kept at location, whole, to keptAs, where nothing may be kept yet: the file is
// renamed, the key copied with everything below it and then deleted. False when it could not be
// moved; location then still holds it.
bool MoveRegistryLocation(const std::string& location, const std::string& keptAs);

// A section is one key below kRegistryKey: a non-empty UTF-8 name without a backslash or a
// line end.
bool IsValidRegistrySectionName(const std::string& name);

class RegistryStore {
  public:
    // path: where the values are kept (normally DefaultRegistryLocation()): on Windows a key
    // below HKEY_CURRENT_USER, backslash-separated; on Linux the .reg file.
    explicit RegistryStore(std::string path);

    // Reads every section. A missing key or file is an empty store (true). A damaged file is
    // rejected whole (false) and the values already held are kept; in the registry, values of
    // other types than the three are not the program's and are passed over.
    bool Load();

    // Reads leave *value alone and return false when the value is absent or of another type.
    // Reading a section creates it, as on Windows: the file is rewritten at once with the empty
    // section (or when the open batch ends).
    bool ReadDword(const std::string& section, const std::string& name, uint32_t* value);
    bool ReadString(const std::string& section, const std::string& name, std::string* value);
    bool ReadBinary(const std::string& section, const std::string& name, std::string* bytes);

    // Writes fail (false) for an invalid section name, and for a value name or a text that is
    // not UTF-8. The value is held even when the registry cannot be written; false tells so.
    bool WriteDword(const std::string& section, const std::string& name, uint32_t value);
    bool WriteString(const std::string& section, const std::string& name, const std::string& value);
    bool WriteBinary(const std::string& section, const std::string& name, const std::string& bytes);
    // False when the value is absent.
    bool DeleteValue(const std::string& section, const std::string& name);

    // The file text as it would be written.
    std::string Serialize() const { return Serialize(sections_); }
    static std::string Serialize(const RegistrySections& sections);
    // Parses a whole file text into sections; false (and *out untouched) when damaged.
    static bool Parse(const std::string& text, RegistrySections* out);

    const std::string& path() const { return path_; }
    // True while values are held that the registry does not have yet: a batch is open, or the
    // last write failed.
    bool HasUnsavedChanges() const { return !changes_.empty(); }

    // Holds back the writes until the outermost batch ends.
    class Batch {
      public:
        explicit Batch(RegistryStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        RegistryStore& store_;
    };

  private:
    // The value when it exists with that type; creates the section first.
    const RegistryValue* Find(const std::string& section, const std::string& name,
                              RegistryValue::Type type);
    bool Store(const std::string& section, const std::string& name, const RegistryValue& value);
    bool EnsureSection(const std::string& section);
    // Notes the change and writes it unless a batch is open.
    bool Commit(const std::string& section, const std::string* name);
    bool Save();

    std::string path_;
    int batchDepth_ = 0;
    RegistryChanges changes_;
    RegistrySections sections_;
};

}  // namespace tv
