// The user as a script: a test lists the questions it expects and the answers to give. An
// unexpected question fails the test and prints what was asked; every question is recorded.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace tv::test {

struct Question {
    std::string text;
    std::string caption;
    unsigned flags = 0;
    bool operator==(const Question& o) const {
        return text == o.text && caption == o.caption && flags == o.flags;
    }
};

class ScriptedPrompts : public Prompts {
  public:
    ~ScriptedPrompts() override;  // fails the test when expected questions were never asked

    // The next question must be exactly this; it is answered with answer.
    void Expect(const std::string& text, const std::string& caption, unsigned flags, int answer);
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    // The next question must be the password prompt for share; answered with entered, or as
    // cancelled when entered is null. Recorded with the share as text and the prompt's caption.
    void ExpectPassword(const std::string& share, const ShareCredentials* entered);
    bool AskPassword(const std::string& share, ShareCredentials* entered) override;
    // The next media type dialog is answered with kind (nothing: cancelled). The questions are
    // kept apart in mediaTypeQuestions, since a new medium's serial label is not known ahead.
    void ExpectMediaType(std::optional<int> kind);
    std::optional<int> AskMediaType(const MediaTypeQuestion& question) override;
    const std::vector<MediaTypeQuestion>& mediaTypeQuestions() const { return mediaTypeQuestions_; }

    // The next question must be the copy-or-move confirmation with text; answered with answer.
    // Recorded with the text and the confirmation's caption "確認".
    void ExpectCopyOrMove(const std::string& text, CopyOrMove answer);
    CopyOrMove AskCopyOrMove(const std::string& text) override;

    const std::vector<Question>& asked() const { return asked_; }

    // What arrives while a message box is shown, before it is answered.
    std::function<void()> whileAsking;

  private:
    struct Step {
        Question question;
        int answer = 0;
        ShareCredentials entered;
    };
    // Records the question and checks it against the script; the matching step is taken off.
    bool TakeStep(const Question& asked, Step* step);
    std::mutex mutex_;
    std::deque<Step> script_;
    std::vector<Question> asked_;
    std::deque<std::optional<int>> mediaTypeAnswers_;
    std::vector<MediaTypeQuestion> mediaTypeQuestions_;
};

}  // namespace tv::test
