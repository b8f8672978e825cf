// The registry store: values held in memory, every change handed to the registry's side of the
// system (registry_backing.h) as it is made.
#include "platform/registry_store.h"

#include "platform/registry_backing.h"
#include "platform/text_file.h"

namespace tv {

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {}

bool RegistryStore::Load() {
    RegistrySections loaded;
    if (!detail::ReadRegistry(path_, &loaded)) return false;
    sections_ = std::move(loaded);
    changes_ = RegistryChanges();
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
    return Commit(section, &name);
}

RegistryStore::Batch::Batch(RegistryStore& store) : store_(store) { ++store_.batchDepth_; }

RegistryStore::Batch::~Batch() {
    if (--store_.batchDepth_ == 0 && store_.HasUnsavedChanges()) store_.Save();
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
    return Commit(section, &name);
}

bool RegistryStore::EnsureSection(const std::string& section) {
    if (!IsValidRegistrySectionName(section)) return false;
    if (sections_.count(section) != 0) return true;
    sections_[section];
    // A failure to record the new empty section does not keep the caller from reading.
    Commit(section, nullptr);
    return true;
}

bool RegistryStore::Commit(const std::string& section, const std::string* name) {
    changes_.sections.insert(section);
    if (name != nullptr) changes_.values.emplace(section, *name);
    return batchDepth_ > 0 || Save();
}

bool RegistryStore::Save() {
    if (!detail::WriteRegistry(path_, sections_, changes_)) return false;
    changes_ = RegistryChanges();
    return true;
}

}  // namespace tv
