#include "platform/drive_table_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tv {
namespace {

bool HasLineBreakOrTab(const std::string& text) {
    return text.find_first_of("\t\r\n") != std::string::npos;
}

std::string BlanksForLineBreaksAndTabs(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

std::string SerialText(const DriveInfo& drive) {
    if (!drive.hasSerial) return "-";
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(drive.serial));
    return text;
}

std::string DriveLine(const DriveInfo& drive) {
    return std::string(1, drive.letter) + '\t' + std::to_string(drive.type) + '\t' + drive.root +
           '\t' + SerialText(drive) + '\t' + BlanksForLineBreaksAndTabs(drive.label) + '\t' +
           drive.device + '\t' + (drive.pinned ? "pinned" : "auto") + "\r\n";
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool Close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

}  // namespace

std::string FormatDrivesFile(const std::vector<DriveInfo>& drives) {
    std::string bytes;
    for (const DriveInfo& drive : drives) {
        if (HasLineBreakOrTab(drive.root) || HasLineBreakOrTab(drive.device)) continue;
        bytes += DriveLine(drive);
    }
    return bytes;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) return false;
    const bool written =
        ::fchmod(file.get(), 0644) == 0 && WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tv
