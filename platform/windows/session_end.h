// Ending the user's session or powering the machine off from the program itself, as the action
// after a run asks: the calls a Windows desktop's Session port makes.
#pragma once

namespace tv {

// Whether the user's token holds the shutdown privilege, which powering off needs.
bool MayPowerOff();
// Powers the machine off as a planned shutdown of an application's asking; false when the
// system refused.
bool PowerOff();
// Logs the user off; false when the system refused.
bool LogOff();

}  // namespace tv
