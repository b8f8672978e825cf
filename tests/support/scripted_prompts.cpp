#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/win_constants.h"

namespace tv::test {
namespace {

constexpr const char* kPasswordCaption = "ネットワークパスワードの入力";
constexpr const char* kCopyOrMoveCaption = "確認";

std::string Describe(const Question& q) {
    std::ostringstream out;
    out << "text \"" << q.text << "\", caption \"" << q.caption << "\", flags 0x" << std::hex
        << q.flags;
    return out.str();
}

}  // namespace

ScriptedPrompts::~ScriptedPrompts() {
    for (const Step& step : script_) {
        ADD_FAILURE() << "expected question was never asked: " << Describe(step.question);
    }
    if (!mediaTypeAnswers_.empty()) ADD_FAILURE() << "an expected media type dialog never came";
}

void ScriptedPrompts::Expect(const std::string& text, const std::string& caption, unsigned flags,
                             int answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Step{Question{text, caption, flags}, answer, {}});
}

bool ScriptedPrompts::TakeStep(const Question& asked, Step* step) {
    std::lock_guard<std::mutex> lock(mutex_);
    asked_.push_back(asked);
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected question: " << Describe(asked);
        return false;
    }
    if (!(script_.front().question == asked)) {
        ADD_FAILURE() << "unexpected question: " << Describe(asked)
                      << "\n  the next expected was: " << Describe(script_.front().question);
        return false;
    }
    *step = script_.front();
    script_.pop_front();
    return true;
}

int ScriptedPrompts::MessageBox(const std::string& text, const std::string& caption,
                                unsigned flags) {
    Step step;
    const bool expected = TakeStep(Question{text, caption, flags}, &step);
    if (whileAsking) whileAsking();
    return expected ? step.answer : kIdCancel;
}

void ScriptedPrompts::ExpectPassword(const std::string& share, const ShareCredentials* entered) {
    std::lock_guard<std::mutex> lock(mutex_);
    Step step{Question{share, kPasswordCaption, 0}, entered ? kIdOk : kIdCancel, {}};
    if (entered) step.entered = *entered;
    script_.push_back(step);
}

bool ScriptedPrompts::AskPassword(const std::string& share, ShareCredentials* entered) {
    Step step;
    if (!TakeStep(Question{share, kPasswordCaption, 0}, &step) || step.answer != kIdOk) {
        return false;
    }
    *entered = step.entered;
    return true;
}

void ScriptedPrompts::ExpectCopyOrMove(const std::string& text, CopyOrMove answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Step{Question{text, kCopyOrMoveCaption, 0}, static_cast<int>(answer), {}});
}

CopyOrMove ScriptedPrompts::AskCopyOrMove(const std::string& text) {
    Step step;
    if (!TakeStep(Question{text, kCopyOrMoveCaption, 0}, &step)) return CopyOrMove::Cancel;
    return static_cast<CopyOrMove>(step.answer);
}

}  // namespace tv::test

namespace tv::test {

void ScriptedPrompts::ExpectMediaType(std::optional<int> kind) {
    std::lock_guard<std::mutex> lock(mutex_);
    mediaTypeAnswers_.push_back(kind);
}

std::optional<int> ScriptedPrompts::AskMediaType(const MediaTypeQuestion& question) {
    std::lock_guard<std::mutex> lock(mutex_);
    mediaTypeQuestions_.push_back(question);
    if (mediaTypeAnswers_.empty()) {
        ADD_FAILURE() << "unexpected media type dialog for drive " << question.letter;
        return std::nullopt;
    }
    const std::optional<int> answer = mediaTypeAnswers_.front();
    mediaTypeAnswers_.pop_front();
    return answer;
}

}  // namespace tv::test
