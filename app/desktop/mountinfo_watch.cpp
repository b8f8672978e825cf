#include "app/desktop/mountinfo_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <QObject>
#include <utility>

namespace tv {

namespace {

constexpr const char* kMountTable = "/proc/self/mountinfo";

// The condition stays raised until the table has been read again from its start.
void ReadToEnd(int fd) {
    char chunk[4096];
    lseek(fd, 0, SEEK_SET);
    while (read(fd, chunk, sizeof chunk) > 0) {
    }
}

}  // namespace

MountinfoWatch::~MountinfoWatch() { Stop(); }

bool MountinfoWatch::Start(std::function<void()> onChange) {
    Stop();
    fd_ = open(kMountTable, O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    ReadToEnd(fd_);
    onChange_ = std::move(onChange);
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Changed(); });
    return true;
}

void MountinfoWatch::Stop() {
    notifier_.reset();
    onChange_ = nullptr;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

void MountinfoWatch::Changed() {
    ReadToEnd(fd_);
    if (onChange_) onChange_();
}

}  // namespace tv
