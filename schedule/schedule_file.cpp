#include "schedule/schedule_file.h"

#include <climits>
#include <cstdint>

#include "settings/option_body.h"
#include "settings/option_body_bytes.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

constexpr uint8_t kLastKind = static_cast<uint8_t>(ScheduleKind::ByWeekday);
constexpr uint8_t kLastPattern = static_cast<uint8_t>(RepeatPattern::Monthly);

bool IsStorableName(const std::string& name) {
    return !name.empty() && name.size() <= static_cast<size_t>(kMaxScheduleNameBytes);
}

void AppendByte(std::string* bytes, uint8_t value) { bytes->push_back(static_cast<char>(value)); }

bool ReadByte(ByteCursor& in, uint8_t* value) {
    std::string byte;
    if (!in.ReadBytes(1, &byte)) return false;
    *value = static_cast<uint8_t>(byte[0]);
    return true;
}

// Everything before the settings: name, kind, date, weekdays, pattern, start, run state.
void AppendEntryHead(const ScheduleEntry& entry, std::string* bytes) {
    AppendInt32(bytes, static_cast<int32_t>(entry.Name.size()));
    bytes->append(entry.Name);
    AppendByte(bytes, static_cast<uint8_t>(entry.Kind));
    AppendInt32(bytes, NumberOfDate(entry.RunDate));
    AppendByte(bytes, entry.Weekdays);
    AppendByte(bytes, static_cast<uint8_t>(entry.Pattern));
    AppendInt32(bytes, MinutesOfTime(entry.StartTime));
    AppendByte(bytes, entry.HasRun ? 1 : 0);
    if (entry.HasRun) AppendInt32(bytes, NumberOfDate(entry.LastRunDate));
}

bool ReadName(ByteCursor& in, std::string* name) {
    int32_t length = 0;
    if (!in.ReadInt32(&length) || length < 1 || length > kMaxScheduleNameBytes) return false;
    return in.ReadBytes(static_cast<size_t>(length), name);
}

// A kind or pattern byte beyond the known values cannot come from the program: the entry is
// taken as damaged rather than guessed at, since its bytes may well be shifted.
bool ReadKind(ByteCursor& in, ScheduleKind* kind) {
    uint8_t value = 0;
    if (!ReadByte(in, &value) || value > kLastKind) return false;
    *kind = static_cast<ScheduleKind>(value);
    return true;
}

bool ReadPattern(ByteCursor& in, RepeatPattern* pattern) {
    uint8_t value = 0;
    if (!ReadByte(in, &value) || value > kLastPattern) return false;
    *pattern = static_cast<RepeatPattern>(value);
    return true;
}

// A packed value that makes no calendar date reads as an unset date.
bool ReadDate(ByteCursor& in, DateTime* date) {
    int32_t packed = 0;
    if (!in.ReadInt32(&packed)) return false;
    *date = DateFromNumber(packed);
    return true;
}

// A negative value, or one past the last minute of the day, reads as an unset time.
bool ReadStartTime(ByteCursor& in, DateTime* time) {
    int32_t minutes = 0;
    if (!in.ReadInt32(&minutes)) return false;
    *time = TimeFromMinutes(minutes);
    return true;
}

// Bit 7 names no weekday; it is dropped rather than kept as noise.
bool ReadWeekdays(ByteCursor& in, WeekdayMask* weekdays) {
    uint8_t value = 0;
    if (!ReadByte(in, &value)) return false;
    *weekdays = value & kEveryWeekday;
    return true;
}

bool ReadRunState(ByteCursor& in, ScheduleEntry& entry) {
    uint8_t hasRun = 0;
    if (!ReadByte(in, &hasRun)) return false;
    entry.HasRun = hasRun != 0;
    return !entry.HasRun || ReadDate(in, &entry.LastRunDate);
}

bool ReadEntryHead(ByteCursor& in, ScheduleEntry& entry) {
    return ReadName(in, &entry.Name) && ReadKind(in, &entry.Kind) && ReadDate(in, &entry.RunDate) &&
           ReadWeekdays(in, &entry.Weekdays) && ReadPattern(in, &entry.Pattern) &&
           ReadStartTime(in, &entry.StartTime) && ReadRunState(in, entry);
}

bool ReadEntry(std::string_view bytes, size_t* offset, ScheduleEntry& entry) {
    ByteCursor in(bytes, *offset);
    if (!ReadEntryHead(in, entry)) return false;
    size_t settingsOffset = in.Offset();
    if (!ReadOptionBody(bytes, &settingsOffset, entry.Settings)) return false;
    *offset = settingsOffset;
    return true;
}

}  // namespace

bool WriteScheduleFile(const std::vector<ScheduleEntry>& entries, std::string* bytes) {
    if (entries.size() > static_cast<size_t>(INT32_MAX)) return false;
    std::string out;
    AppendInt32(&out, static_cast<int32_t>(entries.size()));
    for (const ScheduleEntry& entry : entries) {
        // A name the reader would take for damage would lose this entry and all after it.
        if (!IsStorableName(entry.Name)) return false;
        AppendEntryHead(entry, &out);
        if (!WriteOptionBody(entry.Settings, &out)) return false;
    }
    *bytes = std::move(out);
    return true;
}

bool ReadScheduleFile(std::string_view bytes, const SettingsContext& context,
                      std::vector<ScheduleEntry>* entries) {
    ByteCursor head(bytes, 0);
    int32_t count = 0;
    if (!head.ReadInt32(&count)) return false;
    // The count is never trusted for an allocation: entries are appended as they prove whole.
    const ScheduleEntry fresh = ScheduleEntry::New(context);
    std::vector<ScheduleEntry> read;
    size_t offset = head.Offset();
    for (int32_t i = 0; i < count; ++i) {
        ScheduleEntry entry = fresh;
        if (!ReadEntry(bytes, &offset, entry)) break;
        read.push_back(std::move(entry));
    }
    *entries = std::move(read);
    return true;
}

}  // namespace tv
