// Qt's own file dialog (the folder picker and the option file dialogs) made to read like the rest
// of the program: the size, type and date columns written as the program's folder list writes
// them, the date column and the sidebar wide enough for what they show, the file-type label's
// mnemonic working, and room for all of it. A dialog the desktop draws itself is left alone.
#pragma once

#include <QFileDialog>

namespace tv {

// Call before the dialog is shown, after its modes and labels are set.
void DressInJapanese(QFileDialog& dialog);

}  // namespace tv
