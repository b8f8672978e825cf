#include "log/log_store.h"

#include <utility>

#include "log/day_file_name.h"
#include "log/log_line.h"
#include "platform/paths.h"

namespace tv {

namespace {

constexpr const char* kLogFolderName = "Log";
constexpr const char* kRecognitionUnit = "ドライブの認識";

// A day file open for writing is held exclusively: another writer's open of the same file fails.
// Reading takes no hold, so a day being read still takes the records a run appends to it.
constexpr bool kExclusiveWriting = true;
constexpr bool kExclusiveReading = false;

}  // namespace

LogStore::LogStore(std::string programDir) : programDir_(std::move(programDir)) {}

std::string LogStore::LogFolder() const { return JoinPath(programDir_, kLogFolderName); }

bool LogStore::OpenDayFile(const std::string& date, bool forWriting) {
    const std::string name = DayFileName(date);
    if (name.empty()) return false;
    if (file_.IsOpen() && openName_ == name && openForWriting_ == forWriting) return true;
    Close();
    const std::string path = JoinPath(LogFolder(), name);
    const bool opened = forWriting
                            ? file_.OpenForAppend(path, kExclusiveWriting)
                            : file_.OpenForRead(path, kExclusiveReading, /*sequential=*/true);
    if (!opened) return false;
    openName_ = name;
    openForWriting_ = forWriting;
    return true;
}

bool LogStore::Append(const LogRecord& record) {
    if (!OpenDayFile(record.date, /*forWriting=*/true)) return false;
    const std::string line = FormatLogLine(record);
    return file_.AppendWhole(line.data(), line.size());
}

bool LogStore::OpenForAppending(const std::string& date) {
    const std::string name = DayFileName(date);
    const bool existed = name.empty() || PathExists(JoinPath(LogFolder(), name)) ||
                         (file_.IsOpen() && openName_ == name);
    if (!OpenDayFile(date, /*forWriting=*/true)) return false;
    madeEmpty_ = !existed;
    return true;
}

bool LogStore::AppendRecognition(const std::string& date, const std::string& kindName,
                                 const std::string& time) {
    LogRecord record;
    record.date = date;
    record.unit = kRecognitionUnit;
    record.recognition = kindName;
    record.time = time;
    return Append(record);
}

bool LogStore::OpenForReading(const std::string& date) {
    Close();
    return OpenDayFile(date, /*forWriting=*/false);
}

bool LogStore::ReadNext(LogRecord* record) {
    const bool readingOpenFile = file_.IsOpen() && !openForWriting_;
    if (!readingOpenFile && !OpenDayFile(record->date, /*forWriting=*/false)) return false;
    std::string bytes;
    if (!reader_.Next(&file_, &bytes) || bytes.empty()) return false;
    ParseLogLine(DecodeLogLine(bytes), record);
    return true;
}

void LogStore::ListDays(std::vector<std::string>* days) const {
    DirectoryEnumerator folder;
    if (!folder.Open(LogFolder())) return;
    FileStatus entry;
    while (folder.Next(&entry)) {
        if (!entry.IsDirectory() && IsDayFileName(entry.name)) {
            days->push_back(DayOfDayFileName(entry.name));
        }
    }
}

void LogStore::Purge(const std::string& cutoff) const {
    const std::string cutoffName = DayFileName(cutoff);
    if (cutoffName.empty()) return;
    std::vector<std::string> doomed;
    DirectoryEnumerator folder;
    if (!folder.Open(LogFolder())) return;
    FileStatus entry;
    while (folder.Next(&entry)) {
        if (!entry.IsDirectory() && IsDayFileName(entry.name) && entry.name < cutoffName) {
            doomed.push_back(entry.name);
        }
    }
    folder.Close();
    for (const std::string& name : doomed) DeleteFile(JoinPath(LogFolder(), name));
}

void LogStore::Close() {
    // A day without a line is no day of the log.
    if (madeEmpty_ && file_.Size() == 0) DeleteFile(JoinPath(LogFolder(), openName_));
    madeEmpty_ = false;
    file_.Close();
    openName_.clear();
    openForWriting_ = false;
    reader_.Reset();
}

}  // namespace tv
