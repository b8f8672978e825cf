// ScheduleList: the ordered schedules of the resident program and their file "sch.dat" in the
// program folder. The frame loads it when it starts, the schedule editor changes it, the frame
// saves it after every accepting end of the settings dialog and polls it every ten seconds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "settings/settings_context.h"

namespace tv {

class ScheduleList {
  public:
    static constexpr const char* kFileName = "sch.dat";

    // The list of the file "sch.dat" in programDir; empty until loaded.
    explicit ScheduleList(const std::string& programDir);

    // Reads the file. False, with the list unchanged, when it cannot be read; otherwise the
    // list becomes the entries that were whole, up to the first damaged one. Credentials the
    // file leaves empty come from the context's secret store.
    bool Load(const SettingsContext& context);
    // Writes the whole list to a temporary file and renames it over the old one; false, with
    // the old file in place, when that fails. With a secret store, the credentials it takes are
    // written empty.
    bool Save(SecretStore* secrets = nullptr) const;

    size_t Count() const { return entries_.size(); }
    ScheduleEntry& At(size_t index) { return entries_.at(index); }
    const ScheduleEntry& At(size_t index) const { return entries_.at(index); }
    void Append(const ScheduleEntry& entry);
    // Takes what the user edits from entry (ScheduleEntry::CopyFrom).
    void Replace(size_t index, const ScheduleEntry& entry);
    // Puts a copy of entry, run marks and all, before the entry at index (at the end when index
    // is the count; past it, nothing).
    void Insert(size_t index, const ScheduleEntry& entry);
    void RemoveAt(size_t index);
    // Removes every Once entry that has run.
    void RemoveSpentOnce();

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::vector<ScheduleEntry> entries_;
};

}  // namespace tv
