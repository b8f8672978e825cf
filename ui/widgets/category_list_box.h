// CCategoryListBox: a list box that draws each item itself, an icon (when the item has one)
// and its text, on colours the owner chooses, with a hand cursor over the items.
#pragma once

#include <QColor>
#include <QIcon>
#include <QListWidget>

namespace tv {

struct CategoryListColors {
    QColor background = QColor(0xFF, 0xFF, 0xFF);
    QColor selectedBackground = QColor(0x00, 0x78, 0xD7);
    QColor selectedText = QColor(0xFF, 0xFF, 0xFF);
    // The frame around the selected item, where the system's dark-shadow colour would be.
    QColor darkShadow = QColor(0x69, 0x69, 0x69);
};

class CCategoryListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit CCategoryListBox(QWidget* parent = nullptr);

    void SetColors(const CategoryListColors& colors);
    const CategoryListColors& Colors() const { return colors_; }
    void AddItem(const QString& text, const QIcon& icon = QIcon());

  private:
    CategoryListColors colors_;
};

}  // namespace tv
