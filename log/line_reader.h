// Reads the lines of an open file in bounded chunks, so that a damaged or hostile file (huge
// lines, no line ends at all) never makes the reader hold more than a fixed amount of memory.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_system.h"

namespace tv {

class LineReader {
  public:
    // Longer lines are cut here; the rest of such a line is skipped up to its line end.
    static constexpr size_t kMaxLineBytes = 64 * 1024;

    // Forgets what was buffered (a new file is about to be read).
    void Reset();
    // The next line without its line end (LF or CR LF); false at the end of the file or on a
    // read error. A last line without a line end is still a line.
    bool Next(File* file, std::string* line);

  private:
    static constexpr size_t kChunkBytes = 64 * 1024;

    // Replaces the consumed buffer with the next chunk of the file; false at the end.
    bool Refill(File* file);

    std::string buffer_;
    size_t pos_ = 0;
};

}  // namespace tv
