#include "controller/runners/held_deletion_notice.h"

#include "controller/notice_texts.h"

namespace tv {

std::optional<Notice> HeldDeletionNotice(const CopyJob& job, const CopyOutcome& outcome) {
    if (outcome.MassDeletionHeld == 0) return std::nullopt;
    return Notice{kHeldDeletionSummary,
                  HeldDeletionText(job.Source, outcome.MassDeletionHeld, job.Destination),
                  std::nullopt};
}

}  // namespace tv
