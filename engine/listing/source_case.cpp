#include "engine/listing/source_case.h"

#include <utility>

#include "platform/file_system.h"

namespace tv {

namespace {

// Every name of the folder in listing order; none when it cannot be listed.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    DirectoryEnumerator entries;
    FileStatus entry;
    if (entries.Open(folder, DirectoryEnumerator::Entries::Names)) {
        while (entries.Next(&entry)) names.push_back(std::move(entry.name));
    }
    return names;
}

std::vector<const std::string*> Each(const std::vector<std::string>& names) {
    std::vector<const std::string*> each;
    each.reserve(names.size());
    for (const std::string& name : names) each.push_back(&name);
    return each;
}

}  // namespace

std::string SourceCaseOf::NameFor(const std::string& name) {
    if (!sourceGroups_) {
        sourceNames_ = NamesIn(sourceFolder_);
        sourceGroups_.emplace(Each(sourceNames_));
    }
    const std::string* source = sourceGroups_->FirstFoldingWith(name);
    FileIdentity found;
    if (source == nullptr || *source == name ||
        !destinationFolder_.EntryIdentity(*source, &found)) {
        return {};
    }
    if (!destinationNames_) destinationNames_ = NamesListedIn(destinationFolder_);
    return destinationNames_->count(*source) == 0 ? *source : std::string();
}

}  // namespace tv
