#include "ui/widgets/button_list.h"

#include <QSignalSpy>
#include <QTest>

namespace tv::test {
namespace {

QPixmap Plain(qreal ratio) {
    QPixmap pixmap(QSize(100, 60) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    return pixmap;
}

QPixmap Pressed(qreal ratio) {
    QPixmap pixmap = Plain(ratio);
    pixmap.fill(Qt::red);
    return pixmap;
}

// Two items with a gap between them, as in the settings dialog's list.
std::vector<ButtonListItem> TwoItems() {
    return {{7, "上", QRect(QPoint(10, 5), QPoint(89, 14))},
            {9, "下", QRect(QPoint(10, 40), QPoint(89, 49))}};
}

}  // namespace

class ButtonListTest : public QObject {
    Q_OBJECT

  private slots:
    void takesTheSizeOfItsImage() {
        CButtonList list(TwoItems(), &Plain, &Pressed);
        QCOMPARE(list.size(), QSize(100, 60));
        QCOMPARE(list.SelectedId(), -1);
        QCOMPARE(list.SelectedLabel(), QString());
    }

    // Left and top edges belong to an item, right and bottom edges (one past) do not.
    void hitTestFindsTheItemHoldingThePoint() {
        const CButtonList list(TwoItems(), &Plain, &Pressed);
        const struct {
            QPoint point;
            int index;
        } cases[] = {
            {{10, 5}, 0},   {{89, 14}, 0},  {{50, 10}, 0}, {{9, 5}, -1},  {{90, 10}, -1},
            {{50, 15}, -1}, {{50, 30}, -1}, {{10, 40}, 1}, {{89, 49}, 1}, {{50, 50}, -1},
        };
        for (const auto& c : cases) QCOMPARE(list.ItemAt(c.point), c.index);
    }

    void aLeftClickOnAnItemSelectsItAndNotifies() {
        CButtonList list(TwoItems(), &Plain, &Pressed);
        QSignalSpy clicked(&list, &CButtonList::ItemClicked);
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 45));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(list.SelectedId(), 9);
        QCOMPARE(list.SelectedLabel(), QString("下"));

        // The same item again notifies again; a gap and the right button change nothing.
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 45));
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 25));
        QTest::mouseClick(&list, Qt::RightButton, {}, QPoint(30, 10));
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(list.SelectedId(), 9);
    }

    void aClickInAGapOfAFreshListSelectsNothing() {
        CButtonList list(TwoItems(), &Plain, &Pressed);
        QSignalSpy clicked(&list, &CButtonList::ItemClicked);
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 25));
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(list.SelectedId(), -1);
    }

    // Only the selected item's rectangle shows the pressed image.
    void paintsThePressedImageUnderTheSelectedItemOnly() {
        CButtonList list(TwoItems(), &Plain, &Pressed);
        QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 10));
        const QImage shown = list.grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        auto at = [&](int x, int y) { return QColor(shown.pixel(int(x * ratio), int(y * ratio))); };
        QCOMPARE(at(10, 5), QColor(Qt::red));
        QCOMPARE(at(89, 14), QColor(Qt::red));
        QCOMPARE(at(90, 10), QColor(Qt::white));
        QCOMPARE(at(50, 15), QColor(Qt::white));
        QCOMPARE(at(50, 45), QColor(Qt::white));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ButtonListTest)
#include "button_list_test.moc"
