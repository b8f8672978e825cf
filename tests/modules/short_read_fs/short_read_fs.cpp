// A file system of one read-only file, "data.bin", whose every read returns at most a few
// hundred bytes, however many were asked for: a source that gives its bytes in short reads,
// as network and user-space file systems may. Byte i of the file is (i * 7 + i / 251) % 256.
//
//   short_read_fs SIZE MOUNTPOINT    (runs in the foreground until unmounted or ended)
#define FUSE_USE_VERSION 31

#include <fuse.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr char kName[] = "data.bin";
constexpr size_t kMostPerRead = 777;
off_t fileSize = 0;
const time_t kWritten = 1120210200;  // 2005-07-01 09:30:00 UTC

bool IsFile(const char* path) { return path[0] == '/' && std::strcmp(path + 1, kName) == 0; }

int GetAttributes(const char* path, struct stat* st, fuse_file_info*) {
    std::memset(st, 0, sizeof *st);
    if (std::strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
    } else if (IsFile(path)) {
        st->st_mode = S_IFREG | 0644;
        st->st_nlink = 1;
        st->st_size = fileSize;
    } else {
        return -ENOENT;
    }
    st->st_mtime = st->st_atime = st->st_ctime = kWritten;
    return 0;
}

int ReadFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
               fuse_readdir_flags) {
    if (std::strcmp(path, "/") != 0) return -ENOENT;
    fill(buffer, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, kName, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    return 0;
}

int Open(const char* path, fuse_file_info* info) {
    if (!IsFile(path)) return -ENOENT;
    if ((info->flags & O_ACCMODE) != O_RDONLY) return -EACCES;
    // Without the page cache the kernel hands each short answer to the reader as it is.
    info->direct_io = 1;
    return 0;
}

int Read(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info*) {
    if (!IsFile(path)) return -ENOENT;
    if (offset >= fileSize) return 0;
    size_t count = size < kMostPerRead ? size : kMostPerRead;
    if (static_cast<off_t>(count) > fileSize - offset)
        count = static_cast<size_t>(fileSize - offset);
    for (size_t i = 0; i < count; ++i) {
        const uint64_t at = static_cast<uint64_t>(offset) + i;
        buffer[i] = static_cast<char>((at * 7 + at / 251) % 256);
    }
    return static_cast<int>(count);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    fileSize = std::atoll(argv[1]);
    fuse_operations operations{};
    operations.getattr = GetAttributes;
    operations.readdir = ReadFolder;
    operations.open = Open;
    operations.read = Read;
    char* arguments[] = {argv[0], const_cast<char*>("-f"), const_cast<char*>("-s"), argv[2],
                         nullptr};
    return fuse_main(4, arguments, &operations, nullptr);
}
