#include "schedule/schedule_list.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_secrets.h"

namespace tv {

ScheduleList::ScheduleList(const std::string& programDir)
    : path_(JoinPath(programDir, kFileName)) {}

bool ScheduleList::Load(const SettingsContext& context) {
    std::string bytes;
    std::vector<ScheduleEntry> read;
    if (!ReadWholeFile(path_, &bytes) || !ReadScheduleFile(bytes, context, &read)) return false;
    if (context.secrets) TakeScheduleAccounts(*context.secrets, read);
    entries_ = std::move(read);
    return true;
}

// The file may hold schedules' credentials, so only its owner may read it.
bool ScheduleList::Save(SecretStore* secrets) const {
    std::string bytes;
    return WriteScheduleFile(secrets ? KeepScheduleAccounts(*secrets, entries_) : entries_,
                             &bytes) &&
           WriteFileAtomically(path_, bytes, FileAccess::OwnerOnly);
}

void ScheduleList::Append(const ScheduleEntry& entry) { entries_.push_back(entry); }

void ScheduleList::Replace(size_t index, const ScheduleEntry& entry) {
    if (index < entries_.size()) entries_[index].CopyFrom(entry);
}

void ScheduleList::Insert(size_t index, const ScheduleEntry& entry) {
    if (index <= entries_.size())
        entries_.insert(entries_.begin() + static_cast<long>(index), entry);
}

void ScheduleList::RemoveAt(size_t index) {
    if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<long>(index));
}

void ScheduleList::RemoveSpentOnce() {
    for (size_t i = entries_.size(); i-- > 0;) {
        if (entries_[i].Pattern == RepeatPattern::Once && entries_[i].HasRun) RemoveAt(i);
    }
}

}  // namespace tv
