#include "ui/widgets/category_list_box.h"

#include <QTest>

namespace tv::test {

class CategoryListBoxTest : public QObject {
    Q_OBJECT

  private slots:
    // The owner's colours show: the background around the items, the selected item's
    // background with its shadow-coloured frame.
    void drawsTheColoursItIsGiven() {
        const CategoryListColors colors{QColor(0xED, 0xF3, 0xFC), QColor(0xC7, 0xD9, 0xFA),
                                        QColor(0x33, 0x33, 0xFF), QColor(0x64, 0x86, 0xDC)};
        CCategoryListBox list;
        list.SetColors(colors);
        list.resize(120, 100);
        QPixmap icon(16, 16);
        icon.fill(Qt::black);
        list.AddItem("作成日");
        list.AddItem("2005/07/01", QIcon(icon));
        list.setCurrentRow(1);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        const QImage image = list.viewport()->grab().toImage();
        const QRect selected = list.visualItemRect(list.item(1));
        QCOMPARE(QColor(image.pixel(selected.topLeft())), colors.darkShadow);
        QCOMPARE(QColor(image.pixel(selected.right() - 2, selected.center().y())),
                 colors.selectedBackground);
        QCOMPARE(QColor(image.pixel(selected.left() + 8, selected.center().y())),
                 QColor(Qt::black));  // the icon
        const QRect plain = list.visualItemRect(list.item(0));
        QCOMPARE(QColor(image.pixel(plain.right() - 2, plain.center().y())), colors.background);
        QCOMPARE(QColor(image.pixel(5, image.height() - 3)), colors.background);
        QCOMPARE(list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::CategoryListBoxTest)
#include "category_list_box_test.moc"
