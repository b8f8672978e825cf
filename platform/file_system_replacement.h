// A new version of a file, written to a temporary file beside it and put in its place with one
// rename, so the old version stays whole until the new one is complete. The temporary file is
// removed when the replacement is abandoned.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace tv::detail {

class ReplacementFile {
  public:
    explicit ReplacementFile(std::string target) : target_(std::move(target)) {}
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // The temporary file, with the permission bits of mode that the process's mask lets through.
    bool Create(uint32_t mode = 0600);
    File& file() { return file_; }
    const std::string& temporaryPath() const { return temporary_; }
    // Writes the data through to the disk and closes the temporary file; its name stays
    // valid for setting times and attributes until Commit.
    bool Finish();
    // Renames the temporary file over the target.
    bool Commit();

  private:
    std::string target_;
    std::string temporary_;
    File file_;
    bool committed_ = false;
};

}  // namespace tv::detail
