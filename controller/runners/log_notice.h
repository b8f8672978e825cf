// A notice about a run, with the action that opens the activity log of the day it happened.
#pragma once

#include <string>

#include "controller/ports/notifier.h"

namespace tv {

class MainFrame;

// day is "yyyy/mm/dd". Choosing the action opens the settings dialog on the log of that day.
void NotifyWithLogAction(MainFrame& frame, Notice notice, const std::string& day);

}  // namespace tv
