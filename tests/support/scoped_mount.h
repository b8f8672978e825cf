// Real mounts for tests that run as root: a bind mount of one folder onto another, an ext4
// file system made in an image file and mounted through a loop device, and the file systems of
// Windows media (FAT32, exFAT, NTFS) made in an image file and mounted through the FUSE drivers
// a Debian desktop uses for them. A mount is undone when
// its scope ends; a mount that the machine refuses is not made and says why, so that the test
// can skip with that reason.
#pragma once

#include <string>

namespace tv::test {

// A medium's file system served by a FUSE driver; NTFS as udisks mounts it (windows_names,
// refusing what Windows refuses) or plain.
enum class FuseKind { Fat32, Exfat, Ntfs, NtfsWindowsNames };
const char* NameOf(FuseKind kind);

class ScopedMount {
  public:
    // Mounts the folder from onto the existing folder onto.
    static ScopedMount Bind(const std::string& from, const std::string& onto);
    // Makes an ext4 file system of sizeMiB in a new image file and mounts it onto the folder.
    static ScopedMount Ext4Image(const std::string& image, const std::string& onto,
                                 int sizeMiB = 8);
    // Makes a FAT32 file system of sizeMiB in a new image file and mounts it onto the folder
    // through the kernel's vfat driver and a loop device.
    static ScopedMount VfatImage(const std::string& image, const std::string& onto,
                                 int sizeMiB = 64);
    // Mounts a file system in memory that holds sizeKiB, to fill up within a test.
    static ScopedMount Tmpfs(const std::string& onto, int sizeKiB);
    // Mounts an image made before (a medium inserted again) onto the folder.
    static ScopedMount Image(const std::string& image, const std::string& onto);
    // Makes a file system of the kind in a new image file of sizeMiB and mounts it onto the
    // folder through its FUSE driver. Unmounting waits for the driver to end, so that the image
    // then holds everything it wrote.
    static ScopedMount FuseImage(FuseKind kind, const std::string& image, const std::string& onto,
                                 int sizeMiB = 64);

    ~ScopedMount() { Unmount(); }
    ScopedMount(ScopedMount&& other) noexcept;
    ScopedMount& operator=(ScopedMount&&) = delete;
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

    bool mounted() const { return mounted_; }
    // Why the mount was refused; empty when it was made.
    const std::string& refusal() const { return refusal_; }
    // Undoes the mount now (detached when still busy); true when it is gone.
    bool Unmount();

  private:
    // Makes a file system of sizeMiB in a new image file with the mkfs command given and mounts
    // it through a loop device.
    static ScopedMount LoopImage(const std::string& mkfs, const std::string& image,
                                 const std::string& onto, int sizeMiB);
    ScopedMount(std::string target, std::string refusal, std::string driverImage = {});

    std::string target_;
    std::string driverImage_;  // the image a FUSE driver serves, empty for a kernel mount
    std::string refusal_;
    bool mounted_ = false;
};

// The loud message a test skips with when a mount it needs was refused.
std::string MountRefusedMessage(const ScopedMount& mount);

}  // namespace tv::test
