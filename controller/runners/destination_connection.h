// The share of a network destination, connected for the span of a run.
#pragma once

#include <string>

#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

// Connects when destination is a network path; at its end disconnects what it connected or
// found connected. A pair entered at the password prompt is kept in settings.
class DestinationConnection {
  public:
    DestinationConnection(SettingsRecord& settings, const std::string& destination,
                          ShareMounter& shares, Prompts& prompts);
    ~DestinationConnection();
    DestinationConnection(const DestinationConnection&) = delete;
    DestinationConnection& operator=(const DestinationConnection&) = delete;

    // The share could not be connected (the user was told when there was anything to tell).
    bool failed() const { return result_ < 0; }

  private:
    std::string destination_;
    ShareMounter& shares_;
    bool network_ = false;
    int result_ = 0;
};

}  // namespace tv
