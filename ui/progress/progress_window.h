// CNewCopyDlg, the progress window "copyDialog": two lines for the file in hand, an animation, the
// progress bar and the two stop buttons. A worker on another thread drives it through the On*
// calls, which run on the window's thread; the run's end closes it with the result its rule gives.
// Without ShowProgress it is never shown and changes nothing, yet still ends with the run.
#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/job/progress_sink.h"

class QProgressBar;
class QPushButton;

namespace tv {

class CPathLabel;
class CProgressAnimation;

// Control ids, also the object names of the controls.
constexpr int kIdFirstLine = 1073;
constexpr int kIdSecondLine = 1074;
constexpr int kIdAnimation = 1051;
constexpr int kIdProgressBar = 1052;

class CNewCopyDlg : public QDialog {
    Q_OBJECT
  public:
    // The window's result from the run's result and the stop button pressed (0 for none).
    using ResultRule = int (*)(int runResult, int pressedButton);

    CNewCopyDlg(const std::string& title, bool showProgress, ResultRule rule,
                QWidget* parent = nullptr);

    // The relocation window without navigation has no progress bar.
    void HideProgressBar();
    // Called by either stop button, after the button is remembered as the window's result.
    void SetStopHandler(std::function<void()> stop) { stop_ = std::move(stop); }
    // What either stop button does when pressed.
    void PressStop(int id);
    // Modal for the caller: until the run has ended. The window's result.
    int RunModal();
    // True once the worker has told the window that the run is over.
    bool runEnded() const { return ended_; }

    void OnCountDone(uint64_t files);
    void OnSetLines(const std::optional<std::string>& first,
                    const std::optional<std::string>& second);
    // More files done: one, or the number a batch of progress carries.
    void OnStep(uint64_t files = 1);
    void OnPhase(Phase phase);
    void OnRunEnded(int runResult);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does not close the window: only the run's end does.
    void reject() override;

  private:
    void BuildControls();
    QPushButton* MakeStopButton(const char* text, int id);
    void UpdateProgress();
    void PlaceBottomRight();
    void PlaceAgainWhenTheFrameHasGrown();

    std::string baseTitle_;
    bool showProgress_;
    ResultRule rule_;
    std::function<void()> stop_;
    int pressed_ = 0;
    bool ended_ = false;
    uint64_t done_ = 0;
    uint64_t listed_ = 0;
    CPathLabel* firstLine_ = nullptr;
    CPathLabel* secondLine_ = nullptr;
    CProgressAnimation* animation_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QTimer ticker_;
    QSize placedFrame_;         // the window's size with its frame when it was placed
    bool framePlaced_ = false;  // placed again once the window manager's frame was there
};

}  // namespace tv
