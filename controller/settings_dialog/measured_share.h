// A network share held connected while the pages measure or look at a path on it: connected
// with the record's stored credentials only (a measurement runs off the user-interface thread,
// and neither asks anybody), and disconnected afterwards when this made the connection.
#pragma once

#include <string>

#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

class MeasuredShare {
  public:
    // A local path needs no connection and counts as reachable.
    MeasuredShare(SettingsRecord& record, const std::string& path, ShareMounter& mounter);
    ~MeasuredShare();
    MeasuredShare(const MeasuredShare&) = delete;
    MeasuredShare& operator=(const MeasuredShare&) = delete;

    bool reachable() const { return result_ >= 0; }

  private:
    std::string path_;
    ShareMounter& mounter_;
    int result_ = 1;  // ConnectDestination's: 0 connected here, 1 connected before, -1 not
};

}  // namespace tv
