// What assistive technology reads of a CButtonList: a list whose children are its items, each
// named by its label, selectable, marked selected and focused as the list shows them, and pressed
// (clicked) through its action.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <map>

#include "ui/widgets/button_list.h"

namespace tv {

class AccessibleButtonList : public QAccessibleWidget {
  public:
    explicit AccessibleButtonList(CButtonList* list);
    ~AccessibleButtonList() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

  private:
    CButtonList* list() const;

    // The items' interfaces, made when first asked for and registered with Qt, which hands out
    // their ids; they go when the list's interface goes.
    mutable std::map<int, QAccessible::Id> items_;
};

}  // namespace tv
