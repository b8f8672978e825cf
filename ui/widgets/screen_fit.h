// What keeps a window whole on a small screen, or at a large scale: its main part sits in a
// scroll area that asks for the part's whole size, so the window looks as before wherever it
// fits, and the window is then bounded to the room its screen leaves, where the scroll area
// gives up what is missing and the rows below it (the OK row) stay in sight.
#pragma once

#include <QScrollArea>
#include <QWidget>

namespace tv {

QScrollArea* ScrollingWhenCramped(QWidget* content, QWidget* parent);
// Resizes window to its size hint within its screen's available area, less room for the
// window manager's frame.
void FitToAvailableScreen(QWidget& window);

}  // namespace tv
