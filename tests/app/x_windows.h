// What a test sees on an X display: the windows that are shown there, by their titles.
#pragma once

#include <string>

namespace tv::test {

// How many windows shown on display (mapped and viewable) have title as their name; -1 when the
// display cannot be reached.
int ShownWindowsTitled(const std::string& display, const std::string& title);

}  // namespace tv::test
