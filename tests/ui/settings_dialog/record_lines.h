// A whole settings record as lines of text, for comparing records in one assertion: a failure
// names the first line, that is the field, that differs. The settings report gives every field
// but the credentials in plain form, which are added.
#pragma once

#include <QString>
#include <QStringList>

#include "settings/settings_dump.h"
#include "settings/settings_record.h"

namespace tv::test {

inline QStringList RecordLines(const SettingsRecord& record) {
    QStringList lines = QString::fromStdString(SettingsDumpText(record)).split('\n');
    lines << "User1=" + QString::fromStdString(record.User1)
          << "Pass1=" + QString::fromStdString(record.Pass1)
          << "User2=" + QString::fromStdString(record.User2)
          << "Pass2=" + QString::fromStdString(record.Pass2);
    return lines;
}

}  // namespace tv::test
