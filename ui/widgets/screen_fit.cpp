#include "ui/widgets/screen_fit.h"

#include <QScreen>

namespace tv {

namespace {

// The title bar and borders a window manager adds around the client area, in logical pixels;
// they are not known before the window is first shown.
constexpr QSize kFrameAllowance(16, 40);

// A scroll area whose size hint is its content's whole size, not Qt's capped one.
class WholeContentScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

}  // namespace

QScrollArea* ScrollingWhenCramped(QWidget* content, QWidget* parent) {
    auto* area = new WholeContentScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

void FitToAvailableScreen(QWidget& window) {
    QSize size = window.sizeHint();
    if (const QScreen* screen = window.screen()) {
        size = size.boundedTo(screen->availableGeometry().size() - kFrameAllowance);
    }
    window.resize(size);
}

}  // namespace tv
