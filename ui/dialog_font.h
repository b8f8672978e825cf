// The font of the program's windows: a Japanese face at the size of the system's dialogs, so
// every window lays out its Japanese texts alike.
#pragma once

#include <QFont>

namespace tv {

QFont DialogFont();

}  // namespace tv
