// Text files of the program: UTF-8 with CR LF line ends. Readers accept CR LF or LF and read a
// line that is not valid UTF-8 as CP932 (Shift-JIS), so files written on a Japanese Windows
// machine still load.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tv {

// The lines of a file without their line ends, each as UTF-8 (see DecodeLine); false when the
// file cannot be read. A line ends at LF or CR LF; a lone CR stays part of its line. A last
// line without a line end is still a line; a file ending in a line end has no empty last line.
bool ReadTextLines(const std::string& path, std::vector<std::string>* lines);
// Splits text into lines the same way (for readers that already hold the bytes).
std::vector<std::string> SplitTextLines(const std::string& bytes);
// Writes every line followed by CR LF, through a temporary file renamed over path. The lines
// are written as given: a caller must keep line ends out of them.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
// Appends one line with CR LF, creating the file when missing.
bool AppendTextLine(const std::string& path, const std::string& line);

// Length of the well-formed UTF-8 sequence that starts at bytes[pos] (pos < bytes.size()), or 0
// when none does: no overlong forms, no surrogates (U+D800..U+DFFF), nothing above U+10FFFF.
size_t Utf8SequenceLength(const std::string& bytes, size_t pos);
bool IsValidUtf8(const std::string& bytes);
// A line as UTF-8: itself when valid, else decoded from CP932 (undecodable bytes become U+FFFD).
std::string DecodeLine(const std::string& bytes);

}  // namespace tv
