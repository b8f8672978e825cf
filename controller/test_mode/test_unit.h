// The units the test mode measures and previews, in the order of its radio buttons.
#pragma once

#include "settings/unit_options.h"

namespace tv {

using TestUnit = SettingsUnit;

}  // namespace tv
