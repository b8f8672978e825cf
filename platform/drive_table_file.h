// drives.tsv: the drive table as a text file for programs that link nothing of ours (CardProbe
// resolves a letter through it). One line per present letter: letter, type, root, serial
// (8 upper-case hex digits or "-"), label, device, "pinned"/"auto", separated by tabs, UTF-8,
// CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace tv {

// The file's bytes. A drive whose root or device holds a tab, a line end or a NUL cannot be
// written and is left out; such characters in a label become blanks.
std::string FormatDrivesFile(const std::vector<DriveInfo>& drives);

}  // namespace tv
