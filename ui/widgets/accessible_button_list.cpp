#include "ui/widgets/accessible_button_list.h"

namespace tv {

namespace {

class AccessibleButtonListItem : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AccessibleButtonListItem(CButtonList* list, int index) : list_(list), index_(index) {}

    bool isValid() const override { return !list_.isNull() && index_ < list_->Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? list_->Item(index_).label : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const QRect face = list_->Item(index_).rect;
        return QRect(list_->mapToGlobal(face.topLeft()), face.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = list_->SelectedIndex() == index_;
        state.focused = list_->hasFocus() && list_->FocusIndex() == index_;
        state.invisible = !list_->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            list_->Click(index_);
        } else if (name == setFocusAction()) {
            list_->setFocus(Qt::OtherFocusReason);
            list_->SetFocusIndex(index_);
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction()) return {QStringLiteral("Space"), QStringLiteral("Return")};
        return {};
    }

  private:
    QPointer<CButtonList> list_;
    int index_;
};

}  // namespace

AccessibleButtonList::AccessibleButtonList(CButtonList* list)
    : QAccessibleWidget(list, QAccessible::List) {}

AccessibleButtonList::~AccessibleButtonList() {
    for (const auto& [index, id] : items_) QAccessible::deleteAccessibleInterface(id);
}

CButtonList* AccessibleButtonList::list() const { return static_cast<CButtonList*>(widget()); }

int AccessibleButtonList::childCount() const { return list()->Count(); }

QAccessibleInterface* AccessibleButtonList::child(int index) const {
    if (index < 0 || index >= list()->Count()) return nullptr;
    auto found = items_.find(index);
    if (found == items_.end()) {
        const QAccessible::Id id =
            QAccessible::registerAccessibleInterface(new AccessibleButtonListItem(list(), index));
        found = items_.emplace(index, id).first;
    }
    return QAccessible::accessibleInterface(found->second);
}

int AccessibleButtonList::indexOfChild(const QAccessibleInterface* child) const {
    for (const auto& [index, id] : items_) {
        if (QAccessible::accessibleInterface(id) == child) return index;
    }
    return -1;
}

QAccessibleInterface* AccessibleButtonList::childAt(int x, int y) const {
    return child(list()->ItemAt(list()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* AccessibleButtonList::focusChild() const {
    return list()->hasFocus() ? child(list()->FocusIndex()) : nullptr;
}

}  // namespace tv
