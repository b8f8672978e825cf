// What the schedule list's buttons "新規", "変更" and "削除" do to the list. Adding and changing
// go through the schedule sheet; an edited entry joins the list only when it passes the
// registration check (a name and something to run), and the user is told when it does not.
#pragma once

#include <cstddef>
#include <functional>

#include "platform/prompts.h"
#include "schedule/schedule_list.h"
#include "settings/settings_context.h"

namespace tv {

constexpr const char* kScheduleIncompleteText =
    "スケジュールを登録するための情報が不足しています\n再度、確認の上変更をお願いします";
constexpr const char* kScheduleIncompleteCaption = "スケジュール登録エラー";

// The registration check, run when the sheet's OK is pressed: true lets the sheet close; false
// has told the user why, and the sheet stays open with everything typed.
using RegistrationCheck = std::function<bool(const ScheduleEntry& entry)>;

// Opens the schedule sheet on entry. OK closes the sheet only for an entry that passes
// registrable; then the runner copies what the sheet edited into entry and answers true. On
// cancel it leaves entry alone and answers false.
using ScheduleSheetRunner =
    std::function<bool(ScheduleEntry& entry, const RegistrationCheck& registrable)>;

class ScheduleEditing {
  public:
    // list, context and prompts must outlive the editing.
    ScheduleEditing(ScheduleList& list, const SettingsContext& context, Prompts& prompts,
                    ScheduleSheetRunner editInSheet);

    // Each answers whether the list changed.
    bool AddNew();
    // The entry at index is put back as a new entry with the edited values, so the marks of
    // its past runs start again.
    bool Change(size_t index);
    bool Remove(size_t index);

  private:
    // The sheet on entry, closing with OK only once the entry passes the registration check.
    bool EditInSheet(ScheduleEntry& entry);
    // The registration check; an entry that fails it is refused with the user told why.
    bool Registrable(const ScheduleEntry& entry);

    ScheduleList& list_;
    const SettingsContext& context_;
    Prompts& prompts_;
    ScheduleSheetRunner editInSheet_;
};

}  // namespace tv
