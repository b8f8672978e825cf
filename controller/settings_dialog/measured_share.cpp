#include "controller/settings_dialog/measured_share.h"

#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/win_constants.h"
#include "settings/network_connection.h"

namespace tv {

namespace {

// Nobody to ask: every message is taken as read and the password prompt as cancelled.
class NobodyAsked : public Prompts {
  public:
    int MessageBox(const std::string&, const std::string&, unsigned) override { return kIdOk; }
};

}  // namespace

MeasuredShare::MeasuredShare(SettingsRecord& record, const std::string& path, ShareMounter& mounter)
    : path_(path), mounter_(mounter) {
    if (!IsNetworkPath(path)) return;
    NobodyAsked nobody;
    result_ = ConnectDestination(record, path, mounter, nobody);
}

MeasuredShare::~MeasuredShare() {
    if (result_ == 0) DisconnectDestination(path_, mounter_);
}

}  // namespace tv
