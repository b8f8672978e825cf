// A real SMB server for tests: smbd on 127.0.0.1, port 445, with every file it keeps (its
// configuration, password database, locks, logs and the shared folders) below one folder. It
// needs root (port 445 and the change of user that serving files takes) and the samba package;
// when it cannot start, error() says why. Its one account maps to the local user root, so no
// system account is ever made. Servers of tests running at the same time on one machine take
// the port in turn.
#pragma once

#include <string>
#include <vector>

#include "tests/support/spawned_process.h"

namespace tv::test {

enum class ShareAccess {
    kAccount,   // only the account, with its password, reads and writes
    kGuest,     // anyone, as guest, reads and writes
    kReadOnly,  // anyone, as guest, reads only
};

class SambaServer {
  public:
    static constexpr const char* kAddress = "127.0.0.1";
    static constexpr int kPort = 445;

    explicit SambaServer(std::string base);
    ~SambaServer();
    SambaServer(const SambaServer&) = delete;
    SambaServer& operator=(const SambaServer&) = delete;

    // Before Start: a share of that name on a new folder, and the account.
    void AddShare(const std::string& name, ShareAccess access);
    void SetAccount(const std::string& user, const std::string& password);
    // Starts the server and waits until it accepts connections; false, with error(), when not.
    bool Start();
    void Stop();
    const std::string& error() const { return error_; }

    // The folder on the server's disk that the share shows.
    std::string FolderOf(const std::string& share) const;
    // "//127.0.0.1/share"
    static std::string NetworkName(const std::string& share);

  private:
    struct Share {
        std::string name;
        ShareAccess access;
    };
    std::string ConfigPath() const;
    std::string Configuration() const;
    bool Fail(const std::string& why);
    bool PrepareFolders();
    bool AddAccountToPasswordDatabase();

    std::string base_;
    std::vector<Share> shares_;
    std::string user_;
    std::string password_;
    SpawnedProcess smbd_;
    std::string error_;
    // Held from Start to the end: tests that run side by side take port 445 in turn.
    int portLock_ = -1;
};

}  // namespace tv::test
