#include "controller/runners/run_failures.h"

#include "controller/notice_texts.h"

namespace tv {

namespace {

// A held deletion sets HadError too: beside a hold the flag is taken for the hold alone, which
// its own notice tells.
bool HadErrorBesideHold(const CopyOutcome& outcome) {
    return outcome.HadError != 0 && outcome.MassDeletionHeld == 0;
}

}  // namespace

void RunFailures::Note(const std::string& day) {
    if (day_.empty()) day_ = day;
}

void RunFailures::AddJob(const CopyOutcome& outcome, const std::string& day) {
    if (outcome.Logged.errors == 0 && !HadErrorBesideHold(outcome)) return;
    failedFiles_ += outcome.Logged.errors;
    unstorable_.refusedNames += outcome.Unstorable.refusedNames;
    unstorable_.caseClashes += outcome.Unstorable.caseClashes;
    unstorable_.tooLarge += outcome.Unstorable.tooLarge;
    otherError_ = otherError_ || HadErrorBesideHold(outcome);
    Note(day);
}

void RunFailures::AddFailedFile(const std::string& day) {
    ++failedFiles_;
    Note(day);
}

void RunFailures::AddUnreachableDestination(const std::string& destination,
                                            const std::string& day) {
    if (unreachable_.empty()) unreachable_ = destination;
    Note(day);
}

void RunFailures::AddRefusedDestination(const std::string& destination, const std::string& day) {
    if (refused_.empty()) refused_ = destination;
    Note(day);
}

// One line for each kind of failure, the destinations not copied to first: they explain why
// nothing else may have been copied. A count of failed files says more than an error alone.
std::optional<Notice> RunFailures::NoticeFor(const std::string& unit) const {
    if (!Any()) return std::nullopt;
    std::string body;
    const auto addLine = [&body](const std::string& line) {
        body += body.empty() ? line : "\n" + line;
    };
    if (!unreachable_.empty()) addLine(UnreachableDestinationText(unit, unreachable_));
    if (!refused_.empty()) addLine(RefusedDestinationText(unit, refused_));
    if (failedFiles_ > 0) addLine(FailedFilesText(unit, failedFiles_));
    if (unstorable_.refusedNames > 0) addLine(RefusedNamesText(unstorable_.refusedNames));
    if (unstorable_.caseClashes > 0) addLine(CaseClashesText(unstorable_.caseClashes));
    if (unstorable_.tooLarge > 0) addLine(TooLargeText(unstorable_.tooLarge));
    if (otherError_ && failedFiles_ == 0) addLine(RunErrorText(unit));
    return Notice{kRunFailedSummary, body, std::nullopt};
}

}  // namespace tv
