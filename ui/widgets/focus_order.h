// The Tab order of a page as the eye reads it: the order its layouts show the controls in, a
// vertical box top to bottom, a horizontal box left to right, a grid row by row, so two columns
// side by side are read one after the other. Controls that Tab does not reach (labels, read-only
// figures) are left out.
#pragma once

#include <vector>

class QWidget;

namespace tv {

// The controls of container that take the focus by Tab, in reading order. A control that takes
// the focus is taken whole; a container that does not is read through its own layout.
std::vector<QWidget*> FocusOrderOf(const QWidget* container);

// Makes Tab go from each widget to the next, in the order given.
void ChainFocus(const std::vector<QWidget*>& widgets);

// Tab goes through container's controls in reading order.
void OrderTabsAsLaidOut(QWidget* container);

// The first control of container that Tab reaches now (shown and enabled), or null.
QWidget* FirstFocusable(const QWidget* container);

}  // namespace tv
