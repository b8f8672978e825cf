// The activity log: one text file per day in the folder "Log" of the program directory, named
// yyyymmdd.txt after a record's date (the flat log "log.txt" is in flat_log.h).
// A store keeps at most one day file open and is used by one thread at a time. A day file open
// for writing is held exclusively, so two writers never interleave; one open for reading is
// shared, so a reader (the log viewer) never makes a run drop the records it appends meanwhile.
#pragma once

#include <string>
#include <vector>

#include "log/line_reader.h"
#include "log/log_record.h"
#include "platform/file_system.h"

namespace tv {

class LogStore {
  public:
    // programDir holds "Log", "log.txt" and "log.idx".
    explicit LogStore(std::string programDir);

    // Appends a full record to the day file of record.date; false when that file can neither
    // be opened nor created (the record is dropped).
    bool Append(const LogRecord& record);
    // Opens the day file of date for appending, creating it when missing, and keeps it open until
    // Close: the records of a run that follow need no descriptor of their own, however many the
    // run holds by then. A day file made here that is still empty at Close is removed again.
    bool OpenForAppending(const std::string& date);
    // Appends the short line of a recognised medium.
    bool AppendRecognition(const std::string& date, const std::string& kindName,
                           const std::string& time);
    // Opens the day file of date for reading from its start (never creating it), closing what was
    // open; false when there is none.
    bool OpenForReading(const std::string& date);
    // Reads the next line of the day file into the fields: the file already open for reading,
    // else the day file of record->date. False at the end of the file, on an empty line, or
    // when the file cannot be opened (it is never created here). Fields that are not UTF-8 are
    // read as CP932 (DecodeLogLine).
    bool ReadNext(LogRecord* record);
    // One "yyyy/mm/dd" entry per day file, in file-system order.
    void ListDays(std::vector<std::string>* days) const;
    // Deletes the day files (yyyymmdd.txt) whose names sort before that of cutoff
    // ("yyyy/mm/dd"); the cutoff's own day and later ones stay.
    void Purge(const std::string& cutoff) const;
    void Close();

    // The name of the day file of a date ("20050701.txt"), or "" when the date is malformed.
    static std::string DayFileName(const std::string& date);

  private:
    bool OpenDayFile(const std::string& date, bool forWriting);

    std::string LogFolder() const;

    std::string programDir_;
    std::string openName_;
    bool openForWriting_ = false;
    bool madeEmpty_ = false;  // the open day file was made by OpenForAppending
    File file_;
    // ReadNext's position in the open file.
    LineReader reader_;
};

}  // namespace tv
