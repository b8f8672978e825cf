// Everything that asks the user something goes through Prompts: the user interface implements
// it with real dialogs, tests with a script (tests/support/scripted_prompts.h).
#pragma once

#include <string>

#include "platform/share_mounter.h"

namespace tv {

class Prompts {
  public:
    virtual ~Prompts() = default;
    // A message box: flags are the kMb* values (buttons | icon); the answer is kIdOk,
    // kIdCancel, kIdYes or kIdNo.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // The network password prompt for share: true with the entered pair on OK, false when
    // cancelled. A front end without a password dialog answers as if cancelled.
    virtual bool AskPassword(const std::string& share, ShareCredentials* entered) {
        (void)share;
        (void)entered;
        return false;
    }
};

}  // namespace tv
