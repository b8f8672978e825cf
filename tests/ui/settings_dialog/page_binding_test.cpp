#include "ui/settings_dialog/page_binding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "tests/ui/settings_dialog/record_lines.h"

namespace tv::test {
namespace {

// A page with one edit and one check box, bound as a real page binds its controls.
struct SmallPage {
    SmallPage()
        : edit(new QLineEdit(&page)),
          box(new QCheckBox(&page)),
          binding(new CPageBinding(
              {{{edit, &SettingsRecord::SynchroDirectory}}, {{box, &SettingsRecord::Sound}}},
              &page)) {}
    QWidget page;
    QLineEdit* edit;
    QCheckBox* box;
    CPageBinding* binding;
};

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
};

}  // namespace tv::test

QTEST_MAIN(tv::test::PageBindingTest)
#include "page_binding_test.moc"
