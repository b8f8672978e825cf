// What the frame does once the current run has ended: nothing, power the machine off, or end
// the user's session (log off). Chosen while a run is in progress and kept from then on.
#pragma once

namespace tv {

constexpr int kEndNothing = 0;
constexpr int kEndPowerOff = 1;
constexpr int kEndLogOff = 2;

}  // namespace tv
