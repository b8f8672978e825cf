// The settings table itself: a value read under another field's name, or a reset or absent value
// that a load would refuse, would go unnoticed by the walks that trust the table.
#include "settings/setting_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tv::test {
namespace {

TEST(SettingFields, EachFieldHasARowOfItsOwnUnderANameOfItsOwn) {
    std::set<std::pair<std::string, std::string>> names;
    std::vector<FieldMember> members;
    for (const SettingField& field : SettingFields()) {
        const std::string section = field.section ? field.section : "list file";
        EXPECT_TRUE(names.insert({section, field.name}).second) << section << "/" << field.name;
        EXPECT_EQ(std::count(members.begin(), members.end(), field.member), 0) << field.name;
        members.push_back(field.member);
    }
}

TEST(SettingFields, ResetAndAbsentValuesLieWithinTheBounds) {
    for (const SettingField& field : SettingFields()) {
        if (field.kind != FieldKind::Int) continue;
        EXPECT_TRUE(field.reset >= field.lowest && field.reset <= field.highest) << field.name;
        EXPECT_TRUE(field.absent >= field.lowest && field.absent <= field.highest) << field.name;
    }
}

// The report shows a moved field after another field it shows, so no field is lost.
TEST(SettingFields, EveryFieldTheReportMovesFollowsAFieldItShows) {
    for (const SettingField& field : SettingFields()) {
        if (!field.reportAfter) continue;
        bool found = false;
        for (const SettingField& before : SettingFields()) {
            found |= std::string(before.name) == field.reportAfter &&
                     before.reportEnd != ReportEnd::Hidden && &before != &field;
        }
        EXPECT_TRUE(found) << field.name;
    }
}

}  // namespace
}  // namespace tv::test
