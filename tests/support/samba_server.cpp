#include "tests/support/samba_server.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/paths.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kSmbd = "/usr/sbin/smbd";
constexpr const char* kSmbpasswd = "/usr/bin/smbpasswd";
constexpr auto kStartPatience = std::chrono::seconds(15);
constexpr auto kPortPatience = std::chrono::seconds(240);
constexpr auto kPortReleasePatience = std::chrono::seconds(15);
constexpr const char* kPortLockPath = "/tmp/tessaravine-test-smb-port.lock";
// The local account that the server's one account maps to.
constexpr const char* kLocalUser = "root";

// The settings that keep the server's state, and the folder each gets below the base.
struct StateFolder {
    const char* setting;
    const char* folder;
};
constexpr StateFolder kStateFolders[] = {
    {"private dir", "private"},   {"lock directory", "lock"}, {"state directory", "state"},
    {"cache directory", "cache"}, {"pid directory", "pid"},   {"ncalrpc dir", "ncalrpc"},
};

std::string ShareSection(const std::string& name, const std::string& folder, ShareAccess access) {
    std::string section = "[" + name + "]\n  path = " + folder + "\n";
    switch (access) {
        case ShareAccess::kAccount:
            return section + "  read only = no\n  valid users = " + kLocalUser + "\n";
        case ShareAccess::kGuest:
            return section + "  read only = no\n  guest ok = yes\n  guest only = yes\n";
        case ShareAccess::kReadOnly:
            return section + "  read only = yes\n  guest ok = yes\n";
    }
    return section;
}

// Guests are served as an unprivileged account, which must be able to pass through every folder
// above the shares (a test's temporary folder is closed to others).
void OpenPathToOthers(const std::string& folder) {
    for (std::string path = folder; path.size() > 1; path = ContainingFolder(path)) {
        struct stat status {};
        if (stat(path.c_str(), &status) == 0)
            chmod(path.c_str(), (status.st_mode & 07777) | S_IXOTH);
    }
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

SambaServer::SambaServer(std::string base) : base_(std::move(base)) {}

SambaServer::~SambaServer() {
    Stop();
    if (portLock_ >= 0) close(portLock_);
}

void SambaServer::AddShare(const std::string& name, ShareAccess access) {
    shares_.push_back({name, access});
}

void SambaServer::SetAccount(const std::string& user, const std::string& password) {
    user_ = user;
    password_ = password;
}

std::string SambaServer::FolderOf(const std::string& share) const {
    return JoinPath(JoinPath(base_, "shares"), share);
}

std::string SambaServer::NetworkName(const std::string& share) {
    return std::string("//") + kAddress + "/" + share;
}

std::string SambaServer::ConfigPath() const { return JoinPath(base_, "smb.conf"); }

std::string SambaServer::Configuration() const {
    std::string text =
        "[global]\n"
        "  server role = standalone server\n"
        "  workgroup = WORKGROUP\n"
        "  interfaces = " +
        std::string(kAddress) +
        "\n"
        "  bind interfaces only = yes\n"
        "  smb ports = " +
        std::to_string(kPort) +
        "\n"
        "  disable netbios = yes\n"
        "  map to guest = Bad User\n"
        "  load printers = no\n"
        "  printcap name = /dev/null\n"
        "  disable spoolss = yes\n"
        "  log file = " +
        JoinPath(base_, "smbd.log") +
        "\n  passdb backend = tdbsam:" + JoinPath(base_, "private/passdb.tdb") +
        "\n  username map = " + JoinPath(base_, "usermap") + "\n";
    for (const StateFolder& state : kStateFolders) {
        text += std::string("  ") + state.setting + " = " + JoinPath(base_, state.folder) + "\n";
    }
    for (const Share& share : shares_) {
        text += ShareSection(share.name, FolderOf(share.name), share.access);
    }
    return text;
}

bool SambaServer::Fail(const std::string& why) {
    error_ = "the test SMB server cannot start: " + why;
    return false;
}

bool SambaServer::PrepareFolders() {
    std::error_code error;
    for (const StateFolder& state : kStateFolders) {
        std::filesystem::create_directories(JoinPath(base_, state.folder), error);
    }
    for (const Share& share : shares_) {
        std::filesystem::create_directories(FolderOf(share.name), error);
        // Guests write as the unprivileged guest account.
        chmod(FolderOf(share.name).c_str(), 0777);
    }
    OpenPathToOthers(JoinPath(base_, "shares"));
    return !error && WriteText(ConfigPath(), Configuration()) &&
           WriteText(JoinPath(base_, "usermap"), std::string(kLocalUser) + " = " + user_ + "\n");
}

bool SambaServer::AddAccountToPasswordDatabase() {
    // The password goes in on standard input, never on the command line.
    const int status =
        RunWithInput({kSmbpasswd, "-c", ConfigPath(), "-a", "-s", kLocalUser},
                     password_ + "\n" + password_ + "\n", JoinPath(base_, "smbpasswd.out"));
    return status == 0;
}

namespace {

// Waits for the machine-wide lock of the port; -1 when another test held it too long.
int TakePortInTurn() {
    const int fd = open(kPortLockPath, O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (WaitUntil(kPortPatience, [fd] { return flock(fd, LOCK_EX | LOCK_NB) == 0; })) return fd;
    close(fd);
    return -1;
}

}  // namespace

bool SambaServer::Start() {
    if (geteuid() != 0) return Fail("it needs root for port 445; run the tests as root");
    if (access(kSmbd, X_OK) != 0) return Fail(std::string(kSmbd) + " missing (package samba)");
    if (portLock_ < 0 && (portLock_ = TakePortInTurn()) < 0) {
        return Fail(std::string("another test kept port 445 (") + kPortLockPath + ") too long");
    }
    // The servers of the test before may still be ending their connections, which keep the
    // port open for a moment after their parent has gone.
    const bool portFree =
        WaitUntil(kPortReleasePatience, [] { return !AcceptsConnections(kAddress, kPort); });
    if (!portFree) {
        return Fail("another program already listens on " + std::string(kAddress) + ":" +
                    std::to_string(kPort));
    }
    if (!PrepareFolders()) return Fail("cannot write its files below " + base_);
    if (!user_.empty() && !AddAccountToPasswordDatabase()) {
        return Fail("smbpasswd could not add the account (see " + JoinPath(base_, "smbpasswd.out") +
                    ")");
    }
    std::string why;
    if (!smbd_.Start({kSmbd, "--foreground", "--no-process-group", "--configfile=" + ConfigPath()},
                     JoinPath(base_, "smbd.out"), &why)) {
        return Fail(why);
    }
    if (!WaitUntil(kStartPatience, [] { return AcceptsConnections(kAddress, kPort); })) {
        Stop();
        return Fail("smbd did not accept connections (see " + JoinPath(base_, "smbd.log") + ")");
    }
    return true;
}

void SambaServer::Stop() {
    smbd_.Stop();
    // The servers smbd forked for each connection end with it, or are ended here.
    EndProcesses(ProcessesWith("cmdline", ConfigPath()));
}

}  // namespace tv::test
