// What an unattended run tells the user when its mirror deletion was held back: nobody saw the
// question a manual run would have asked, and the backup now holds entries the source has not.
#pragma once

#include <optional>

#include "controller/ports/notifier.h"
#include "engine/job/copy_job.h"

namespace tv {

// The notice of a finished job whose outcome tells of a deletion held back; none otherwise.
std::optional<Notice> HeldDeletionNotice(const CopyJob& job, const CopyOutcome& outcome);

}  // namespace tv
