// Assistive technology (screen readers, AT-SPI) sees the widgets the program draws itself through
// interfaces of their own: the category list with its items, the drawn progress bar with its value.
#pragma once

namespace tv {

// Makes those interfaces known to Qt's accessibility; every such widget calls it when it is made,
// and only the first call installs anything.
void InstallAccessibleWidgets();

}  // namespace tv
