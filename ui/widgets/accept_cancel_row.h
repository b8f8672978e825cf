// The row of buttons at the foot of the program's small dialogs: an accepting button (the
// default) and "キャンセル", right-aligned. Each button is named by its answer id (kIdOk,
// kIdCancel), so tests find and press them.
#pragma once

#include <QDialog>
#include <QLayout>

namespace tv {

QLayout* MakeAcceptCancelRow(QDialog& dialog, const char* acceptText);

}  // namespace tv
