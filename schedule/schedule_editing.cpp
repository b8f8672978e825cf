#include "schedule/schedule_editing.h"

#include <utility>

#include "platform/win_constants.h"

namespace tv {

ScheduleEditing::ScheduleEditing(ScheduleList& list, const SettingsContext& context,
                                 Prompts& prompts, ScheduleSheetRunner editInSheet)
    : list_(list), context_(context), prompts_(prompts), editInSheet_(std::move(editInSheet)) {}

bool ScheduleEditing::AddNew() {
    ScheduleEntry entry = ScheduleEntry::New(context_);
    if (!EditInSheet(entry)) return false;
    list_.Append(entry);
    return true;
}

bool ScheduleEditing::Change(size_t index) {
    if (index >= list_.Count()) return false;
    ScheduleEntry entry = ScheduleEntry::New(context_);
    entry.CopyFrom(list_.At(index));
    if (!EditInSheet(entry)) return false;
    list_.RemoveAt(index);
    list_.Insert(index, entry);
    return true;
}

bool ScheduleEditing::Remove(size_t index) {
    if (index >= list_.Count()) return false;
    list_.RemoveAt(index);
    return true;
}

bool ScheduleEditing::EditInSheet(ScheduleEntry& entry) {
    return editInSheet_(entry, [this](const ScheduleEntry& edited) { return Registrable(edited); });
}

bool ScheduleEditing::Registrable(const ScheduleEntry& entry) {
    if (entry.HasWork()) return true;
    prompts_.MessageBox(kScheduleIncompleteText, kScheduleIncompleteCaption,
                        kMbOk | kMbIconExclamation);
    return false;
}

}  // namespace tv
