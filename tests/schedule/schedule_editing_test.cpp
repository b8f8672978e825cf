// What the schedule list's buttons do to the list, with the sheet played by a script: the
// registration check on adding and changing, a change starting the run marks again, and
// cancel and bad rows changing nothing.
#include "schedule/schedule_editing.h"

#include <gtest/gtest.h>

#include "platform/win_constants.h"
#include "tests/schedule/schedule_samples.h"
#include "tests/settings/settings_world.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {
namespace {

using Names = std::vector<std::string>;

class ScheduleEditingTest : public ::testing::Test {
  protected:
    ScheduleEditingTest() { settings.world().AddDrive('C', kDriveFixed, 0x1234ABCD); }

    // The sheet: what the user does to the entry, and whether OK is pressed. A refused OK
    // leaves the sheet open, and the user then cancels it.
    ScheduleEditing Editing(std::function<void(ScheduleEntry&)> user, bool ok = true) {
        return ScheduleEditing(
            list, settings.context(), prompts,
            [this, user, ok](ScheduleEntry& entry, const RegistrationCheck& registrable) {
                opened.push_back(entry);
                if (!ok) return false;
                ScheduleEntry working = entry;
                user(working);
                if (!registrable(working)) return false;
                entry = working;
                return true;
            });
    }
    void ExpectRefusal() {
        prompts.Expect(
            "スケジュールを登録するための情報が不足しています\n再度、確認の上変更をお願いします",
            "スケジュール登録エラー", kMbOk | kMbIconExclamation, kIdOk);
    }
    Names NamesOf() const {
        Names names;
        for (size_t i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
        return names;
    }

    SettingsWorld settings;
    ScheduleList list{settings.world().programDir()};
    ScriptedPrompts prompts;
    std::vector<ScheduleEntry> opened;
};

TEST_F(ScheduleEditingTest, ANewEntryNeedsANameAndSomethingToRun) {
    struct Case {
        const char* name;
        std::function<void(ScheduleEntry&)> user;
        bool refused;
    };
    const Case cases[] = {
        {"all drives, default name", [](ScheduleEntry& e) { e.Settings.Synchronize = 1; }, false},
        {"empty name",
         [](ScheduleEntry& e) {
             e.Name.clear();
             e.Settings.Synchronize = 1;
         },
         true},
        {"name but no work", [](ScheduleEntry&) {}, true},
        {"a file list", [](ScheduleEntry& e) { e.Settings.FileList = {"/data"}; }, false},
        {"a source drive",
         [](ScheduleEntry& e) { e.Settings.Drives[2].Work = DriveWork::UnitSource; }, false},
    };
    for (const Case& c : cases) {
        list = ScheduleList(settings.world().programDir());
        if (c.refused) ExpectRefusal();
        EXPECT_EQ(!c.refused, Editing(c.user).AddNew()) << c.name;
        EXPECT_EQ(c.refused ? 0u : 1u, list.Count()) << c.name;
    }
    // The sheet opens on a fresh entry with the defaults of a new schedule.
    ScheduleEntry fresh = ScheduleEntry::New(settings.context());
    ExpectSameEntry(fresh, opened.front());
}

TEST_F(ScheduleEditingTest, CancelAddsNothing) {
    ScheduleEditing editing = Editing([](ScheduleEntry& e) { e.Settings.Synchronize = 1; }, false);
    EXPECT_FALSE(editing.AddNew());
    EXPECT_EQ(0u, list.Count());
}

TEST_F(ScheduleEditingTest, AChangeIsANewEntryInTheSamePlace) {
    list.Append(WeeklySample(settings.context()));
    list.Append(OnceSample(settings.context()));  // has run
    list.Append(WeeklySample(settings.context()));
    ScheduleEditing editing = Editing([](ScheduleEntry& e) { e.Name = "変更後"; });
    ASSERT_TRUE(editing.Change(1));
    EXPECT_EQ((Names{"週次", "変更後", "週次"}), NamesOf());

    // The sheet opens on the stored values without the run marks, and the edit replaces them.
    ScheduleEntry expected = ScheduleEntry::New(settings.context());
    expected.CopyFrom(OnceSample(settings.context()));
    ExpectSameEntry(expected, opened.at(0));
    expected.Name = "変更後";
    ExpectSameEntry(expected, list.At(1));
    EXPECT_FALSE(list.At(1).HasRun);
}

TEST_F(ScheduleEditingTest, ARefusedOrCancelledChangeKeepsTheStoredEntry) {
    const ScheduleEntry ran = OnceSample(settings.context());
    for (bool ok : {true, false}) {
        list = ScheduleList(settings.world().programDir());
        list.Append(ran);
        if (ok) ExpectRefusal();
        ScheduleEditing editing = Editing([](ScheduleEntry& e) { e.Name.clear(); }, ok);
        EXPECT_FALSE(editing.Change(0));
        ExpectSameEntry(ran, list.At(0));
    }
}

TEST_F(ScheduleEditingTest, RowsPastTheEndChangeNothing) {
    list.Append(WeeklySample(settings.context()));
    ScheduleEditing editing = Editing([](ScheduleEntry& e) { e.Name = "x"; });
    EXPECT_FALSE(editing.Change(1));
    EXPECT_FALSE(editing.Remove(1));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(editing.Remove(0));
    EXPECT_EQ(0u, list.Count());
}

}  // namespace
}  // namespace tv::test
