#include "engine/folded_names.h"

#include "platform/file_system.h"
#include "platform/name_case.h"

namespace tv {

const std::string* FoldedNames::Note(const std::string& name) {
    const auto [group, first] = first_.try_emplace(CaseFoldedName(name), name);
    return first ? nullptr : &group->second;
}

const std::string* FoldedNames::FirstFoldingWith(const std::string& name) const {
    const auto group = first_.find(CaseFoldedName(name));
    return group == first_.end() ? nullptr : &group->second;
}

std::unordered_set<std::string> NamesListedIn(const OpenFolder& folder) {
    std::unordered_set<std::string> names;
    DirectoryEnumerator entries;
    FileStatus entry;
    if (entries.OpenIn(folder, DirectoryEnumerator::Entries::Names)) {
        while (entries.Next(&entry)) names.insert(entry.name);
    }
    return names;
}

}  // namespace tv
