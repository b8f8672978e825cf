#include "engine/source_case.h"

#include "platform/file_system.h"

namespace tv {

namespace {

// Every name of the folder in listing order; none when it cannot be listed.
FoldedNames NamesIn(const std::string& folder) {
    FoldedNames names;
    DirectoryEnumerator entries;
    FileStatus entry;
    if (entries.Open(folder, DirectoryEnumerator::Entries::Names)) {
        while (entries.Next(&entry)) names.Note(entry.name);
    }
    return names;
}

}  // namespace

std::string SourceCaseOf::NameFor(const std::string& name) {
    if (!sourceNames_) sourceNames_ = NamesIn(sourceFolder_);
    const std::string* source = sourceNames_->FirstFoldingWith(name);
    FileIdentity found;
    if (source == nullptr || *source == name ||
        !destinationFolder_.EntryIdentity(*source, &found)) {
        return {};
    }
    if (!destinationNames_) destinationNames_ = NamesListedIn(destinationFolder_);
    return destinationNames_->count(*source) == 0 ? *source : std::string();
}

}  // namespace tv
