// The pictures of the settings dialog, drawn by the program at the screen's pixel ratio so they
// stay sharp at every scale: the dialog's background with the panels behind the pages and the
// category faces, the category faces with their captions (plain and pressed), and the dialog's
// icon. The geometry below is the dialog's at its smallest size, in logical pixels.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>

namespace tv {

constexpr QSize kDialogClientSize(697, 446);
constexpr QRect kCategoryListArea(8, 8, 217, 430);
// The page area of the dialog's layout; the pages take it less a strip on the right, and the
// row of buttons lies below it.
constexpr QRect kPageArea(233, 8, 471, 395);
constexpr int kPageAreaRightMargin = 15;
// The heading drawn at the top of the category list, which also names the list.
constexpr const char* kCategoryListHeading = "設定項目";
constexpr QRect kPageRect = kPageArea.adjusted(0, 0, -kPageAreaRightMargin, 0);

// The background of a dialog whose client area is client (at least kDialogClientSize).
QPixmap DialogBackground(QSize client, qreal devicePixelRatio);
// The category faces as they look with nothing selected, and all pressed; between them the
// images are transparent, so the panel of the background shows through.
QPixmap CategoryListImage(qreal devicePixelRatio);
QPixmap CategoryListSelectedImage(qreal devicePixelRatio);
// The explanation page's backdrop at size.
QPixmap ExplanationBackdrop(QSize size, qreal devicePixelRatio);
QIcon DialogIcon();

}  // namespace tv
