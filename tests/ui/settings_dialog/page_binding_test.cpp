#include "ui/settings_dialog/page_binding.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>
#include <QWidget>

#include "tests/ui/settings_dialog/record_lines.h"

namespace tv::test {
namespace {

// A page with one edit and one check box, bound as a real page binds its controls.
struct SmallPage {
    SmallPage()
        : edit(new QLineEdit(&page)),
          box(new QCheckBox(&page)),
          binding(new CPageBinding(Table(edit, box), &page)) {}
    static BindingTable Table(QLineEdit* edit, QCheckBox* box) {
        BindingTable table;
        table.texts = {{edit, &SettingsRecord::SynchroDirectory}};
        table.checks = {{box, &SettingsRecord::Sound}};
        return table;
    }
    QWidget page;
    QLineEdit* edit;
    QCheckBox* box;
    CPageBinding* binding;
};

// A page with one control of every other kind a binding knows.
struct RichPage {
    RichPage()
        : slider(new QSlider(&page)),
          count(new QLineEdit(&page)),
          interval(new QTimeEdit(&page)),
          day(new QDateEdit(&page)),
          choice(new QButtonGroup(&page)),
          list(new QComboBox(&page)) {
        slider->setRange(0, 10);
        for (int id = 0; id < 2; ++id) choice->addButton(new QRadioButton(&page), id);
        list->addItems({"never", "once", "always"});
        BindingTable table;
        table.sliders = {{slider, &SettingsRecord::SyncLoadControl}};
        table.numbers = {{count, &SettingsRecord::SyncFullBackupCount}};
        table.dateTimes = {{interval, &SettingsRecord::SyncInterval},
                           {day, &SettingsRecord::ExceptDate}};
        table.choices = {{choice, &SettingsRecord::Sound}};
        table.indexes = {{list, &SettingsRecord::ExecuteType}};
        binding = new CPageBinding(std::move(table), &page);
    }
    QWidget page;
    QSlider* slider;
    QLineEdit* count;
    QTimeEdit* interval;
    QDateEdit* day;
    QButtonGroup* choice;
    QComboBox* list;
    CPageBinding* binding;
};

SettingsRecord RichSettings() {
    SettingsRecord record;
    record.SyncLoadControl = 7;
    record.SyncFullBackupCount = 15;
    record.SyncInterval = DateTime::FromTime(3, 45);
    record.ExceptDate = DateTime::FromParts(2005, 7, 1);
    record.Sound = 1;
    record.ExecuteType = 2;
    return record;
}

SettingsRecord SomeSettings() {
    SettingsRecord record;
    record.SynchroDirectory = "/media/バックアップ";
    record.Sound = 2;  // a stored number other than 1 still means on
    record.User1 = "not on this page";
    return record;
}

}  // namespace

class PageBindingTest : public QObject {
    Q_OBJECT

  private slots:
    void storingWhatWasLoadedGivesTheSameRecord() {
        SmallPage small;
        const SettingsRecord loaded = SomeSettings();
        small.binding->Load(loaded);
        QCOMPARE(small.edit->text(), QString("/media/バックアップ"));
        QVERIFY(small.box->isChecked());
        SettingsRecord stored = loaded;
        small.binding->Store(stored);
        QCOMPARE(RecordLines(stored), RecordLines(loaded));
    }

    void storeCopiesOnlyTheBoundFields() {
        SmallPage small;
        small.binding->Load(SomeSettings());
        small.edit->setText("/srv/new");
        small.box->setChecked(false);
        SettingsRecord stored = SomeSettings();
        small.binding->Store(stored);
        SettingsRecord expected = SomeSettings();
        expected.SynchroDirectory = "/srv/new";
        expected.Sound = 0;
        QCOMPARE(RecordLines(stored), RecordLines(expected));
    }

    void onceLiveEveryChangeLandsAtOnceButLoadingCopiesNothing() {
        SmallPage small;
        SettingsRecord live;
        small.binding->CopyEveryChangeInto(&live);
        small.binding->Load(SomeSettings());
        QCOMPARE(RecordLines(live), RecordLines(SettingsRecord()));

        QTest::keyClicks(small.edit, "/x");
        QCOMPARE(QString::fromStdString(live.SynchroDirectory), QString("/media/バックアップ/x"));
        small.box->setChecked(false);
        QCOMPARE(live.Sound, 0);
        small.box->setChecked(true);
        QCOMPARE(live.Sound, 1);
        small.edit->setText("put by the program");
        QCOMPARE(QString::fromStdString(live.SynchroDirectory), QString("put by the program"));
    }

    void everyKindOfControlLoadsAndStoresItsField() {
        RichPage rich;
        const SettingsRecord loaded = RichSettings();
        rich.binding->Load(loaded);
        QCOMPARE(rich.slider->value(), 7);
        QCOMPARE(rich.count->text(), QString("15"));
        QCOMPARE(rich.interval->time(), QTime(3, 45));
        QCOMPARE(rich.day->date(), QDate(2005, 7, 1));
        QCOMPARE(rich.choice->checkedId(), 1);
        QCOMPARE(rich.list->currentIndex(), 2);
        SettingsRecord stored;
        rich.binding->Store(stored);
        QCOMPARE(RecordLines(stored), RecordLines(loaded));
    }

    void onceLiveEveryKindOfControlWritesAtOnce() {
        RichPage rich;
        SettingsRecord live = RichSettings();
        rich.binding->Load(live);
        rich.binding->CopyEveryChangeInto(&live);
        SettingsRecord expected = live;
        rich.slider->setValue(2);
        expected.SyncLoadControl = 2;
        rich.count->setText("8回");  // read as far as the digits go
        expected.SyncFullBackupCount = 8;
        rich.interval->setTime(QTime(0, 30));
        expected.SyncInterval = DateTime::FromTime(0, 30);  // a time of day, not a date in 2000
        rich.day->setDate(QDate(2010, 1, 31));
        expected.ExceptDate = DateTime::FromParts(2010, 1, 31);
        rich.choice->button(0)->click();
        expected.Sound = 0;
        rich.list->setCurrentIndex(0);
        expected.ExecuteType = 0;
        QCOMPARE(RecordLines(live), RecordLines(expected));
        QVERIFY(live.SyncInterval == expected.SyncInterval);  // the report shows minutes only
    }

    void numbersReadTheLeadingDigits() {
        const struct {
            const char* text;
            int32_t number;
        } cases[] = {{"", 0},      {"0", 0},  {"12", 12},
                     {"12a3", 12}, {"x5", 0}, {"99999999999", 2147483647}};
        for (const auto& c : cases) QCOMPARE(LeadingNumber(c.text), c.number);
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::PageBindingTest)
#include "page_binding_test.moc"
