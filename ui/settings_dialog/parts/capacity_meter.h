// Runs the capacity measurement of a page on a thread of its own and hands the figures back on
// the page's thread, so a large folder or a slow share never holds up the window. A question
// asked while one is still measured stops that one; only the figures of the latest are given.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "controller/settings_dialog/capacity_measure.h"
#include "platform/share_mounter.h"

namespace tv {

class CCapacityMeter : public QObject {
    Q_OBJECT
  public:
    CCapacityMeter(ShareMounter& mounter, QObject* parent);
    ~CCapacityMeter() override;  // stops a measurement still running and waits for it

    void Measure(CapacityQuestion question);
    bool IsMeasuring() const { return running_; }

  signals:
    void measured(quint64 amountMb, quint64 usableMb);

  private:
    void StartPending();
    void Finish(const CapacityFigures& figures, bool stopped);

    ShareMounter& mounter_;
    std::optional<CapacityQuestion> pending_;
    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> stop_;
    bool running_ = false;
};

}  // namespace tv
