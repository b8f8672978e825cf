#include "ui/settings_dialog/parts/capacity_display.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/settings_dialog/parts/capacity_meter.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/progress_bar_ex.h"

namespace tv {

namespace {

constexpr const char* kShortOfSpaceDescription = "転送先の容量が足りない可能性があります";

QLineEdit* MakeFigureEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit("0", parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("0000000000") + 12);
    // A figure to read, not to edit: a click may select it for copying, Tab passes it by.
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

}  // namespace

CCapacityDisplay::CCapacityDisplay(OverflowFrom overflow, ShareMounter& mounter, QWidget* parent)
    : QWidget(parent),
      overflow_(overflow),
      meter_(new CCapacityMeter(mounter, this)),
      amount_(MakeFigureEdit("amountToSave", this)),
      usable_(MakeFigureEdit("usableCapacity", this)),
      bar_(new CProgressBarEx(this)) {
    bar_->setObjectName("utilisation");
    bar_->SetRange(0, 100);
    bar_->SetBarColor(look_.colour);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    grid->addWidget(MakeLabelFor(amount_, "保存容量", this), 0, 0);
    grid->addWidget(amount_, 0, 1);
    grid->addWidget(new QLabel("MB", this), 0, 2);
    grid->addWidget(MakeLabelFor(usable_, "使用容量", this), 0, 4);
    grid->addWidget(usable_, 0, 5);
    grid->addWidget(new QLabel("MB", this), 0, 6);
    grid->addWidget(MakeLabelFor(bar_, "推定利用率", this), 1, 0);
    grid->addWidget(bar_, 1, 1, 1, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    connect(meter_, &CCapacityMeter::measured, this, &CCapacityDisplay::Show);
}

void CCapacityDisplay::Measure(CapacityQuestion question) { meter_->Measure(std::move(question)); }

bool CCapacityDisplay::IsMeasuring() const { return meter_->IsMeasuring(); }

void CCapacityDisplay::Show(uint64_t amountMb, uint64_t usableMb) {
    amount_->setText(QString::number(amountMb));
    usable_->setText(QString::number(usableMb));
    look_ = LookOfCapacity(amountMb, usableMb, overflow_);
    bar_->SetBarColor(look_.colour);
    bar_->SetPos(look_.position);
    // The bar's colour tells the eye; a screen reader says it in words.
    bar_->setAccessibleDescription(look_.warning ? kShortOfSpaceDescription : "");
    emit shown();
}

}  // namespace tv
