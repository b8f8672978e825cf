#include "tests/support/scoped_mount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

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

}  // namespace

ScopedMount::ScopedMount(std::string target, std::string refusal)
    : target_(std::move(target)), refusal_(std::move(refusal)), mounted_(refusal_.empty()) {}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : target_(std::move(other.target_)),
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
    const std::string steps[] = {
        "truncate -s " + std::to_string(sizeMiB) + "M " + ShellQuoted(image),
        "mkfs.ext4 -q -F " + ShellQuoted(image),
    };
    for (const std::string& step : steps) {
        std::string failure = FailureOf(step);
        if (!failure.empty()) return ScopedMount(onto, failure);
    }
    return Image(image, onto);
}

ScopedMount ScopedMount::Image(const std::string& image, const std::string& onto) {
    return ScopedMount(onto,
                       FailureOf("mount -o loop " + ShellQuoted(image) + " " + ShellQuoted(onto)));
}

bool ScopedMount::Unmount() {
    if (!mounted_) return true;
    if (umount2(target_.c_str(), 0) != 0 && umount2(target_.c_str(), MNT_DETACH) != 0) {
        return false;
    }
    mounted_ = false;
    return true;
}

std::string MountRefusedMessage(const ScopedMount& mount) {
    return "SKIPPED LOUDLY: this test needs a real mount and the machine refused it (" +
           mount.refusal() + "); run it as root on a machine that allows mounts";
}

}  // namespace tv::test
