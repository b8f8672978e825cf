// The settings dialog at sizes other than its smallest: every page grows inside the page area
// with nothing outside it, the lists that users read take the room, and the size the user left
// the dialog at comes back in the next dialog unless its file is damaged.
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QTreeWidget>

#include "controller/settings_dialog/categories.h"
#include "platform/paths.h"
#include "settings/window_size_file.h"
#include "tests/support/file_bytes.h"
#include "tests/ui/schedule_editor/schedule_editor_world.h"
#include "ui/log_viewer/log_list_dialog.h"
#include "ui/settings_dialog/config_dialog.h"
#include "ui/settings_dialog/dialog_images.h"
#include "ui/settings_dialog/settings_page.h"
#include "ui/widgets/button_list.h"
#include "ui/widgets/folder_list_ctrl.h"

namespace tv::test {
namespace {

class NoCopies : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob&, const std::string&) override { return {}; }
    int RunRelocation(const RelocationRequest&, const std::string&) override { return 0; }
};

struct SizeWorld : ScheduleEditorWorld {
    SizeWorld() { live = DefaultSettings(settings.context()); }

    std::unique_ptr<CConfigDlg> Open() {
        auto dialog = std::make_unique<CConfigDlg>(
            &live, ConfigDialogServices{settings.context(), prompts, copies,
                                        [](const std::string&) {}, &unitPages, &list});
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get())) qFatal("the dialog never showed");
        return dialog;
    }
    std::string SizeFile() const {
        return JoinPath(settings.world().configDir(), kDialogSizeFileName);
    }

    SettingsRecord live;
    NoCopies copies;
};

// Clicks the category's face and returns the page it shows.
QWidget* Choose(CConfigDlg& dialog, const Category& category) {
    auto* list = dialog.findChild<CButtonList*>(QString::number(kIdCategoryList));
    const ItemRect& r = category.rect;
    QTest::mouseClick(list, Qt::LeftButton, {},
                      QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    QCoreApplication::processEvents();
    for (QWidget* page : dialog.findChildren<QWidget*>()) {
        if (dynamic_cast<SettingsPage*>(page) && !page->isHidden() &&
            page->windowTitle() == QString::fromUtf8(category.label)) {
            return page;
        }
    }
    return nullptr;
}

// The names of the page's visible controls that reach outside it.
QStringList OutsideThePage(const QWidget& page) {
    QStringList outside;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&page) || control->isWindow()) continue;
        const QRect onPage(control->mapTo(&page, QPoint(0, 0)), control->size());
        if (!page.rect().contains(onPage)) {
            outside << control->metaObject()->className() + QString(":") + control->objectName();
        }
    }
    return outside;
}

int WidthOf(const QWidget& dialog, const char* name) {
    const auto* control = dialog.findChild<QWidget*>(name);
    if (control == nullptr) qFatal("no control %s", name);
    return control->width();
}

struct Widths {
    int logTable;
    int destinationTree;
    int folderContents;
};

// Shows every category's page at the dialog's size, checking that it stays inside the page area
// and that its controls stay inside it, and measures the lists users read.
Widths LookAtEveryPage(CConfigDlg& dialog) {
    for (const Category& category : kCategories) {
        if (category.id == kItemHelp) continue;
        QWidget* page = Choose(dialog, category);
        if (page == nullptr) qFatal("no page for %s", category.label);
        if (!dialog.rect().contains(page->geometry()))
            qFatal("%s leaves the dialog", category.label);
        const QStringList outside = OutsideThePage(*page);
        if (!outside.isEmpty()) {
            qFatal("%s: %s", category.label, qPrintable(outside.join(' ')));
        }
        for (QPushButton* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            if (!dialog.rect().contains(button->geometry()) ||
                button->geometry().intersects(page->geometry())) {
                qFatal("button %s misplaced", qPrintable(button->text()));
            }
        }
    }
    return {WidthOf(dialog, QByteArray::number(kIdLogTable).constData()),
            WidthOf(dialog, "destinations"), WidthOf(dialog, "folderContents")};
}

}  // namespace

class ConfigDialogSizeTest : public QObject {
    Q_OBJECT

  private slots:
    void aGrownDialogGivesItsPagesTheRoom() {
        SizeWorld w;
        auto dialog = w.Open();
        QCOMPARE(dialog->size(), kDialogClientSize);
        QCOMPARE(dialog->minimumSize(), kDialogClientSize);
        const Widths smallest = LookAtEveryPage(*dialog);
        // The destinations' paths are shortened to the tree rather than scrolled to, so the
        // ends that tell the drives' folders apart stay in sight.
        auto* tree = dialog->findChild<QTreeWidget*>("destinations");
        QVERIFY(tree->header()->sectionSize(0) <= tree->viewport()->width());
        dialog->resize(kDialogClientSize * 1.5);
        QCoreApplication::processEvents();
        QCOMPARE(dialog->size(), kDialogClientSize * 1.5);
        const Widths grown = LookAtEveryPage(*dialog);
        QVERIFY(grown.logTable > smallest.logTable + kDialogClientSize.width() / 3);
        QVERIFY(grown.destinationTree > smallest.destinationTree);
        QVERIFY(grown.folderContents > smallest.folderContents);
    }

    void theSizeComesBackInTheNextDialog() {
        SizeWorld w;
        {
            auto dialog = w.Open();
            dialog->resize(760, 520);
            QCoreApplication::processEvents();
            dialog->reject();
        }
        QCOMPARE(FileBytes(w.SizeFile()), std::string("760 520\r\n"));
        QCOMPARE(w.Open()->size(), QSize(760, 520));
    }

    // What the file holds, and the size the next dialog opens at.
    void aStoredSizeIsBoundedOrIgnoredWhole() {
        SizeWorld w;
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        const struct {
            const char* name;
            std::string bytes;
            QSize expected;
        } kCases[] = {
            {"smaller than the smallest", "300 200\r\n", kDialogClientSize},
            {"one side too small", "800 200\r\n", QSize(800, kDialogClientSize.height())},
            {"larger than the screen", "65535 65535\r\n", screen},
            {"damaged", "800 500 1\r\n", kDialogClientSize},
            {"cut short", "800 ", kDialogClientSize},
            {"not numbers", "\xff\xfe\r\n", kDialogClientSize},
        };
        for (const auto& c : kCases) {
            PutFileBytes(w.SizeFile(), c.bytes);
            QVERIFY2(w.Open()->size() == c.expected, c.name);
        }
    }

    void aDialogLeftAtItsSizeWritesNothing() {
        SizeWorld w;
        w.Open()->reject();
        QVERIFY(!PathExists(w.SizeFile()));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ConfigDialogSizeTest)
#include "config_dialog_size_test.moc"
