#include "ui/network/credential_edit.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace tv::test {
namespace {

// What a Japanese input method hands over when the user confirms a composition.
void Commit(QLineEdit& edit, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&edit, &event);
}

int Bytes(const QLineEdit& edit) { return static_cast<int>(edit.text().toUtf8().size()); }

}  // namespace

class CredentialEditTest : public QObject {
    Q_OBJECT

  private slots:
    void typedKeysStopAt99Bytes() {
        std::unique_ptr<QLineEdit> edit(MakeCredentialEdit(1014, CredentialEcho::kShown, nullptr));
        QTest::keyClicks(edit.get(), QString(100, 'a'));
        QCOMPARE(edit->text(), QString(99, 'a'));
    }

    void aCharacterThatWouldPassTheLimitIsRefusedWhole_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("after");
        const QString kana32 = QString("あ").repeated(32);  // 96 bytes
        QTest::newRow("kana up to 99 bytes") << kana32 << "あ" << QString("あ").repeated(33);
        QTest::newRow("kana at 97 bytes") << QString(97, 'a') << "あ" << QString(97, 'a');
        QTest::newRow("four-byte kanji at 96 bytes")
            << kana32 << "𠮷" << kana32;  // U+20BB7: 4 bytes, two UTF-16 units
        QTest::newRow("four-byte kanji at 95 bytes")
            << QString(95, 'a') << "𠮷" << QString(95, 'a') + "𠮷";
        QTest::newRow("a long composition is not cut") << "" << QString("あ").repeated(34) << "";
        QTest::newRow("ascii at 99 bytes") << QString(99, 'a') << "b" << QString(99, 'a');
    }

    void aCharacterThatWouldPassTheLimitIsRefusedWhole() {
        QFETCH(QString, before);
        QFETCH(QString, entered);
        QFETCH(QString, after);
        std::unique_ptr<QLineEdit> edit(MakeCredentialEdit(1014, CredentialEcho::kShown, nullptr));
        edit->setText(before);
        Commit(*edit, entered);
        QCOMPARE(edit->text(), after);
        QVERIFY(Bytes(*edit) <= kMaxCredentialBytes);
    }

    void aPasteOverTheLimitChangesNothing() {
        std::unique_ptr<QLineEdit> edit(MakeCredentialEdit(1015, CredentialEcho::kHidden, nullptr));
        edit->setText("user");
        edit->insert(QString("パスワード").repeated(7));  // 105 more bytes
        QCOMPARE(edit->text(), QString("user"));
    }

    // A value longer than the limit can only come from a store edited by hand; it is shown as
    // it is, and the user can still shorten it.
    void aTooLongValueIsShownWholeAndCanBeShortened() {
        std::unique_ptr<QLineEdit> edit(MakeCredentialEdit(1014, CredentialEcho::kShown, nullptr));
        edit->setText(QString(120, 'a'));
        QCOMPARE(edit->text(), QString(120, 'a'));
        edit->setCursorPosition(120);
        QTest::keyClick(edit.get(), Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString(119, 'a'));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::CredentialEditTest)
#include "credential_edit_test.moc"
