#include "ui/widgets/folder_list_order.h"

namespace tv {

FolderListOrder::FolderListOrder(const QLocale& locale) : collator_(locale) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    collator_.setNumericMode(true);
}

// Names the collator counts as equal ("a" and "A") still get one fixed order.
bool FolderListOrder::Before(const ListedName& a, const ListedName& b) const {
    if (a.folder != b.folder) return a.folder;
    const int order = collator_.compare(a.name, b.name);
    if (order != 0) return order < 0;
    return a.name < b.name;
}

}  // namespace tv
