// On a destination that folds case, the copy of a source entry keeps the spelling it was made
// under when the source's entry is renamed only in case (photo.jpg → Photo.JPG): the source
// lacks it by that name, yet it is that entry's copy, not an extra.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/listing/folded_names.h"

namespace tv {

class OpenFolder;

// The source entries that the entries of one destination folder stand for, looked up by name
// but for case. Each folder is listed once, when it is first needed, so that a folder without
// entries the source lacks by their exact names costs nothing.
class SourceCaseOf {
  public:
    SourceCaseOf(const std::string& sourceFolder, const OpenFolder& destinationFolder)
        : sourceFolder_(sourceFolder), destinationFolder_(destinationFolder) {}

    // The name of the source entry that the destination entry name, which the source lacks by
    // that name, is the copy of: the first source entry whose name folds together with it, when
    // the destination folder answers to that name without listing it (so it leads to this
    // entry, the one entry there that folds together with it). Empty when there is none.
    std::string NameFor(const std::string& name);

  private:
    const std::string& sourceFolder_;
    const OpenFolder& destinationFolder_;
    std::vector<std::string> sourceNames_;
    std::optional<FoldedNames> sourceGroups_;
    std::optional<std::unordered_set<std::string>> destinationNames_;
};

}  // namespace tv
