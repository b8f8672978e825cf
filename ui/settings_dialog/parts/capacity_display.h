// The destination capacity display of the drive unit and file/directory pages: "保存容量" (the
// amount to save, MB) and "使用容量" (the usable space, MB) side by side, the bar "推定利用率"
// under them. It measures off the page's thread and shows the figures when they come.
#pragma once

#include <QWidget>
#include <cstdint>

#include "controller/settings_dialog/capacity_figures.h"
#include "controller/settings_dialog/capacity_measure.h"

class QLineEdit;

namespace tv {

class CCapacityMeter;
class CProgressBarEx;

class CCapacityDisplay : public QWidget {
    Q_OBJECT
  public:
    CCapacityDisplay(OverflowFrom overflow, ShareMounter& mounter, QWidget* parent);

    void Measure(CapacityQuestion question);
    // Shows the figures as a measurement gives them.
    void Show(uint64_t amountMb, uint64_t usableMb);

    // The destination may be too small for what there is to save.
    bool Warning() const { return look_.warning; }
    bool IsMeasuring() const;

  signals:
    // New figures are on show.
    void shown();

  private:
    OverflowFrom overflow_;
    CCapacityMeter* meter_;
    QLineEdit* amount_;
    QLineEdit* usable_;
    CProgressBarEx* bar_;
    CapacityLook look_;
};

}  // namespace tv
