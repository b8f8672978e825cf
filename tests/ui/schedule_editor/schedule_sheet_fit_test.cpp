// The schedule sheet at 200 % on a 1920 × 1080 screen, which leaves 960 × 540 logical pixels,
// and on a 1366 × 768 one, which leaves 683 × 384: with every tab's page (the details page the
// tallest) the sheet and its OK row stay on the screen.
#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>

#include "tests/ui/schedule_editor/schedule_editor_world.h"
#include "ui/schedule_editor/schedule_view_page.h"
#include "ui/settings_dialog/pages/details_page.h"
#include "ui/widgets/folder_picker.h"

namespace tv::test {
namespace {

// The sheet opened from a schedule list shown on screen.
void CheckTheOkRowIsOnScreen(QScreen* screen) {
    ScheduleEditorWorld w;
    Prompts* prompts = &w.prompts;
    ScheduleEditorServices services{
        w.settings.context(),
        w.unitPages,
        {{kDetailsPageCaption, [prompts](SettingsRecord* record, QWidget* parent) {
              return new CWholePage(record, *prompts, AskForFolder, parent);
          }}}};
    CScheduleViewDlg page(&w.list, services);
    const QRect room = screen->availableGeometry();
    page.move(room.topLeft());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(page.screen(), screen);
    QRect sheetOnScreen;
    QRect okOnScreen;
    WithSheet(Find<QPushButton>(page, "new"), [&](CScheduleSheet& sheet) {
        auto* ok = Find<QPushButton>(sheet, QByteArray::number(kIdOk).constData());
        if (QTest::qWaitForWindowExposed(&sheet) && ok->isVisible()) {
            sheetOnScreen = sheet.frameGeometry();
            okOnScreen = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        }
        Cancel(sheet);
    });
    QVERIFY(!okOnScreen.isNull());
    QVERIFY2(room.contains(sheetOnScreen) && room.contains(okOnScreen),
             qPrintable(QString("sheet %1x%2, OK at %3,%4")
                            .arg(sheetOnScreen.width())
                            .arg(sheetOnScreen.height())
                            .arg(okOnScreen.x())
                            .arg(okOnScreen.y())));
}

}  // namespace

class ScheduleSheetFitTest : public QObject {
    Q_OBJECT

  private slots:
    void theOkRowStaysOnTheScreen_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("room");
        QTest::newRow("1920x1080") << "wide" << QSize(960, 540);
        QTest::newRow("1366x768") << "small" << QSize(683, 384);
    }
    void theOkRowStaysOnTheScreen() {
        QFETCH(QString, screen);
        QFETCH(QSize, room);
        QScreen* shown = nullptr;
        for (QScreen* each : QGuiApplication::screens()) {
            if (each->name() == screen) shown = each;
        }
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->availableGeometry().size(), room);
        CheckTheOkRowIsOnScreen(shown);
    }
};

}  // namespace tv::test

// The screen and the scale must be chosen before the application starts.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString screens = folder.filePath("screens.json");
    QFile file(screens);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens":[{"name":"wide","x":0,"y":0,"width":1920,"height":1080,)"
                   R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1},)"
                   R"({"name":"small","x":1920,"y":0,"width":1366,"height":768,)"
                   R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})") < 0) {
        return 1;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    tv::test::ScheduleSheetFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "schedule_sheet_fit_test.moc"
