// "Decision.txt", the record of whole-volume runs: one line for every finished run of a whole
// drive or medium, so that the next run of the same volume knows it was copied before and calls
// itself a mirroring rather than a backup. A run holds the file open and locked from its start
// to its end, which keeps other writers out meanwhile.
#pragma once

#include <cstdint>
#include <string>

#include "platform/date_time.h"
#include "platform/file_system.h"

namespace tv {

// How a line for a volume known by its serial number is laid out.
enum class DecisionLayout {
    Tabs,    // drive-unit, file/directory and manual removable runs
    Commas,  // automatic removable runs
};

class DecisionFile {
  public:
    static constexpr const char* kFileName = "Decision.txt";

    // What a volume with a serial number is known by in the file: the number in decimal.
    static std::string VolumeIdentifier(uint32_t volumeSerial);

    // Opens the file in programDir for reading and appending, creating it when missing and
    // never cutting it, and locks it for the run. False when it cannot be opened or another
    // holder has it: the run goes on, finds nothing and writes nothing.
    bool Open(const std::string& programDir);
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }

    // True when a line begins with identifier, read from the front of the file. Lines end in
    // CR LF or LF. An empty identifier, or one that no line could hold, is never found.
    bool Find(const std::string& identifier);

    // Appends the line of a finished run of a volume with a serial number: MIRROR when the
    // volume was found before the run (known), else BACKUP, with the run's start time. The line
    // is written whole or not at all; false when nothing was written.
    bool Append(uint32_t volumeSerial, DecisionLayout layout, bool known, const DateTime& start);
    // The same for a medium known by the text of its serial file. A text that is empty or holds
    // a control character is refused, as it would break the line apart or match every line.
    bool Append(const std::string& serialText, bool known, const DateTime& start);

  private:
    bool AppendLine(const std::string& line);
    // True for an empty file or one whose last byte ends a line.
    bool EndsInLineEnd();

    File file_;
};

}  // namespace tv
