// CProgressBarEx, a progress bar the program draws itself: a sunken frame on the window colour
// and a bar of a colour the owner sets, as long as the position is far through the range.
#pragma once

#include <QWidget>
#include <cstdint>

namespace tv {

class CProgressBarEx : public QWidget {
    Q_OBJECT
  public:
    explicit CProgressBarEx(QWidget* parent = nullptr);

    void SetRange(int lower, int upper);
    // Held inside the range.
    void SetPos(int position);
    // A colour reference, 0x00BBGGRR.
    void SetBarColor(uint32_t colourRef);

    int Pos() const { return position_; }
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    uint32_t BarColor() const { return colourRef_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
    uint32_t colourRef_ = 0;
};

// The colour a colour reference names.
QColor ColourOfReference(uint32_t colourRef);

}  // namespace tv
