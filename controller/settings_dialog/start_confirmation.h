// Whether a start button of the drive unit or file/directory page may start the run: at once,
// unless the destination may be too small; then only when the user says yes.
#pragma once

#include "platform/prompts.h"

namespace tv {

bool StartConfirmed(bool capacityWarning, Prompts& prompts);

}  // namespace tv
