// CPathEdit: an edit that holds a path. While the user is not typing in it, a path too long for
// the edit is shown with its middle left out ("/home/ta…ents/RME"), so that both where it
// starts and the folder's own name stay readable; the whole path is its tooltip. Only the
// painting is shortened: the text, and what the user edits, is always the whole path.
#pragma once

#include <QLineEdit>

namespace tv {

class CPathEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CPathEdit(QWidget* parent = nullptr);

    // The text as the edit paints it now.
    QString ShownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect TextRect() const;
};

}  // namespace tv
