#include "ui/dialog_font.h"

namespace tv {

namespace {

constexpr const char* kFontFamily = "Noto Sans CJK JP";
constexpr int kFontPoints = 9;

}  // namespace

QFont DialogFont() { return QFont(kFontFamily, kFontPoints); }

}  // namespace tv
