// The path edit: a path too long for it keeps its start and end while the user is elsewhere,
// the whole path stays its text and its tooltip, and typing shows the path as it is.
#include "ui/widgets/path_edit.h"

#include <QApplication>
#include <QTest>

namespace tv::test {

class PathEditTest : public QObject {
    Q_OBJECT

  private slots:
    void aLongPathLosesItsMiddleOnlyOnScreen() {
        QWidget window;
        CPathEdit edit(&window);
        QLineEdit elsewhere(&window);
        edit.setGeometry(0, 0, 150, 24);
        elsewhere.setGeometry(0, 30, 150, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        elsewhere.setFocus();
        const QString path = "/home/tanaka/Documents/Backups/Removable/Camera/RME";
        edit.setText(path);
        QCOMPARE(edit.text(), path);
        QCOMPARE(edit.toolTip(), path);
        const QString shown = edit.ShownText();
        QVERIFY2(
            shown.startsWith("/home") && shown.endsWith("RME") && shown.contains(QChar(0x2026)),
            qPrintable(shown));
        QVERIFY(edit.fontMetrics().horizontalAdvance(shown) <= edit.width());
        QVERIFY(!edit.grab().isNull());

        edit.setFocus();
        QCOMPARE(edit.ShownText(), path);
        edit.setText("/home/RME");
        elsewhere.setFocus();
        QCOMPARE(edit.ShownText(), QString("/home/RME"));
        QCOMPARE(edit.toolTip(), QString("/home/RME"));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::PathEditTest)
#include "path_edit_test.moc"
