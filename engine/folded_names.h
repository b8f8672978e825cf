// Names of one folder grouped by their case-folded form: on a destination that folds case,
// the names of a group lead to one entry, so only the first of them can have a copy there.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tv {

class OpenFolder;

class FoldedNames {
  public:
    // Notes name, met after the names noted before; returns the first noted name that folds
    // together with it, or null when it is the first of its group.
    const std::string* Note(const std::string& name);
    // The first noted name that folds together with name, or null.
    const std::string* FirstFoldingWith(const std::string& name) const;

  private:
    std::unordered_map<std::string, std::string> first_;  // folded name → first name
};

// The names a folder lists, each as it is stored. A destination that folds case also answers
// to a name that it does not list: that name leads to the listed entry it folds together with.
std::unordered_set<std::string> NamesListedIn(const OpenFolder& folder);

}  // namespace tv
