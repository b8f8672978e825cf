// The units the test mode measures and previews, in the order of its radio buttons.
#pragma once

namespace tv {

enum class TestUnit { DriveUnit = 0, FileDir = 1, Removable = 2 };

}  // namespace tv
