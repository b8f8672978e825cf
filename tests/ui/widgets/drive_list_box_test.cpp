#include "ui/widgets/drive_list_box.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "controller/lists/drive_list_item.h"
#include "platform/drive_table.h"
#include "platform/win_constants.h"
#include "ui/dialog_font.h"
#include "ui/widgets/drive_item_delegate.h"

namespace tv::test {
namespace {

constexpr unsigned kAllKinds =
    kDriveListFixed | kDriveListCdRom | kDriveListRemovable | kDriveListNetwork | kDriveListRamDisk;

const std::vector<DriveListRow> kDrives = {
    {'A', kDriveRemovable, "リムーバブル ディスク (A:)", std::nullopt},
    {'C', kDriveFixed, "ローカル ディスク (C:)", std::nullopt},
    {'D', kDriveCdRom, "CD ドライブ (D:)", std::nullopt},
    {'E', kDriveRemovable, "CAMERA (E:)", 8},
    {'F', kDriveRamDisk, "RAMDISK (F:)", std::nullopt},
    {'G', kDriveUnknown, "G:", std::nullopt},
    {'N', kDriveRemote, "share (N:)", std::nullopt},
};

QStringList Texts(const CDriveListBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
}

QString Letters(const CDriveListBox& list) {
    QString letters;
    for (int i = 0; i < list.count(); ++i) letters += QChar(list.LetterAt(i));
    return letters;
}

// A shown list of drives in the dialogs' font, laid out and painted. It takes no focus unless
// a test gives it, so no focus rectangle is drawn over the items.
struct ShownList {
    CDriveListBox list;
    explicit ShownList(const std::vector<DriveListRow>& rows) {
        list.setFocusPolicy(Qt::NoFocus);
        list.setFont(DialogFont());
        list.resize(260, 120);
        list.SetDrives(rows, kAllKinds);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
    }
    QImage Image() { return list.viewport()->grab().toImage(); }
    QRect ItemRect(int row) const { return list.visualItemRect(list.item(row)); }
    int LabelWidth(int row) const {
        const std::string label = SplitDriveItemText(list.item(row)->text().toStdString()).label;
        return QFontMetrics(list.font()).horizontalAdvance(QString::fromStdString(label));
    }
};

// Whether every pixel of the columns [from, to) of the item differs from the background.
bool ColumnsBlank(const QImage& image, const QRect& item, int from, int to, QColor background) {
    for (int x = item.left() + from; x < item.left() + to; ++x) {
        for (int y = item.top() + 1; y < item.bottom(); ++y) {
            if (image.pixelColor(x, y) != background) return false;
        }
    }
    return true;
}

bool ColumnsInked(const QImage& image, const QRect& item, int from, int to, QColor background) {
    return !ColumnsBlank(image, item, from, to, background);
}

}  // namespace

class DriveListBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void itemTextOfEachKind_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("cardKind");  // -1: the medium has no card name
        QTest::addColumn<QString>("text");
        QTest::newRow("fixed") << kDriveFixed << -1 << "HD   ： _名前 (X:)";
        QTest::newRow("CD-ROM") << kDriveCdRom << -1 << "CD   ： _名前 (X:)";
        QTest::newRow("network") << kDriveRemote << -1 << "NTW  ： _名前 (X:)";
        QTest::newRow("RAM disk") << kDriveRamDisk << -1 << "RAM  ： _名前 (X:)";
        QTest::newRow("fixed ignores a card kind") << kDriveFixed << 1 << "HD   ： _名前 (X:)";
        const char* labels[] = {"CF   ", "SM   ", "MD   ", "SD   ", "MMC  ", "MS    ", "MO    ",
                                "USBM ", "MINI ", "USBFD", "FD   ", "ZIP  ", "USBHD"};
        for (int i = 0; i < 13; ++i) {
            QTest::addRow("removable, kind %d", 1 << i)
                << kDriveRemovable << (1 << i) << QString(labels[i]) + "： _名前 (X:)";
        }
        QTest::newRow("removable without card name")
            << kDriveRemovable << -1 << "RM  ： _名前 (X:)";
        QTest::newRow("removable, kind none") << kDriveRemovable << 0 << "RM  ： _名前 (X:)";
        QTest::newRow("removable, SD + MMC reader") << kDriveRemovable << 24 << "RM  ： _名前 (X:)";
        QTest::newRow("removable, the cancelled answer")
            << kDriveRemovable << 8192 << "RM  ： _名前 (X:)";
    }

    void itemTextOfEachKind() {
        QFETCH(int, type);
        QFETCH(int, cardKind);
        QFETCH(QString, text);
        DriveListRow row{'X', type, "名前 (X:)", std::nullopt};
        if (cardKind >= 0) row.cardKind = cardKind;
        QCOMPARE(QString::fromStdString(DriveListItemText(row)), text);
    }

    void theTextSplitsAtTheFirstMarkWithoutTheBlankBeforeIt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::newRow("fixed") << "HD   ： _ローカル ディスク (C:)"
                               << "HD   ："
                               << "ローカル ディスク (C:)";
        QTest::newRow("a mark in the name") << "USBM ： _MY_STICK (E:)"
                                            << "USBM ："
                                            << "MY_STICK (E:)";
        QTest::newRow("no mark") << "HD"
                                 << "HD"
                                 << "";
    }

    void theTextSplitsAtTheFirstMarkWithoutTheBlankBeforeIt() {
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QString, name);
        const DriveItemParts parts = SplitDriveItemText(text.toStdString());
        QCOMPARE(QString::fromStdString(parts.label), label);
        QCOMPARE(QString::fromStdString(parts.name), name);
    }

    void theFilterPicksTheKindsInLetterOrder_data() {
        QTest::addColumn<unsigned>("filter");
        QTest::addColumn<QString>("letters");
        QTest::newRow("fixed") << kDriveListFixed << "C";
        QTest::newRow("CD-ROM") << kDriveListCdRom << "D";
        QTest::newRow("removable") << kDriveListRemovable << "AE";
        QTest::newRow("network") << kDriveListNetwork << "N";
        QTest::newRow("RAM disk") << kDriveListRamDisk << "F";
        QTest::newRow("fixed and CD-ROM") << (kDriveListFixed | kDriveListCdRom) << "CD";
        QTest::newRow("all, never the unknown drive") << kAllKinds << "ACDEFN";
        QTest::newRow("none") << 0u << "";
    }

    void theFilterPicksTheKindsInLetterOrder() {
        QFETCH(unsigned, filter);
        QFETCH(QString, letters);
        CDriveListBox list;
        list.SetDrives(kDrives, filter);
        QCOMPARE(Letters(list), letters);
        QCOMPARE(list.LetterAt(list.count()), '\0');
    }

    void refillingReplacesTheItems() {
        CDriveListBox list;
        list.SetDrives(kDrives, kAllKinds);
        list.SetDrives(kDrives, kDriveListCdRom);
        QCOMPARE(Texts(list), QStringList{"CD   ： _CD ドライブ (D:)"});
    }

    void rowsFromTheDriveTableCarryDisplayNamesAndNoCardKind() {
        QTemporaryDir config;
        DriveTable table(config.path().toStdString());
        table.SetPinnedOnly(true);
        const QString root = config.path() + "/";
        table.Pin({'E', kDriveRemovable, root.toStdString() + "e/", true, 0x1234, "CAMERA", "",
                   true, std::nullopt, std::nullopt});
        table.Pin({'C', kDriveFixed, root.toStdString() + "c/", true, 0x1, "", "", true,
                   std::nullopt, std::nullopt});
        table.Refresh();
        const std::vector<DriveListRow> rows = DriveListRows(table);
        QCOMPARE(rows.size(), size_t{2});
        QCOMPARE(rows[0].letter, 'C');
        QCOMPARE(rows[0].type, kDriveFixed);
        QCOMPARE(QString::fromStdString(rows[0].displayName), QString("ローカル ディスク (C:)"));
        QCOMPARE(rows[1].letter, 'E');
        QCOMPARE(QString::fromStdString(rows[1].displayName), QString("CAMERA (E:)"));
        QVERIFY(!rows[1].cardKind.has_value());
    }

    void thePartsAreLaidOutFromTheLabelWidth() {
        const QRect item(0, 20, 200, 18);
        const QFontMetrics metrics(DialogFont());
        const QString label = "USBM ：";
        const int width = metrics.horizontalAdvance(label);
        const DriveItemLayout layout = LayOutDriveItem(item, metrics, label);
        QCOMPARE(layout.label.left(), 1);
        QCOMPARE(layout.label.width(), width);
        QCOMPARE(layout.icon, QRect(width + 3, 21, 16, 16));
        QCOMPARE(layout.name.left(), width + 22);
        QCOMPARE(layout.name.right(), item.right());
    }

    // The drawn item: ink of the label from x = 1, the icon in its 16 columns, nothing in the
    // gaps, the name from label width + 22; the selected item on the highlight colour.
    void theDrawnItemShowsLabelIconAndNameApart() {
        ShownList shown({kDrives[1], kDrives[3]});
        shown.list.setCurrentRow(1);
        const QImage image = shown.Image();
        const QColor base = shown.list.palette().color(QPalette::Active, QPalette::Base);
        const QColor highlight = shown.list.palette().color(QPalette::Active, QPalette::Highlight);
        for (int row = 0; row < 2; ++row) {
            const QRect item = shown.ItemRect(row);
            const QColor background = row == 1 ? highlight : base;
            const int width = shown.LabelWidth(row);
            QCOMPARE(image.pixelColor(item.right() - 3, item.center().y()), background);
            QVERIFY(ColumnsBlank(image, item, 0, 1, background));
            QVERIFY(ColumnsInked(image, item, 1, 4, background));
            QVERIFY(ColumnsInked(image, item, width + 3, width + 19, background));
            QVERIFY(ColumnsBlank(image, item, width + 19, width + 22, background));
            QVERIFY(ColumnsInked(image, item, width + 22, width + 30, background));
        }
    }

    void aFocusedItemIsDrawnWithAFocusRectangle() {
        ShownList shown({kDrives[1], kDrives[2]});
        const QImage without = shown.Image();
        shown.list.setFocusPolicy(Qt::StrongFocus);
        shown.list.setFocus();
        shown.list.setCurrentRow(0, QItemSelectionModel::NoUpdate);
        QTRY_VERIFY(shown.list.hasFocus());
        const QImage with = shown.Image();
        const QRect item = shown.ItemRect(0);
        QVERIFY(with.copy(item) != without.copy(item));
        QCOMPARE(with.copy(shown.ItemRect(1)), without.copy(shown.ItemRect(1)));
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::DriveListBoxTest)
#include "drive_list_box_test.moc"
