#include "engine/listing/folded_names.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/name_case.h"

namespace tv {

FoldedNames::FoldedNames(std::vector<const std::string*> names) : names_(std::move(names)) {
    byHash_.reserve(names_.size());
    for (size_t index = 0; index < names_.size(); ++index) {
        if (names_[index]) byHash_.emplace_back(CaseFoldedHash(*names_[index]), index);
    }
    std::sort(byHash_.begin(), byHash_.end());
    // Names of one hash are rare; only they are folded and compared.
    for (size_t run = 0; run < byHash_.size();) {
        size_t end = run + 1;
        while (end < byHash_.size() && byHash_[end].first == byHash_[run].first) ++end;
        for (size_t later = run + 1; later < end; ++later) {
            const std::string folded = CaseFoldedName(*names_[byHash_[later].second]);
            for (size_t first = run; first < later; ++first) {
                if (CaseFoldedName(*names_[byHash_[first].second]) == folded) {
                    later_.emplace_back(byHash_[later].second, byHash_[first].second);
                    break;
                }
            }
        }
        run = end;
    }
    std::sort(later_.begin(), later_.end());
}

const std::string* FoldedNames::EarlierThan(size_t index) const {
    if (later_.empty()) return nullptr;
    const auto found =
        std::lower_bound(later_.begin(), later_.end(), std::make_pair(index, size_t{0}));
    if (found == later_.end() || found->first != index) return nullptr;
    return names_[found->second];
}

const std::string* FoldedNames::FirstFoldingWith(const std::string& name) const {
    const uint64_t hash = CaseFoldedHash(name);
    const std::string folded = CaseFoldedName(name);
    // Sorted by hash, then index: the first match of the hash's run is the earliest name.
    for (auto at =
             std::lower_bound(byHash_.begin(), byHash_.end(), std::make_pair(hash, size_t{0}));
         at != byHash_.end() && at->first == hash; ++at) {
        if (CaseFoldedName(*names_[at->second]) == folded) return names_[at->second];
    }
    return nullptr;
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
