#include "settings/network_connection.h"

#include "platform/win_constants.h"

namespace tv {
namespace {

constexpr const char* kCannotConnectText = "接続できません";
constexpr const char* kProgramCaption = "Tessaravine";
constexpr const char* kWhiteSpace = " \t\r\n\v\f";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos) return std::string();
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

bool IsBlankPair(const std::string& user, const std::string& password) {
    return Trimmed(user).empty() && Trimmed(password).empty();
}

bool ConnectsWithPair(const std::string& share, const std::string& user,
                      const std::string& password, ShareMounter& mounter) {
    if (IsBlankPair(user, password)) return false;
    const ShareCredentials credentials{user, password};
    return mounter.Mount(share, &credentials) == MountResult::kMounted;
}

// The entered pair goes into the first pair when that is free, else replaces the second.
void RememberEnteredPair(SettingsRecord& record, const ShareCredentials& entered) {
    record.User1 = Trimmed(record.User1);
    if (record.User1.empty()) {
        record.User1 = entered.user;
        record.Pass1 = entered.password;
    } else {
        record.User2 = entered.user;
        record.Pass2 = entered.password;
    }
}

int ConnectWithPrompt(SettingsRecord& record, const std::string& share, ShareMounter& mounter,
                      Prompts& prompts) {
    ShareCredentials entered;
    if (!prompts.AskPassword(share, &entered) ||
        mounter.Mount(share, &entered) != MountResult::kMounted) {
        prompts.MessageBox(kCannotConnectText, kProgramCaption, kMbOk | kMbIconExclamation);
        return -1;
    }
    RememberEnteredPair(record, entered);
    return 0;
}

}  // namespace

std::string ShareName(const std::string& destination) {
    if (destination.compare(0, 2, "//") != 0) return std::string();
    const auto server_end = destination.find('/', 2);
    if (server_end == std::string::npos || server_end == 2) return std::string();
    const auto share_end = destination.find('/', server_end + 1);
    const auto share_length =
        (share_end == std::string::npos ? destination.size() : share_end) - server_end - 1;
    if (share_length == 0) return std::string();
    return destination.substr(0, server_end + 1 + share_length);
}

int ConnectDestination(SettingsRecord& record, const std::string& destination,
                       ShareMounter& mounter, Prompts& prompts) {
    const std::string share = ShareName(destination);
    if (share.empty()) return -1;
    DisconnectDestination(destination, mounter);
    switch (mounter.Mount(share, nullptr)) {
        case MountResult::kMounted:
            return 0;
        case MountResult::kAlreadyMounted:
            return 1;
        case MountResult::kUnreachable:
            return -1;
        case MountResult::kRefused:
            break;
    }
    if (ConnectsWithPair(share, record.User1, record.Pass1, mounter)) return 0;
    if (ConnectsWithPair(share, record.User2, record.Pass2, mounter)) return 0;
    return ConnectWithPrompt(record, share, mounter, prompts);
}

int DisconnectDestination(const std::string& destination, ShareMounter& mounter) {
    const std::string share = ShareName(destination);
    if (share.empty()) return -1;
    return mounter.Unmount(share) ? 0 : -1;
}

}  // namespace tv
