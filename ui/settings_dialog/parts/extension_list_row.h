// One extension list of the detail page: its title over an editable drop-down of the list's
// extensions, over "追加" and "削除". The page binds the drop-down to the record's list, so
// every addition and deletion reaches the record at once. "削除" is usable while the list has
// an entry.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QToolButton;

namespace tv {

class CExtensionListRow : public QWidget {
    Q_OBJECT
  public:
    // name: the object name of the drop-down, its buttons named name + "Add" / "Delete".
    CExtensionListRow(const char* title, const char* name, QWidget* parent);

    QComboBox* list() const { return list_; }
    // Adds extension and selects it, unless it is empty or listed already (exact comparison).
    void Add(const QString& extension);
    // Deletes the first entry that begins with the drop-down's text, whatever the case of its
    // letters; an empty text names no entry.
    void DeleteNamed();

  private:
    void AskAndAdd();
    void EnableDelete();

    QComboBox* list_;
    QToolButton* delete_;
};

}  // namespace tv
