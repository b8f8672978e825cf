// The edits of the test file's size and of the number of runs: digits only, never 0, since the
// speed test divides by the run count.
#pragma once

#include <cstdint>

class QLineEdit;
class QWidget;

namespace tv {

// An edit for a count from 1 to 9999, showing 1; a leading 0 cannot be typed.
QLineEdit* MakeCountEdit(const char* name, QWidget* parent);

// The count the edit shows; an empty edit counts as 1 and shows it again.
uint32_t ReadCount(QLineEdit* edit);

}  // namespace tv
