// The settings dialog without a mouse: from the first start the keys alone reach every category
// and every control of every page, and what assistive technology reads of each control names it.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

#include "controller/settings_dialog/categories.h"
#include "tests/ui/schedule_editor/schedule_editor_world.h"
#include "ui/network/password_dialog.h"
#include "ui/removable/media_type_dialog.h"
#include "ui/settings_dialog/config_dialog.h"
#include "ui/settings_dialog/dialogs/drop_file_dialog.h"
#include "ui/settings_dialog/dialogs/extension_dialog.h"
#include "ui/settings_dialog/pages/drive_unit_page.h"
#include "ui/widgets/button_list.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/progress_bar_ex.h"

namespace tv::test {
namespace {

class NoCopies : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob&, const std::string&) override { return {}; }
    int RunRelocation(const RelocationRequest&, const std::string&) override { return 0; }
};

QString AccessibleName(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

// What a user works with on a page; labels and read-only figures are only read.
bool IsControl(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return !edit->isReadOnly() && !qobject_cast<const QComboBox*>(widget->parentWidget()) &&
               !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
    }
    return qobject_cast<const QAbstractButton*>(widget) ||
           (qobject_cast<const QAbstractSlider*>(widget) &&
            !qobject_cast<const QScrollBar*>(widget)) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) ||
           (qobject_cast<const QAbstractItemView*>(widget) &&
            !qobject_cast<const QHeaderView*>(widget) &&
            !qobject_cast<const QComboBox*>(widget->parentWidget()->parentWidget()));
}

struct KeyboardWorld : ScheduleEditorWorld {
    KeyboardWorld() {
        settings.world().AddDrive('D', kDriveCdRom, 0x2222u);
        settings.world().AddDrive('E', kDriveRemovable, 0x3333u);
        live = DefaultSettings(settings.context());
        // The file/directory page has work: its start button can be used.
        live.FileList = {settings.world().root('C')};
        dialog = std::make_unique<CConfigDlg>(
            &live, ConfigDialogServices{settings.context(), prompts, copies,
                                        [](const std::string&) {}, &unitPages, &list});
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        if (!QTest::qWaitForWindowActive(dialog.get())) qFatal("the dialog is not active");
    }
    CButtonList* Categories() const {
        return dialog->findChild<CButtonList*>(QString::number(kIdCategoryList));
    }
    static void Press(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    }
    QWidget* ShownPage() const {
        for (QWidget* page : dialog->findChildren<QWidget*>()) {
            if (dynamic_cast<SettingsPage*>(page) && page->isVisible()) return page;
        }
        return nullptr;
    }
    // The widgets Tab visits from the focus until it is back on the category list.
    std::vector<QWidget*> TabWalk() const {
        std::vector<QWidget*> visited;
        for (int step = 0; step < 300 && QApplication::focusWidget() != Categories(); ++step) {
            visited.push_back(QApplication::focusWidget());
            Press(Qt::Key_Tab);
        }
        return visited;
    }

    // Tab stops on a control, or, for a radio button, on a button of its group from which the
    // arrows lead to it.
    bool Reached(const std::vector<QWidget*>& visited, QWidget* control) const {
        if (std::find(visited.begin(), visited.end(), control) != visited.end()) return true;
        auto* radio = qobject_cast<QRadioButton*>(control);
        if (radio == nullptr) return false;
        for (QWidget* stop : visited) {
            auto* other = qobject_cast<QRadioButton*>(stop);
            if (other == nullptr || other->group() != radio->group()) continue;
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
                other->setFocus();
                for (int step = 0; step < 3; ++step) {
                    Press(key);
                    if (QApplication::focusWidget() == control) return true;
                }
            }
        }
        return false;
    }

    SettingsRecord live;
    NoCopies copies;
    std::unique_ptr<CConfigDlg> dialog;
    std::vector<std::string> folders;  // the list the drop-file dialog edits
};

// A caption that carries a mnemonic: a button's own text or a label's.
struct KeyedCaption {
    Qt::Key key;
    QWidget* caption;
};

std::vector<KeyedCaption> ShownKeys(const QWidget* window) {
    std::vector<KeyedCaption> keys;
    auto add = [&keys](QWidget* caption, const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (caption->isVisible() && !key.isEmpty()) keys.push_back({key[0].key(), caption});
    };
    for (auto* button : window->findChildren<QAbstractButton*>()) add(button, button->text());
    for (auto* label : window->findChildren<QLabel*>()) add(label, label->text());
    return keys;
}

// The control a caption names: a label's buddy, else the captioned button itself.
QWidget* KeyedControl(const KeyedCaption& keyed) {
    auto* label = qobject_cast<QLabel*>(keyed.caption);
    return label != nullptr ? label->buddy() : keyed.caption;
}

// Alt with the caption's key takes the focus to its control, or, for a button without a state
// of its own, presses it.
bool KeyReaches(const KeyedCaption& keyed) {
    QWidget* before = QApplication::focusWidget();
    QTest::keyClick(before ? before : keyed.caption->window(), keyed.key, Qt::AltModifier);
    QWidget* control = KeyedControl(keyed);
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button != nullptr && !button->isCheckable()) return button->isDown();
    return control != nullptr && control->hasFocus();
}

// A window of the settings dialog's family, shown and active.
struct KeyedWindow {
    const char* name;
    std::function<QWidget*(KeyboardWorld&)> open;
    const char* letters;  // of its keys, in alphabetical order
};

std::function<QWidget*(KeyboardWorld&)> Category(int id) {
    return [id](KeyboardWorld& w) -> QWidget* {
        for (int index = 0; index < w.Categories()->Count(); ++index) {
            if (w.Categories()->Item(index).id == id) w.Categories()->Click(index);
        }
        QCoreApplication::processEvents();
        return w.dialog.get();
    };
}

std::function<QWidget*(KeyboardWorld&)> Sheet(ScheduleKind kind) {
    return [kind](KeyboardWorld& w) -> QWidget* {
        ScheduleEntry entry = ScheduleEntry::New(w.settings.context());
        entry.Kind = kind;
        return new CScheduleSheet(entry, w.services, [](const ScheduleEntry&) { return true; });
    };
}

const KeyedWindow kKeyedWindows[] = {
    {"drive unit", Category(kItemDriveUnit), "ABCDEFLORSTUV"},
    {"file/directory", Category(kItemFileDir), "BDFILORSTV"},
    {"removable", Category(kItemRemovable), "ABCDFLMNOPRSUV"},
    {"details", Category(kItemDetails), "CEFHIKMORSTUVWX"},
    {"schedule list", Category(kItemScheduleList), "DELN"},
    {"network", Category(kItemNetwork), "PSUW"},
    {"settings list", Category(kItemSettingsList), "L"},
    {"destination browser", Category(kItemBrowseDestinations), "F"},
    // Its day list and table have no caption to carry a key: Tab reaches both.
    {"activity log", Category(kItemActivityLog), ""},
    {"test mode", Category(kItemTestMode), "DLMNPRSTU"},
    {"schedule by date", Sheet(ScheduleKind::ByDate), "ADNTW"},
    {"schedule by weekday", Sheet(ScheduleKind::ByWeekday), "DNPTW"},
    {"extension", [](KeyboardWorld&) -> QWidget* { return new CExtDlg; }, "E"},
    {"drop file",
     [](KeyboardWorld& w) -> QWidget* { return new CDropFileDlg(&w.folders, true, w.prompts); },
     "DFLX"},
    {"media type",
     [](KeyboardWorld&) -> QWidget* {
         return new CMediaTypeSetting(MediaTypeQuestion{'E', "CardReader", "0130"});
     },
     "M"},
    {"password", [](KeyboardWorld&) -> QWidget* { return new CPasswordDlg("//srv/data"); }, "PU"},
};

}  // namespace

class ConfigDialogKeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void theCategoriesAreANamedListOfItems() {
        KeyboardWorld w;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w.Categories());
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QString("設定項目"));
        QCOMPARE(list->childCount(), int(std::size(kCategories)));
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* item = list->child(i);
            QCOMPARE(item->role(), QAccessible::ListItem);
            QCOMPARE(item->text(QAccessible::Name), QString(kCategories[i].label));
            QCOMPARE(list->indexOfChild(item), i);
            QVERIFY(item->state().selectable && !item->state().selected);
        }
        // Pressing an item through its action is a click on it.
        QAccessibleInterface* details = list->child(3);
        details->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        QCOMPARE(w.ShownPage()->windowTitle(), QString("詳細設定"));
        QVERIFY(details->state().selected);
    }

    // From the first start: the list has the focus, the arrows and Space or Enter choose each
    // category, the focus goes into its page, and Tab reaches every control there, each named.
    void everyControlOfEveryPageIsReachedByKeys() {
        KeyboardWorld w;
        QCOMPARE(QApplication::focusWidget(), w.Categories());
        for (int index = 0; index < int(std::size(kCategories)); ++index) {
            if (kCategories[index].id == kItemHelp) continue;
            w.Press(Qt::Key_End);
            w.Press(Qt::Key_Home);
            for (int down = 0; down < index; ++down) w.Press(Qt::Key_Down);
            QCOMPARE(w.Categories()->FocusIndex(), index);
            w.Press(index % 2 == 0 ? Qt::Key_Space : Qt::Key_Return);
            QWidget* page = w.ShownPage();
            QVERIFY(page != nullptr);
            QCOMPARE(page->windowTitle(), QString(kCategories[index].label));
            QVERIFY2(page->isAncestorOf(QApplication::focusWidget()), kCategories[index].label);

            const std::vector<QWidget*> visited = w.TabWalk();
            for (QWidget* control : page->findChildren<QWidget*>()) {
                if (!IsControl(control) || !control->isVisible() || !control->isEnabled()) continue;
                const QByteArray what = QByteArray(kCategories[index].label) + " " +
                                        control->metaObject()->className() + " " +
                                        control->objectName().toUtf8();
                QVERIFY2(w.Reached(visited, control), what);
                QVERIFY2(!AccessibleName(control).isEmpty(), what);
            }
            for (QWidget* reached : visited) {
                const auto* edit = qobject_cast<QLineEdit*>(reached);
                QVERIFY2(edit == nullptr || !edit->isReadOnly(), "a read-only figure in Tab");
            }
            // Space works the check box that has the focus.
            for (QWidget* reached : visited) {
                auto* box = qobject_cast<QCheckBox*>(reached);
                if (box == nullptr) continue;
                const bool was = box->isChecked();
                box->setFocus();
                w.Press(Qt::Key_Space);
                QCOMPARE(box->isChecked(), !was);
                w.Press(Qt::Key_Space);
            }
            w.Categories()->setFocus();
        }
    }

    // Every window shows its keys, each letter once, and each key works its own control. Buttons
    // are kept from acting, so that a key leaves everything as it was for the next one.
    void everyKeyIsUniqueAndReachesItsControl() {
        for (const KeyedWindow& entry : kKeyedWindows) {
            KeyboardWorld w;
            QWidget* window = entry.open(w);
            std::unique_ptr<QWidget> owned(window == w.dialog.get() ? nullptr : window);
            window->show();
            QApplication::setActiveWindow(window);
            QVERIFY2(QTest::qWaitForWindowActive(window), entry.name);
            const std::vector<KeyedCaption> keys = ShownKeys(window);
            QString letters;
            for (const KeyedCaption& keyed : keys) letters += QChar(keyed.key);
            std::sort(letters.begin(), letters.end());
            QCOMPARE(letters, QString(entry.letters));
            QVERIFY2(std::adjacent_find(letters.begin(), letters.end()) == letters.end(),
                     entry.name);
            const auto buttons = window->findChildren<QAbstractButton*>();
            for (QAbstractButton* button : buttons) button->blockSignals(true);
            for (const KeyedCaption& keyed : keys) {
                QWidget* control = KeyedControl(keyed);
                if (control != nullptr && !control->isEnabled()) continue;
                const QByteArray what = QByteArray(entry.name) + " Alt+" + char(keyed.key);
                QVERIFY2(KeyReaches(keyed), what);
                // A screen reader says the caption; Qt tells the key apart.
                QVERIFY2(!AccessibleName(control).contains('&'), what);
                QVERIFY2(!AccessibleName(control).endsWith(QString("(%1)").arg(QChar(keyed.key))),
                         what);
            }
            QTRY_VERIFY(std::none_of(buttons.begin(), buttons.end(),
                                     [](const QAbstractButton* b) { return b->isDown(); }));
            for (QAbstractButton* button : buttons) button->blockSignals(false);
        }
    }

    // The drive unit page reads from its top left corner down to the start button.
    void tabFollowsThePageTopToBottom() {
        KeyboardWorld w;
        w.Press(Qt::Key_Space);
        auto* page = w.dialog->findChild<CFullSyncPage*>();
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Synchronize"));
        w.Press(Qt::Key_Space);  // all drives: the start button can be used
        std::vector<QString> names;
        for (QWidget* reached : w.TabWalk()) {
            // Tab also steps through the hours and minutes of the interval.
            const bool again = !names.empty() && names.back() == reached->objectName();
            if (page->isAncestorOf(reached) && !again) names.push_back(reached->objectName());
        }
        const std::vector<QString> expected{
            "Synchronize",         "SyncNoCDCopy",     "SyncInterval",
            "connectedDrives",     "SynchroDirectory", "SynchroDirectoryBrowse",
            "SyncLoadControl",     "SyncChacheSize",   "SyncForceMirror",
            "SyncForceOverWrite",  "SyncCheckSize",    "SyncFullBackup",
            "SyncFullBackupCount", "SyncNoExcExt",     "start"};
        QCOMPARE(names, expected);
    }

    // The drawn controls and the drive lists say what they show.
    void theDrawnControlsSpeakThroughAccessibility() {
        KeyboardWorld w;
        w.Press(Qt::Key_Space);
        auto* page = w.dialog->findChild<CFullSyncPage*>();
        auto* bar = page->findChild<CProgressBarEx*>();
        QAccessibleInterface* meter = QAccessible::queryAccessibleInterface(bar);
        QCOMPARE(meter->role(), QAccessible::ProgressBar);
        QCOMPARE(meter->text(QAccessible::Name), QString("推定利用率"));
        QCOMPARE(meter->valueInterface()->currentValue().toInt(), bar->Pos());
        QCOMPARE(meter->valueInterface()->maximumValue().toInt(), 100);
        QCOMPARE(meter->text(QAccessible::Value), QString("%1%").arg(bar->Pos()));

        auto* drives = page->findChild<CDriveListBox*>("connectedDrives");
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(drives);
        QCOMPARE(list->text(QAccessible::Name), QString("●接続ドライブの表示"));
        QStringList items;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* item = list->child(i);
            if (item->role() == QAccessible::ListItem) items << item->text(QAccessible::Name);
        }
        QCOMPARE(items, (QStringList{"HD ： ローカル ディスク (C:)", "CD ： CD ドライブ (D:)"}));
        // The list only shows the run's drives: keys move its focus, never its selection.
        drives->setFocus();
        const auto selected = drives->selectedItems();
        w.Press(Qt::Key_Down);
        w.Press(Qt::Key_Space);
        QCOMPARE(drives->selectedItems(), selected);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::ConfigDialogKeyboardTest)
#include "config_dialog_keyboard_test.moc"
