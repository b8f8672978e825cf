#include "ui/progress/progress_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "controller/ports/copy_runner.h"
#include "controller/progress/progress_title.h"
#include "ui/dialog_font.h"
#include "ui/progress/path_label.h"
#include "ui/progress/progress_animation.h"

namespace tv {

namespace {

constexpr int kTickMs = 300;
// Distance of the window from the right and bottom edges of the work area.
constexpr int kEdgeMargin = 10;
constexpr int kWindowWidth = 360;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The bar counts in ints: a larger count is scaled down so that the bar still fills.
int BarUnits(uint64_t count, uint64_t listed) {
    if (listed <= static_cast<uint64_t>(INT_MAX)) return static_cast<int>(count);
    return static_cast<int>(count / (listed / INT_MAX + 1));
}

}  // namespace

CNewCopyDlg::CNewCopyDlg(const std::string& title, bool showProgress, ResultRule rule,
                         QWidget* parent)
    : QDialog(parent),
      baseTitle_(BaseProgressTitle(title)),
      showProgress_(showProgress),
      rule_(rule) {
    setObjectName("copyDialog");
    setFont(DialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    BuildControls();
    setWindowTitle(Q(baseTitle_));
    if (showProgress_) {
        firstLine_->setText(Q(kLineCounting));
        secondLine_->setText(Q(kLinePleaseWait));
    }
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, [this] {
        if (!showProgress_) return;
        animation_->Advance();
        PlaceAgainWhenTheFrameHasGrown();
    });
    ticker_.start();
}

void CNewCopyDlg::BuildControls() {
    animation_ = new CProgressAnimation(this);
    animation_->setObjectName(QString::number(kIdAnimation));
    firstLine_ = new CPathLabel(this);
    firstLine_->setObjectName(QString::number(kIdFirstLine));
    secondLine_ = new CPathLabel(this);
    secondLine_->setObjectName(QString::number(kIdSecondLine));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QString::number(kIdProgressBar));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);

    auto* lines = new QGridLayout;
    lines->addWidget(new QLabel("コピー元", this), 0, 0);
    lines->addWidget(firstLine_, 0, 1);
    lines->addWidget(new QLabel("コピー先", this), 1, 0);
    lines->addWidget(secondLine_, 1, 1);
    lines->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(MakeStopButton("中止して次へ", kIdStopAndNext));
    buttons->addWidget(MakeStopButton("全処理を中止", kIdStopAll));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(animation_);
    layout->addLayout(lines);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setFixedWidth(kWindowWidth);
}

QPushButton* CNewCopyDlg::MakeStopButton(const char* text, int id) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id] { PressStop(id); });
    return button;
}

void CNewCopyDlg::HideProgressBar() { bar_->hide(); }

void CNewCopyDlg::PressStop(int id) {
    pressed_ = id;
    if (stop_) stop_();
}

int CNewCopyDlg::RunModal() {
    if (showProgress_) return exec();
    // Never shown: an event loop of its own carries the worker's notifications until the end.
    if (!ended_) {
        QEventLoop loop;
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return result();
}

void CNewCopyDlg::OnCountDone(uint64_t files) {
    if (!showProgress_) return;
    listed_ = files;
    done_ = 0;
    bar_->setRange(0, std::max(1, BarUnits(files, files)));
    UpdateProgress();
}

void CNewCopyDlg::OnSetLines(const std::optional<std::string>& first,
                             const std::optional<std::string>& second) {
    if (!showProgress_) return;
    if (first) firstLine_->setText(Q(*first));
    if (second) secondLine_->setText(Q(*second));
}

void CNewCopyDlg::OnStep(uint64_t files) {
    if (!showProgress_) return;
    done_ += files;
    UpdateProgress();
}

void CNewCopyDlg::OnPhase(Phase phase) {
    // The deletion picture and line come when the deletion really begins, so a pass that ends
    // in an error never claims one.
    if (!showProgress_ || phase != Phase::Deleting) return;
    animation_->Open(CProgressAnimation::Kind::Deleting);
    secondLine_->setText(Q(kLineDeleting));
}

void CNewCopyDlg::OnRunEnded(int runResult) {
    if (ended_) return;
    ended_ = true;
    ticker_.stop();
    done(rule_(runResult, pressed_));
}

void CNewCopyDlg::UpdateProgress() {
    bar_->setValue(BarUnits(done_, listed_));
    setWindowTitle(Q(ProgressTitle(baseTitle_, done_, listed_)));
}

void CNewCopyDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceBottomRight();
}

void CNewCopyDlg::PlaceBottomRight() {
    const QScreen* display = screen();
    if (display == nullptr) return;
    const QRect area = display->availableGeometry();
    placedFrame_ = frameGeometry().size();
    move(area.right() + 1 - kEdgeMargin - placedFrame_.width(),
         area.bottom() + 1 - kEdgeMargin - placedFrame_.height());
}

// The window manager puts its frame round the window only after it is shown, so the first
// placement may have counted the window without it, leaving the frame's lower and right edges
// short of the margin or off the screen. Once the frame is there, the window is placed again,
// once: later changes are the user's.
void CNewCopyDlg::PlaceAgainWhenTheFrameHasGrown() {
    if (framePlaced_ || !isVisible() || frameGeometry().size() == placedFrame_) return;
    PlaceBottomRight();
    framePlaced_ = true;
}

// Only the run's end closes the window; the worker must never outlive it.
void CNewCopyDlg::closeEvent(QCloseEvent* event) { event->setAccepted(ended_); }

void CNewCopyDlg::reject() {
    if (ended_) QDialog::reject();
}

}  // namespace tv
