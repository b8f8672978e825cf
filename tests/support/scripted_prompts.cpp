#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/win_constants.h"

namespace tv::test {
namespace {

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
}

void ScriptedPrompts::Expect(const std::string& text, const std::string& caption, unsigned flags,
                             int answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Step{Question{text, caption, flags}, answer});
}

int ScriptedPrompts::MessageBox(const std::string& text, const std::string& caption,
                                unsigned flags) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Question asked{text, caption, flags};
    asked_.push_back(asked);
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected question: " << Describe(asked);
        return kIdCancel;
    }
    if (!(script_.front().question == asked)) {
        ADD_FAILURE() << "unexpected question: " << Describe(asked)
                      << "\n  the next expected was: " << Describe(script_.front().question);
        return kIdCancel;
    }
    const int answer = script_.front().answer;
    script_.pop_front();
    return answer;
}

}  // namespace tv::test
