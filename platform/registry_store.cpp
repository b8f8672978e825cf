// The registry store: values held in memory, the file rewritten whole after every change.
#include "platform/registry_store.h"

#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tv {
namespace {

// Far beyond any real settings file; a larger file is not ours and is not read into memory.
constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {}

bool RegistryStore::Load() {
    if (!PathExists(path_)) {
        sections_.clear();
        dirty_ = false;
        return true;
    }
    FileStatus status;
    if (!GetFileStatus(path_, &status) || status.IsDirectory() || status.size > kMaxFileBytes) {
        return false;
    }
    std::string text;
    if (!ReadWholeFile(path_, &text) || !Parse(text, &sections_)) return false;
    dirty_ = false;
    return true;
}

bool RegistryStore::ReadDword(const std::string& section, const std::string& name,
                              uint32_t* value) {
    const RegistryValue* found = Find(section, name, RegistryValue::Type::Dword);
    if (found == nullptr) return false;
    *value = found->dword;
    return true;
}

bool RegistryStore::ReadString(const std::string& section, const std::string& name,
                               std::string* value) {
    const RegistryValue* found = Find(section, name, RegistryValue::Type::String);
    if (found == nullptr) return false;
    *value = found->text;
    return true;
}

bool RegistryStore::ReadBinary(const std::string& section, const std::string& name,
                               std::string* bytes) {
    const RegistryValue* found = Find(section, name, RegistryValue::Type::Binary);
    if (found == nullptr) return false;
    *bytes = found->text;
    return true;
}

bool RegistryStore::WriteDword(const std::string& section, const std::string& name,
                               uint32_t value) {
    RegistryValue stored;
    stored.type = RegistryValue::Type::Dword;
    stored.dword = value;
    return Store(section, name, stored);
}

bool RegistryStore::WriteString(const std::string& section, const std::string& name,
                                const std::string& value) {
    if (!IsValidUtf8(value)) return false;
    RegistryValue stored;
    stored.type = RegistryValue::Type::String;
    stored.text = value;
    return Store(section, name, stored);
}

bool RegistryStore::WriteBinary(const std::string& section, const std::string& name,
                                const std::string& bytes) {
    RegistryValue stored;
    stored.type = RegistryValue::Type::Binary;
    stored.text = bytes;
    return Store(section, name, stored);
}

bool RegistryStore::DeleteValue(const std::string& section, const std::string& name) {
    if (!EnsureSection(section)) return false;
    if (sections_[section].erase(name) == 0) return false;
    return Commit();
}

RegistryStore::Batch::Batch(RegistryStore& store) : store_(store) { ++store_.batchDepth_; }

RegistryStore::Batch::~Batch() {
    if (--store_.batchDepth_ == 0 && store_.dirty_) store_.Save();
}

const RegistryValue* RegistryStore::Find(const std::string& section, const std::string& name,
                                         RegistryValue::Type type) {
    if (!EnsureSection(section)) return nullptr;
    const auto& values = sections_[section];
    const auto found = values.find(name);
    if (found == values.end() || found->second.type != type) return nullptr;
    return &found->second;
}

bool RegistryStore::Store(const std::string& section, const std::string& name,
                          const RegistryValue& value) {
    if (!IsValidRegistrySectionName(section) || !IsValidUtf8(name)) return false;
    sections_[section][name] = value;
    return Commit();
}

bool RegistryStore::EnsureSection(const std::string& section) {
    if (!IsValidRegistrySectionName(section)) return false;
    if (sections_.count(section) != 0) return true;
    sections_[section];
    // A failure to record the new empty section does not keep the caller from reading.
    Commit();
    return true;
}

bool RegistryStore::Commit() {
    dirty_ = true;
    return batchDepth_ > 0 || Save();
}

bool RegistryStore::Save() {
    if (!EnsurePrivateFolder(ContainingFolder(path_))) return false;
    if (!WriteFileAtomically(path_, Serialize(), FileAccess::OwnerOnly)) return false;
    dirty_ = false;
    return true;
}

}  // namespace tv
