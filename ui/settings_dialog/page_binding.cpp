#include "ui/settings_dialog/page_binding.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <utility>

namespace tv {

CPageBinding::CPageBinding(BindingTable table, QObject* page)
    : QObject(page), table_(std::move(table)) {}

void CPageBinding::Load(const SettingsRecord& record) {
    loading_ = true;
    for (const TextBinding& binding : table_.texts) {
        binding.edit->setText(QString::fromStdString(record.*binding.field));
    }
    for (const CheckBinding& binding : table_.checks) {
        binding.box->setChecked(record.*binding.field != 0);
    }
    loading_ = false;
}

void CPageBinding::Store(SettingsRecord& record) const {
    for (const TextBinding& binding : table_.texts) StoreText(binding, record);
    for (const CheckBinding& binding : table_.checks) StoreCheck(binding, record);
}

void CPageBinding::CopyEveryChangeInto(SettingsRecord* record) {
    for (const TextBinding& binding : table_.texts) {
        connect(binding.edit, &QLineEdit::textChanged, this, [this, binding, record] {
            if (!loading_) StoreText(binding, *record);
        });
    }
    for (const CheckBinding& binding : table_.checks) {
        connect(binding.box, &QAbstractButton::toggled, this, [this, binding, record] {
            if (!loading_) StoreCheck(binding, *record);
        });
    }
}

void CPageBinding::StoreText(const TextBinding& binding, SettingsRecord& record) {
    record.*binding.field = binding.edit->text().toStdString();
}

void CPageBinding::StoreCheck(const CheckBinding& binding, SettingsRecord& record) {
    const bool checked = binding.box->isChecked();
    if (checked != (record.*binding.field != 0)) record.*binding.field = checked ? 1 : 0;
}

}  // namespace tv
