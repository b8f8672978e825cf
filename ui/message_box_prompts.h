// The questions to the user with Qt: message boxes, the network password prompt and the media
// type dialog. Where no one can see a window (the offscreen and minimal platforms), a question
// would wait forever: its text goes to the standard error stream instead and it is answered as
// if closed with Escape (Cancel or No, OK when that is the only button; the password prompt, the
// media type dialog and the copy-or-move confirmation as cancelled).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/prompts.h"

class QMessageBox;

namespace tv {

class MessageBoxPrompts : public Prompts {
  public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    bool AskPassword(const std::string& share, ShareCredentials* entered) override;
    std::optional<int> AskMediaType(const MediaTypeQuestion& question) override;
    CopyOrMove AskCopyOrMove(const std::string& text) override;
};

// The box that MessageBox shows: caption, text, the icon and the buttons of flags, with the
// system's Japanese button labels; the first button is the default.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption,
                                            unsigned flags);

// The answer of a box closed without choosing: kIdNo for Yes/No, kIdCancel for OK/Cancel,
// kIdOk for OK alone.
int EscapeAnswer(unsigned flags);

}  // namespace tv
