// A line that shows a path (the progress window's file lines, the password prompt's share): a
// path that does not fit is shortened in the middle, so both its start and its file name stay
// visible. text() keeps the whole path.
#pragma once

#include <QLabel>

namespace tv {

class CPathLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CPathLabel(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tv
