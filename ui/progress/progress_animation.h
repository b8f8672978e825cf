// The short looping pictures of the progress window, drawn by the program: a sheet flying from
// one folder to another while copying, a sheet falling into a waste bin while deleting. The
// window moves it on one frame per tick.
#pragma once

#include <QWidget>

namespace tv {

class CProgressAnimation : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Copying, Deleting };
    static constexpr int kFrames = 8;

    explicit CProgressAnimation(QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Starts the given animation from its first frame.
    void Open(Kind kind);
    void Advance();

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Kind kind_ = Kind::Copying;
    int frame_ = 0;
};

}  // namespace tv
