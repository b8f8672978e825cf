// The picture of the tray icon, drawn by the program: a drive with a circling arrow.
#pragma once

#include <QIcon>

namespace tv {

QIcon TrayPicture();

}  // namespace tv
