// The three 16 x 16 row icons of the activity log table: done, failed, and skipped or
// cancelled, drawn by the program.
#pragma once

#include <QPixmap>

#include "log/log_rows.h"

namespace tv {

constexpr int kLogRowIconSize = 16;

// The icon of a row; made once and kept.
const QPixmap& LogRowPixmap(LogRowIcon icon);

}  // namespace tv
