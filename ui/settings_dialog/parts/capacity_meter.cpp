#include "ui/settings_dialog/parts/capacity_meter.h"

#include <utility>

namespace tv {

CCapacityMeter::CCapacityMeter(ShareMounter& mounter, QObject* parent)
    : QObject(parent), mounter_(mounter) {}

CCapacityMeter::~CCapacityMeter() {
    if (stop_) *stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void CCapacityMeter::Measure(CapacityQuestion question) {
    pending_ = std::move(question);
    if (running_) {
        *stop_ = true;  // the pending question starts when that one has stopped
        return;
    }
    StartPending();
}

void CCapacityMeter::StartPending() {
    if (thread_.joinable()) thread_.join();  // it has handed its figures over already
    running_ = true;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    thread_ = std::thread([this, question = std::move(*pending_), stop = stop_]() mutable {
        const CapacityFigures figures = MeasureCapacity(question, mounter_, *stop);
        const bool stopped = *stop;
        QMetaObject::invokeMethod(
            this, [this, figures, stopped] { Finish(figures, stopped); }, Qt::QueuedConnection);
    });
    pending_.reset();
}

void CCapacityMeter::Finish(const CapacityFigures& figures, bool stopped) {
    running_ = false;
    if (pending_) {
        StartPending();
        return;
    }
    if (!stopped) emit measured(figures.amountMb, figures.usableMb);
}

}  // namespace tv
