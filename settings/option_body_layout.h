// The order of the items of the option-file body: the drive table, then every field of the
// settings table that is part of the body, in the order of the table. A visitor is handed every
// item in turn: Int, Work, Text, List, Time (hours x 60 + minutes), Date (year x 10000 + month x
// 100 + day), DayCount and Credential (the encrypted bytes). The writer visits a const record,
// the reader a scratch record it fills.
#pragma once

#include "settings/setting_fields.h"
#include "settings/settings_record.h"

namespace tv {

template <typename Record, typename Visitor>
void VisitDriveTable(Record& record, Visitor& visitor) {
    for (auto& drive : record.Drives) {
        visitor.Text(drive.Name);
        visitor.Int(drive.Kind);
        visitor.Work(drive.Work);
        visitor.Text(drive.BackupDir);
    }
}

template <typename Record, typename Visitor>
void VisitBodyField(Record& record, const SettingField& field, Visitor& visitor) {
    switch (field.kind) {
        case FieldKind::Int:
            return visitor.Int(record.*field.As<int32_t>());
        case FieldKind::Text:
            return visitor.Text(record.*field.As<std::string>());
        case FieldKind::Time:
            return visitor.Time(record.*field.As<DateTime>());
        case FieldKind::Date:
            return visitor.Date(record.*field.As<DateTime>());
        case FieldKind::DayCount:
            return visitor.DayCount(record.*field.As<DateTime>());
        case FieldKind::Credential:
            return visitor.Credential(record.*field.As<std::string>());
        case FieldKind::List:
            return visitor.List(record.*field.As<std::vector<std::string>>());
        case FieldKind::DriveTable:
            return VisitDriveTable(record, visitor);
        case FieldKind::Mask:
            return;
    }
}

template <typename Record, typename Visitor>
void VisitOptionBody(Record& record, Visitor& visitor) {
    for (const SettingField& field : SettingFields()) {
        if (field.inBody) VisitBodyField(record, field, visitor);
    }
}

}  // namespace tv
