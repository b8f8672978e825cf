// What an unattended run tells the user when its mirror deletion was held back: nobody saw the
// question a manual run would have asked, and the backup now holds entries the source has not.
#pragma once

#include "controller/ports/notifier.h"
#include "engine/copy_job.h"

namespace tv {

// Notifies when the finished job held a deletion back; nothing otherwise.
void NotifyHeldDeletion(const CopyJob& job, Notifier& notifier);

}  // namespace tv
