// Every field of the settings record in one table: where it is stored and under which name, its
// kind, the values the reset and a load without it give, its bounds, its reset group, whether it
// is part of the option body and how the report shows it. Persistence, the option body, the
// report, the resets and the tests walk this table, so a setting is declared here once.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "settings/settings_record.h"

namespace tv {

// The reset groups of the settings dialog; Drives are the bookkeeping fields that follow the
// drives present (the mask, the last letter and the drive table), set by the resets themselves.
enum class SettingsGroup { Drives, DriveUnit, FileDirUnit, Removable, Credentials, Details };

// How a field is held and stored. Time, Date and DayCount are date-times stored as whole numbers
// (hours x 60 + minutes, year x 10000 + month x 100 + day, the day of month as a count); Text
// is a folder; List lives in the list file; the drive table and the credentials have code of
// their own for the registry.
enum class FieldKind { Int, Mask, Text, Time, Date, DayCount, Credential, List, DriveTable };

// Whether the report shows a field, and whether an empty line follows its line.
enum class ReportEnd { Hidden, Line, Gap };

using FieldMember = std::variant<int32_t SettingsRecord::*, uint32_t SettingsRecord::*,
                                 std::string SettingsRecord::*, DateTime SettingsRecord::*,
                                 std::vector<std::string> SettingsRecord::*,
                                 std::array<DriveEntry, kDriveLetterCount> SettingsRecord::*>;

struct SettingField {
    FieldKind kind;
    SettingsGroup group;
    const char* section;  // nullptr: not in the registry (the lists)
    const char* name;     // the registry value name, and the object name of its control
    FieldMember member;
    // Whole numbers as stored; for the date-time kinds the stored number.
    int32_t reset = 0;
    int32_t absent = 0;
    // A stored value outside these bounds counts as absent: the copy buffer is a shift count
    // and the load control a pause per file, so a damaged value must not reach a run.
    int32_t lowest = std::numeric_limits<int32_t>::min();
    int32_t highest = std::numeric_limits<int32_t>::max();
    bool inBody = true;  // the option body holds the fields in the order of the table
    ReportEnd reportEnd = ReportEnd::Hidden;
    const char* reportLabel = nullptr;    // the name unless set
    const char* reportHeading = nullptr;  // printed before the line
    const char* reportAfter = nullptr;    // shown after this field instead of in table order

    bool IsBounded() const {
        return lowest != std::numeric_limits<int32_t>::min() ||
               highest != std::numeric_limits<int32_t>::max();
    }
    const char* ReportLabel() const { return reportLabel ? reportLabel : name; }

    template <typename T>
    T SettingsRecord::*As() const {
        return std::get<T SettingsRecord::*>(member);
    }

    // Builders for the rows of the table.
    SettingField Reset(int32_t value) const;
    SettingField Absent(int32_t value) const;
    SettingField Bounds(int32_t low, int32_t high) const;
    SettingField NotInBody() const;
    SettingField Report(ReportEnd end, const char* label = nullptr) const;
    SettingField Heading(const char* heading) const;
    SettingField ReportAfter(const char* name) const;
};

// The table, in the order of the option body, the report and the list file.
const std::vector<SettingField>& SettingFields();

// The row of a whole-number field; nullptr for a field not in the table.
const SettingField* FindSetting(int32_t SettingsRecord::*member);

// What a stored number of a date-time kind reads as, and the number a value is stored as.
DateTime DateTimeOfStored(FieldKind kind, int32_t stored);
int32_t StoredOfDateTime(FieldKind kind, const DateTime& value);

}  // namespace tv
