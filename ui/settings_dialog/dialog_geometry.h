// Where the parts of the settings dialog lie at a given client size. The smallest client size
// is the one the constants of dialog_images.h describe; every pixel a user adds goes to the page
// area and to the height of the category panel, so the pages grow while the category faces keep
// their place at the top left and the bottom buttons keep theirs at the page area's corners.
#pragma once

#include <QRect>
#include <QSize>

namespace tv {

// size, made at least as wide and as tall as the smallest client size.
QSize ClientSizeAtLeastMinimum(QSize size);
QRect PageRectAt(QSize client);
// The panel behind the category faces: as tall as the dialog allows.
QRect CategoryPanelAt(QSize client);

}  // namespace tv
