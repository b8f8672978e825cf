#include "ui/settings_dialog/pages/network_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "tests/ui/settings_dialog/record_lines.h"

namespace tv::test {
namespace {

struct EditOfField {
    int id;
    std::string SettingsRecord::*field;
};

const EditOfField kEdits[] = {
    {kIdUser1Edit, &SettingsRecord::User1},
    {kIdPass1Edit, &SettingsRecord::Pass1},
    {kIdUser2Edit, &SettingsRecord::User2},
    {kIdPass2Edit, &SettingsRecord::Pass2},
};

QLineEdit* Edit(const CNetworkDlg& page, int id) {
    return page.findChild<QLineEdit*>(QString::number(id));
}

SettingsRecord WithPairs() {
    SettingsRecord record;
    record.SynchroDirectory = "//srv/data/backup";
    record.User1 = "tanaka";
    record.Pass1 = "パス1";
    record.User2 = "suzuki";
    record.Pass2 = "pw2";
    return record;
}

}  // namespace

class NetworkPageTest : public QObject {
    Q_OBJECT

  private slots:
    void pageShowsTwoPairsWithHiddenPasswords() {
        SettingsRecord record;
        const CNetworkDlg page(&record);
        QCOMPARE(page.windowTitle(), QString("ネットワーク設定"));
        QStringList labels;
        for (const QLabel* label : page.findChildren<QLabel*>()) labels << label->text();
        QCOMPARE(labels,
                 QStringList({"ユーザー名およびパスワードを入力してください", "ユーザー名(&U)",
                              "パスワード(&P)", "ユーザー名(&S)", "パスワード(&W)"}));
        struct Expected {
            int id;
            const char* group;
            QLineEdit::EchoMode echo;
        };
        const Expected expected[] = {
            {kIdUser1Edit, "ユーザー１", QLineEdit::Normal},
            {kIdPass1Edit, "ユーザー１", QLineEdit::Password},
            {kIdUser2Edit, "ユーザー２", QLineEdit::Normal},
            {kIdPass2Edit, "ユーザー２", QLineEdit::Password},
        };
        for (const Expected& edit : expected) {
            const auto* group = qobject_cast<const QGroupBox*>(Edit(page, edit.id)->parentWidget());
            QVERIFY(group != nullptr);
            QCOMPARE(group->title(), QString(edit.group));
            QCOMPARE(Edit(page, edit.id)->echoMode(), edit.echo);
        }
    }

    void opensAndReloadsWithTheRecordsPairs() {
        SettingsRecord record = WithPairs();
        CNetworkDlg page(&record);
        for (const EditOfField& edit : kEdits) {
            QCOMPARE(Edit(page, edit.id)->text(), QString::fromStdString(record.*edit.field));
        }
        record.User1.clear();
        record.Pass2 = "新しい";
        const SettingsRecord before = record;
        page.Reload();
        QCOMPARE(Edit(page, kIdUser1Edit)->text(), QString());
        QCOMPARE(Edit(page, kIdPass2Edit)->text(), QString("新しい"));
        QCOMPARE(RecordLines(record), RecordLines(before));
    }

    void everyEditLandsInItsOwnFieldAtOnce() {
        for (const EditOfField& edit : kEdits) {
            SettingsRecord record = WithPairs();
            CNetworkDlg page(&record);
            QTest::keyClicks(Edit(page, edit.id), "x");
            SettingsRecord expected = WithPairs();
            expected.*edit.field += "x";
            QCOMPARE(RecordLines(record), RecordLines(expected));
        }
    }

    void everyEditKeepsAtMost99Bytes() {
        SettingsRecord record;
        CNetworkDlg page(&record);
        for (const EditOfField& edit : kEdits) {
            QTest::keyClicks(Edit(page, edit.id), QString(100, 'a'));
            Edit(page, edit.id)->insert("あ");
            QCOMPARE(QString::fromStdString(record.*edit.field), QString(99, 'a'));
        }
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::NetworkPageTest)
#include "network_page_test.moc"
