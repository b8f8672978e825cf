// The order of the folder list, as a file manager shows a folder: folders before files, each by
// name as people read names (letters without regard to case, numbers by their value, Japanese
// names in the locale's order), whatever order the file system gives.
#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

namespace tv {

struct ListedName {
    bool folder;
    QString name;
};

class FolderListOrder {
  public:
    explicit FolderListOrder(const QLocale& locale = QLocale());

    bool Before(const ListedName& a, const ListedName& b) const;

  private:
    QCollator collator_;
};

}  // namespace tv
