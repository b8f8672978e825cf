// One file of the listing with what the walk read of it. The rules decide on this reading, as
// a run that lists with FindFirstFile decides on what the listing found: the file's status is
// not read again for every rule.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace tv {

struct ListedFile {
    std::string path;
    FileTime lastWrite;
    uint64_t size = 0;
    uint32_t attributes = 0;
    NodeIdentity node;              // the file the listing saw: the copy reads no other
    bool copySeenCurrent = false;   // the look ahead saw its copy needing nothing
    bool foldsWithEarlier = false;  // an earlier entry of its folder has its name but for case

    // The reading as the rules take it (no name, no creation or access time: no rule asks).
    FileStatus Status() const {
        FileStatus status;
        status.lastWrite = lastWrite;
        status.size = size;
        status.attributes = attributes;
        return status;
    }
};

inline ListedFile ListedFileOf(std::string path, const FileStatus& status) {
    return ListedFile{std::move(path), status.lastWrite, status.size, status.attributes,
                      status.node};
}

}  // namespace tv
