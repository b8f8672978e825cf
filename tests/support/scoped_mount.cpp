#include "tests/support/scoped_mount.h"

#include <dirent.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "tests/support/wait_until.h"

namespace tv::test {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// Runs a command with its output discarded; the reason it failed, empty when it succeeded.
std::string FailureOf(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    if (status == 0) return std::string();
    return "'" + command + "' exited with status " + std::to_string(status);
}

std::string MkfsCommand(FuseKind kind, const std::string& image) {
    switch (kind) {
        case FuseKind::Fat32:
            return "mkfs.vfat -F 32 " + ShellQuoted(image);
        case FuseKind::Exfat:
            return "mkfs.exfat " + ShellQuoted(image);
        case FuseKind::Ntfs:
        case FuseKind::NtfsWindowsNames:
            break;
    }
    return "mkntfs -F -Q " + ShellQuoted(image);
}

// exFAT's driver wants a block device: mount sets up a loop device, freed when the driver ends.
std::string MountCommand(FuseKind kind, const std::string& image, const std::string& onto) {
    const std::string places = ShellQuoted(image) + " " + ShellQuoted(onto);
    switch (kind) {
        case FuseKind::Fat32:
            return "fusefat -o rw+ " + places;
        case FuseKind::Exfat:
            return "mount -t exfat-fuse -o loop " + places;
        case FuseKind::Ntfs:
            return "ntfs-3g " + places;
        case FuseKind::NtfsWindowsNames:
            break;
    }
    return "ntfs-3g -o windows_names " + places;
}

// Whether a running process names the image on its command line (the FUSE driver serving it).
bool DriverServes(const std::string& image) {
    DIR* processes = opendir("/proc");
    if (processes == nullptr) return false;
    bool serves = false;
    while (dirent* entry = readdir(processes)) {
        std::ifstream commandLine(std::string("/proc/") + entry->d_name + "/cmdline");
        const std::string text((std::istreambuf_iterator<char>(commandLine)),
                               std::istreambuf_iterator<char>());
        if (text.find(image) != std::string::npos) serves = true;
    }
    closedir(processes);
    return serves;
}

void WaitUntilNoDriverServes(const std::string& image) {
    WaitUntil(
        std::chrono::seconds(5), [&image] { return !DriverServes(image); },
        std::chrono::milliseconds(10));
}

}  // namespace

const char* NameOf(FuseKind kind) {
    switch (kind) {
        case FuseKind::Fat32:
            return "FAT32";
        case FuseKind::Exfat:
            return "exFAT";
        case FuseKind::Ntfs:
            return "NTFS";
        case FuseKind::NtfsWindowsNames:
            break;
    }
    return "NTFS (windows_names)";
}

ScopedMount::ScopedMount(std::string target, std::string refusal, std::string driverImage)
    : target_(std::move(target)),
      driverImage_(std::move(driverImage)),
      refusal_(std::move(refusal)),
      mounted_(refusal_.empty()) {}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : target_(std::move(other.target_)),
      driverImage_(std::move(other.driverImage_)),
      refusal_(std::move(other.refusal_)),
      mounted_(other.mounted_) {
    other.mounted_ = false;
}

ScopedMount ScopedMount::Bind(const std::string& from, const std::string& onto) {
    if (mount(from.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) == 0) {
        return ScopedMount(onto, std::string());
    }
    return ScopedMount(onto, "mount --bind " + from + " " + onto + ": " + std::strerror(errno));
}

ScopedMount ScopedMount::Ext4Image(const std::string& image, const std::string& onto, int sizeMiB) {
    return LoopImage("mkfs.ext4 -q -F", image, onto, sizeMiB);
}

ScopedMount ScopedMount::VfatImage(const std::string& image, const std::string& onto, int sizeMiB) {
    return LoopImage("mkfs.vfat -F 32", image, onto, sizeMiB);
}

ScopedMount ScopedMount::LoopImage(const std::string& mkfs, const std::string& image,
                                   const std::string& onto, int sizeMiB) {
    const std::string steps[] = {
        "truncate -s " + std::to_string(sizeMiB) + "M " + ShellQuoted(image),
        mkfs + " " + ShellQuoted(image),
    };
    for (const std::string& step : steps) {
        std::string failure = FailureOf(step);
        if (!failure.empty()) return ScopedMount(onto, failure);
    }
    return Image(image, onto);
}

ScopedMount ScopedMount::Tmpfs(const std::string& onto, int sizeKiB) {
    const std::string options = "size=" + std::to_string(sizeKiB) + "k";
    if (mount("tmpfs", onto.c_str(), "tmpfs", 0, options.c_str()) == 0) {
        return ScopedMount(onto, std::string());
    }
    return ScopedMount(
        onto, "mount -t tmpfs -o " + options + " tmpfs " + onto + ": " + std::strerror(errno));
}

ScopedMount ScopedMount::Image(const std::string& image, const std::string& onto) {
    return ScopedMount(onto,
                       FailureOf("mount -o loop " + ShellQuoted(image) + " " + ShellQuoted(onto)));
}

ScopedMount ScopedMount::FuseImage(FuseKind kind, const std::string& image, const std::string& onto,
                                   int sizeMiB) {
    const std::string steps[] = {
        "truncate -s " + std::to_string(sizeMiB) + "M " + ShellQuoted(image),
        MkfsCommand(kind, image),
        MountCommand(kind, image, onto),
    };
    for (const std::string& step : steps) {
        std::string failure = FailureOf(step);
        if (!failure.empty()) return ScopedMount(onto, failure);
    }
    return ScopedMount(onto, std::string(), image);
}

bool ScopedMount::Unmount() {
    if (!mounted_) return true;
    if (umount2(target_.c_str(), 0) != 0 && umount2(target_.c_str(), MNT_DETACH) != 0) {
        return false;
    }
    mounted_ = false;
    if (!driverImage_.empty()) WaitUntilNoDriverServes(driverImage_);
    return true;
}

std::string MountRefusedMessage(const ScopedMount& mount) {
    return "SKIPPED LOUDLY: this test needs a real mount and the machine refused it (" +
           mount.refusal() + "); run it as root on a machine that allows mounts";
}

}  // namespace tv::test
