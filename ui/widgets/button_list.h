// CButtonList: a column of buttons drawn by the program from two images of the same size, the
// list as it looks with nothing selected and the list with every face pressed. The control
// takes the size of the images; the selected item shows the part of the second image under
// its rectangle. A left click selects the first item whose rectangle holds the point and
// notifies the owner; a click between the items changes nothing. From the keyboard the arrows,
// Home and End move a focus mark over the items and Space or Enter clicks the marked one.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

namespace tv {

struct ButtonListItem {
    int id;
    QString label;
    QRect rect;  // in the control's coordinates
};

// Makes one of the control's images at a device pixel ratio; both have the same logical size.
using ButtonListImage = QPixmap (*)(qreal devicePixelRatio);

class CButtonList : public QWidget {
    Q_OBJECT
  public:
    CButtonList(std::vector<ButtonListItem> items, ButtonListImage normal, ButtonListImage selected,
                QWidget* parent = nullptr);

    int SelectedId() const;  // -1 when none
    QString SelectedLabel() const;
    // Selects the item of id as a click would, without telling the owner; false when no item has
    // that id.
    bool SelectId(int id);
    // The index of the first item holding point, -1 when none does.
    int ItemAt(const QPoint& point) const;

    int Count() const { return static_cast<int>(items_.size()); }
    const ButtonListItem& Item(int index) const { return items_[static_cast<size_t>(index)]; }
    int SelectedIndex() const { return selectedIndex_; }
    // The item the keyboard acts on.
    int FocusIndex() const { return focusIndex_; }
    void SetFocusIndex(int index);
    // Selects the item at index and notifies the owner, as a click on it does.
    void Click(int index);

  signals:
    // A new click on an item (the notification 0x052C); read the selection with SelectedId.
    void ItemClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Makes the two images again when the screen's pixel ratio is not the one they were made at.
    void MatchPixelRatio();
    void DrawFocusMark(QPainter& painter) const;
    // Tells assistive technology which item has the focus now.
    void AnnounceFocus();

    std::vector<ButtonListItem> items_;
    ButtonListImage makeNormal_;
    ButtonListImage makeSelected_;
    QPixmap normal_;
    QPixmap selected_;
    int selectedIndex_ = -1;
    int focusIndex_ = 0;
};

}  // namespace tv
