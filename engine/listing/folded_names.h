// Names of one folder grouped by their case-folded form: on a destination that folds case,
// the names of a group lead to one entry, so only the first of them can have a copy there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tv {

class OpenFolder;

class FoldedNames {
  public:
    // The names of a folder in listing order, which the caller keeps while this lives; null
    // for an entry that takes no part. Grouped by a hash of each folded name, not by folding
    // each into a new string: a folder whose names all differ but for case costs little.
    explicit FoldedNames(std::vector<const std::string*> names);

    // The first name that folds together with the name at index, when that is an earlier one;
    // null when the name at index is the first of its group.
    const std::string* EarlierThan(size_t index) const;
    // The first name that folds together with name, or null.
    const std::string* FirstFoldingWith(const std::string& name) const;

  private:
    std::vector<const std::string*> names_;
    std::vector<std::pair<uint64_t, size_t>> byHash_;  // folded hash and index, sorted
    std::vector<std::pair<size_t, size_t>> later_;     // index → first of its group, sorted
};

// The names a folder lists, each as it is stored. A destination that folds case also answers
// to a name that it does not list: that name leads to the listed entry it folds together with.
std::unordered_set<std::string> NamesListedIn(const OpenFolder& folder);

}  // namespace tv
