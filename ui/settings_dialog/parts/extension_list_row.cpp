#include "ui/settings_dialog/parts/extension_list_row.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <optional>

#include "ui/settings_dialog/dialogs/extension_dialog.h"
#include "ui/widgets/label_for.h"

namespace tv {

namespace {

// Tool buttons, which are only as wide as their text, so that two lists fit side by side in
// half a page.
QToolButton* MakeButton(const char* text, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    return button;
}

}  // namespace

CExtensionListRow::CExtensionListRow(const char* title, const char* name, QWidget* parent)
    : QWidget(parent), list_(new QComboBox(this)) {
    list_->setObjectName(name);
    list_->setEditable(true);
    // The drop-down's text only names an entry to delete; additions come through "追加".
    list_->setInsertPolicy(QComboBox::NoInsert);
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->setMinimumContentsLength(4);
    QToolButton* add = MakeButton("追加", QString(name) + "Add", this);
    delete_ = MakeButton("削除", QString(name) + "Delete", this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    QLabel* label = MakeLabelFor(list_, title, this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0, 1, 2);
    grid->addWidget(add, 2, 0);
    grid->addWidget(delete_, 2, 1);

    connect(add, &QToolButton::clicked, this, &CExtensionListRow::AskAndAdd);
    connect(delete_, &QToolButton::clicked, this, &CExtensionListRow::DeleteNamed);
    QAbstractItemModel* items = list_->model();
    connect(items, &QAbstractItemModel::rowsInserted, this, &CExtensionListRow::EnableDelete);
    connect(items, &QAbstractItemModel::rowsRemoved, this, &CExtensionListRow::EnableDelete);
    connect(items, &QAbstractItemModel::modelReset, this, &CExtensionListRow::EnableDelete);
    EnableDelete();
}

void CExtensionListRow::Add(const QString& extension) {
    if (extension.isEmpty() ||
        list_->findText(extension, Qt::MatchExactly | Qt::MatchCaseSensitive) != -1) {
        return;
    }
    list_->addItem(extension);
    list_->setCurrentIndex(list_->count() - 1);
}

void CExtensionListRow::DeleteNamed() {
    const QString named = list_->currentText();
    if (named.isEmpty()) return;
    const int index = list_->findText(named, Qt::MatchStartsWith);
    if (index != -1) list_->removeItem(index);
}

void CExtensionListRow::AskAndAdd() {
    CExtDlg dialog(this);
    if (const std::optional<QString> extension = dialog.Ask()) Add(*extension);
}

void CExtensionListRow::EnableDelete() { delete_->setEnabled(list_->count() > 0); }

}  // namespace tv
