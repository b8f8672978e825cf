#include "controller/runners/destination_connection.h"

#include "platform/paths.h"
#include "settings/network_connection.h"

namespace tv {

DestinationConnection::DestinationConnection(SettingsRecord& settings,
                                             const std::string& destination, ShareMounter& shares,
                                             Prompts& prompts)
    : destination_(destination), shares_(shares), network_(IsNetworkPath(destination)) {
    if (network_) result_ = ConnectDestination(settings, destination, shares, prompts);
}

DestinationConnection::~DestinationConnection() {
    if (network_ && result_ >= 0) DisconnectDestination(destination_, shares_);
}

}  // namespace tv
