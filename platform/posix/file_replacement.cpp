#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/file_system_replacement.h"
#include "platform/paths.h"
#include "platform/posix/unique_fd.h"

namespace tv::detail {
namespace {

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolderOf(const std::string& path) {
    const std::string folder = ContainingFolder(path);
    const UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) fsync(fd.get());
}

}  // namespace

ReplacementFile::~ReplacementFile() {
    file_.Close();
    if (!committed_ && !temporary_.empty()) unlink(temporary_.c_str());
}

bool ReplacementFile::Create(uint32_t mode) {
    return file_.CreateTemporaryBeside(target_, &temporary_, mode);
}

bool ReplacementFile::Finish() {
    const bool flushed = file_.Flush();
    file_.Close();
    return flushed;
}

bool ReplacementFile::Commit() {
    if (temporary_.empty() || rename(temporary_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    SyncFolderOf(target_);
    return true;
}

}  // namespace tv::detail
