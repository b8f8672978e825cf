#include "platform/linux/gio_share_mounter.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/linux/glib_owners.h"
#include "platform/linux/mount_errors.h"
#include "platform/linux/private_main_loop.h"
#include "platform/linux/share_address.h"
#include "platform/network_paths.h"

namespace tv {
namespace {

// Answers the client's password questions for one mount. The first question gets the
// credentials (or, without any, an anonymous login where the share allows one); a second
// question means the first answer did not get in, and is refused rather than answered with the
// same pair again. Nothing is ever saved in a keyring.
class PasswordAnswers {
  public:
    explicit PasswordAnswers(const ShareCredentials* credentials) : credentials_(credentials) {}

    static void OnAskPassword(GMountOperation* operation, gchar* /*message*/,
                              gchar* /*defaultUser*/, gchar* defaultDomain, GAskPasswordFlags flags,
                              gpointer self) {
        static_cast<PasswordAnswers*>(self)->Answer(operation, defaultDomain, flags);
    }

  private:
    void Answer(GMountOperation* operation, const gchar* defaultDomain, GAskPasswordFlags flags) {
        g_mount_operation_set_password_save(operation, G_PASSWORD_SAVE_NEVER);
        if (++questions_ > 1) return g_mount_operation_reply(operation, G_MOUNT_OPERATION_ABORTED);
        if (credentials_ == nullptr) return AnswerAnonymously(operation, flags);
        SetUser(operation, credentials_->user, defaultDomain);
        g_mount_operation_set_password(operation, credentials_->password.c_str());
        g_mount_operation_reply(operation, G_MOUNT_OPERATION_HANDLED);
    }

    static void AnswerAnonymously(GMountOperation* operation, GAskPasswordFlags flags) {
        if ((flags & G_ASK_PASSWORD_ANONYMOUS_SUPPORTED) == 0) {
            return g_mount_operation_reply(operation, G_MOUNT_OPERATION_ABORTED);
        }
        g_mount_operation_set_anonymous(operation, TRUE);
        g_mount_operation_reply(operation, G_MOUNT_OPERATION_HANDLED);
    }

    // A user written "DOMAIN\name", as Windows users do, logs into that domain.
    static void SetUser(GMountOperation* operation, const std::string& user,
                        const gchar* defaultDomain) {
        const size_t separator = user.find('\\');
        if (separator == std::string::npos) {
            g_mount_operation_set_username(operation, user.c_str());
            g_mount_operation_set_domain(operation, defaultDomain ? defaultDomain : "");
            return;
        }
        g_mount_operation_set_domain(operation, user.substr(0, separator).c_str());
        g_mount_operation_set_username(operation, user.substr(separator + 1).c_str());
    }

    const ShareCredentials* credentials_;
    int questions_ = 0;
};

// The address of a share named exactly "//server/share" (a trailing separator allowed).
bool ParseShare(const std::string& share, ShareAddress* address) {
    std::string rest;
    return SplitNetworkPath(share, address, &rest) && (rest.empty() || rest == "/");
}

detail::GObjectPtr<GFile> ShareRoot(const ShareAddress& address) {
    return detail::GObjectPtr<GFile>(g_file_new_for_uri(ShareUri(address).c_str()));
}

// Mounts the share; the error it failed with, null when it is mounted now.
detail::GErrorPtr MountShare(GFile* root, const ShareCredentials* credentials,
                             std::chrono::milliseconds timeout, bool* timedOut) {
    detail::PrivateMainLoop loop(timeout);
    PasswordAnswers answers(credentials);
    const detail::GObjectPtr<GMountOperation> operation(g_mount_operation_new());
    g_signal_connect(operation.get(), "ask-password", G_CALLBACK(PasswordAnswers::OnAskPassword),
                     &answers);
    detail::CallEnd end{&loop, nullptr};
    g_file_mount_enclosing_volume(root, G_MOUNT_MOUNT_NONE, operation.get(), loop.cancellable(),
                                  detail::OnCallEnded<GFile, g_file_mount_enclosing_volume_finish>,
                                  &end);
    *timedOut = !loop.Run();
    // The operation may outlive this call inside the client; it must not call back into it.
    g_signal_handlers_disconnect_by_data(operation.get(), &answers);
    return std::move(end.error);
}

bool UnmountShare(GFile* root, std::chrono::milliseconds timeout) {
    detail::PrivateMainLoop loop(timeout);
    GError* raw = nullptr;
    const detail::GObjectPtr<GMount> mount(
        g_file_find_enclosing_mount(root, loop.cancellable(), &raw));
    const detail::GErrorPtr lookupError(raw);
    if (!mount) return false;
    detail::CallEnd end{&loop, nullptr};
    g_mount_unmount_with_operation(
        mount.get(), G_MOUNT_UNMOUNT_NONE, nullptr, loop.cancellable(),
        detail::OnCallEnded<GMount, g_mount_unmount_with_operation_finish>, &end);
    return loop.Run() && !end.error;
}

// The FUSE folder of a share that has just been mounted can take a moment to answer on a busy
// machine; a run that starts at once would find its destination missing.
bool WaitUntilFolderAnswers(const std::string& folder, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    struct stat status {};
    while (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

MountResult GioShareMounter::Mount(const std::string& share, const ShareCredentials* credentials) {
    ShareAddress address;
    if (!ParseShare(share, &address)) return MountResult::kUnreachable;
    const detail::GObjectPtr<GFile> root = ShareRoot(address);
    bool timedOut = false;
    const detail::GErrorPtr error = MountShare(root.get(), credentials, timeout_, &timedOut);
    if (timedOut) return MountResult::kUnreachable;
    const MountResult result = error ? MountResultOfError(error.get()) : MountResult::kMounted;
    if (result != MountResult::kMounted && result != MountResult::kAlreadyMounted) return result;
    // A share that plain file calls cannot reach is of no use to a run.
    const std::string folder = ToLocalPath(share);
    if (!folder.empty() && WaitUntilFolderAnswers(folder, timeout_)) return result;
    ForgetLocalFolder(share);
    if (result == MountResult::kMounted) UnmountShare(root.get(), timeout_);
    return MountResult::kUnreachable;
}

bool GioShareMounter::Unmount(const std::string& share) {
    ForgetLocalFolder(share);
    ShareAddress address;
    if (!ParseShare(share, &address)) return false;
    return UnmountShare(ShareRoot(address).get(), timeout_);
}

}  // namespace tv
