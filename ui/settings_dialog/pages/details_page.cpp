#include "ui/settings_dialog/pages/details_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "settings/stored_units.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/dialogs/drop_file_dialog.h"
#include "ui/settings_dialog/page_binding.h"
#include "ui/settings_dialog/parts/extension_list_row.h"
#include "ui/settings_dialog/parts/named_controls.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/widgets/focus_order.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr int kOn = 1;
constexpr int kOff = 0;
constexpr int kIndent = 12;
// The reference date picker stands under its check box and has no label of its own.
constexpr const char* kReferenceDateName = "基準日";

// The navigation rows are named by their titles, the others by their fields. The captions
// that fill their column at the dialog's smallest size (the progress bar's row, the extension
// lists, the log day and the date folders) have no key: it would make the page too wide for
// the dialog. Tab reaches them.
const MnemonicKey kDetailsKeys[] = {
    {"SoundTitle", 'V'},       {"IgnorTime", 'T'},        {"ExceptList", 'X'},
    {"ExceptSubFolder", 'S'},  {"ExceptDateFlag", 'O'},   {"ExceptReadOnlyFile", 'R'},
    {"ExceptHiddenFile", 'H'}, {"ExtFolder", 'E'},        {"ExecuteType", 'W'},
    {"NoIdleSync", 'C'},       {"NoIdleMirror", 'F'},     {"NoIdleTime", 'M'},
    {"USBCheck", 'U'},         {"USBCheckInterval", 'K'}, {"IdleCheck", 'I'},
};

const char* const kExecuteTypes[] = {"Windows終了時に実施しない", "今回のみWindows終了時に実施",
                                     "毎回Windows終了時に実施"};

QHBoxLayout* Row() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kIndent, 0, 0, 0);
    row->setSpacing(4);
    return row;
}

QHBoxLayout* RowOf(QWidget* first, QWidget* second = nullptr) {
    QHBoxLayout* row = Row();
    row->addWidget(first);
    if (second != nullptr) row->addWidget(second);
    row->addStretch(1);
    return row;
}

QLabel* Heading(const char* text, QWidget* page) { return new QLabel(text, page); }

// "●ナビゲーション" over its two choices, with "する" and "しない" heading the columns of their
// radio buttons, so that the group fits half a page. The buttons' ids are the fields' values.
QGridLayout* MakeNavigationGrid(QWidget* page, BindingTable* table) {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    grid->addWidget(Heading("●ナビゲーション", page), 0, 0);
    const struct {
        const char* text;
        int value;
    } kColumns[] = {{"する", kOn}, {"しない", kOff}};
    for (int column = 0; column < 2; ++column) {
        grid->addWidget(new QLabel(kColumns[column].text, page), 0, column + 1, Qt::AlignHCenter);
    }
    const struct {
        const char* title;
        const char* name;
        int32_t SettingsRecord::*field;
    } kChoices[] = {{"音声案内", "Sound", &SettingsRecord::Sound},
                    {"プログレスバーの表示", "Navigation", &SettingsRecord::Navigation}};
    for (int row = 1; row <= 2; ++row) {
        const auto& choice = kChoices[row - 1];
        auto* group = new QButtonGroup(page);
        for (int column = 0; column < 2; ++column) {
            auto* button = FitToText(new QRadioButton(page));
            button->setObjectName(QString("%1%2").arg(choice.name).arg(kColumns[column].value));
            // Said with its row, since the column heading alone names no setting.
            button->setAccessibleName(QString("%1 %2").arg(choice.title, kColumns[column].text));
            group->addButton(button, kColumns[column].value);
            grid->addWidget(button, row, column + 1, Qt::AlignHCenter);
        }
        QLabel* title = MakeLabelForChoices(group, choice.title, page);
        title->setObjectName(QString(choice.name) + "Title");
        title->setIndent(kIndent);
        grid->addWidget(title, row, 0);
        table->choices.push_back({group, choice.field});
    }
    grid->setColumnStretch(0, 1);
    return grid;
}

// A digits-only edit that keeps its field when the text is no integer, then its text.
QHBoxLayout* NumberRow(const char* name, const char* after, int32_t SettingsRecord::*field,
                       QWidget* page, BindingTable* table) {
    QLineEdit* edit = MakeDigitsEdit(name, page);
    table->numbers.push_back({edit, field, NumberReading::kWholeInteger});
    return RowOf(edit, MakeLabelFor(edit, after, page));
}

QCheckBox* BoundCheck(const char* text, const char* name, int32_t SettingsRecord::*field,
                      QWidget* page, BindingTable* table) {
    QCheckBox* box = FitToText(MakeCheck(text, name, page));
    table->checks.push_back({box, field});
    return box;
}

QVBoxLayout* Column(const char* title, QWidget* page) {
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    auto* heading = new QLabel(title, page);
    heading->setAlignment(Qt::AlignHCenter);
    column->addWidget(heading);
    return column;
}

QDateEdit* MakeReferenceDatePicker(QWidget* page) {
    auto* picker = new QDateEdit(page);
    picker->setObjectName("ExceptDate");
    picker->setAccessibleName(kReferenceDateName);
    // The reset stores 1899/12/30, the first day of the stored dates; below it the picker
    // would show its own first day instead of what the record holds.
    picker->setMinimumDate(QDate(1899, 12, 30));
    picker->setDisplayFormat("yyyy/MM/dd");
    picker->setCalendarPopup(true);
    return picker;
}

// Only the day is shown, within the month whose 31 days are every count the log can keep.
QDateEdit* MakeLogDayPicker(QWidget* page) {
    auto* picker = new QDateEdit(page);
    picker->setObjectName("BeforeLogDate");
    picker->setDisplayFormat("dd");
    const DateTime first = DateOfDayCount(1);
    const DateTime last = DateOfDayCount(31);
    picker->setDateRange(QDate(first.Year(), first.Month(), first.Day()),
                         QDate(last.Year(), last.Month(), last.Day()));
    return picker;
}

}  // namespace

CWholePage::CWholePage(SettingsRecord* record, Prompts& prompts, FolderChooser chooseFolder,
                       QWidget* parent)
    : QWidget(parent), record_(record), prompts_(prompts), chooseFolder_(std::move(chooseFolder)) {
    setFont(DialogFont());
    setWindowTitle(kDetailsPageCaption);
    BindingTable table;

    QVBoxLayout* shared = Column("--詳細(共通)設定--", this);
    shared->addLayout(MakeNavigationGrid(this, &table));
    shared->addWidget(Heading("●タイムスタンプの時差修正", this));
    shared->addLayout(
        NumberRow("IgnorTime", "秒以内を同じとみなす", &SettingsRecord::IgnorTime, this, &table));
    shared->addWidget(Heading("●除外するフォルダ/ファイル", this));
    auto* exceptList = new QPushButton("フォルダ選択", this);
    exceptList->setObjectName("ExceptList");
    exceptList->setAutoDefault(false);
    shared->addLayout(RowOf(new QLabel("除外フォルダ", this), exceptList));
    shared->addLayout(RowOf(BoundCheck("サブフォルダも除外", "ExceptSubFolder",
                                       &SettingsRecord::ExceptSubFolder, this, &table)));
    QDateEdit* referenceDate = MakeReferenceDatePicker(this);
    table.dateTimes.push_back({referenceDate, &SettingsRecord::ExceptDate});
    shared->addLayout(RowOf(BoundCheck("基準日より古いファイル", "ExceptDateFlag",
                                       &SettingsRecord::ExceptDateFlag, this, &table)));
    QHBoxLayout* dateRow = RowOf(referenceDate);
    dateRow->insertSpacing(0, kIndent);
    shared->addLayout(dateRow);
    shared->addLayout(RowOf(BoundCheck("読取り専用ファイル", "ExceptReadOnlyFile",
                                       &SettingsRecord::ExceptReadOnlyFile, this, &table)));
    shared->addLayout(RowOf(BoundCheck("隠しファイル属性のファイル", "ExceptHiddenFile",
                                       &SettingsRecord::ExceptHiddenFile, this, &table)));
    shared->addWidget(Heading("●拡張子コントロール", this));
    auto* extList = new CExtensionListRow("転送不要拡張子", "ExtList", this);
    auto* incExtList = new CExtensionListRow("転送対象拡張子", "IncExtList", this);
    table.lists = {{extList->list(), &SettingsRecord::ExtList},
                   {incExtList->list(), &SettingsRecord::IncExtList}};
    shared->addLayout(RowOf(extList, incExtList));
    shared->addLayout(RowOf(BoundCheck("拡張子ごとにフォルダを作成", "ExtFolder",
                                       &SettingsRecord::ExtFolder, this, &table)));
    shared->addStretch(1);

    QVBoxLayout* single = Column("--詳細(個別)設定--", this);
    auto* executeType = new QComboBox(this);
    single->addWidget(MakeLabelFor(executeType, "●Windows終了時のミラーリング実施設定", this));
    executeType->setObjectName("ExecuteType");
    for (const char* text : kExecuteTypes) executeType->addItem(text);
    table.indexes.push_back({executeType, &SettingsRecord::ExecuteType});
    single->addLayout(RowOf(executeType));
    single->addWidget(Heading("●非アイドル時の遅延時間", this));
    single->addLayout(RowOf(BoundCheck("接続ドライブ一括処理", "NoIdleSync",
                                       &SettingsRecord::NoIdleSync, this, &table)));
    single->addLayout(RowOf(BoundCheck("ファイル・ディレクトリ単位", "NoIdleMirror",
                                       &SettingsRecord::NoIdleMirror, this, &table)));
    single->addLayout(
        NumberRow("NoIdleTime", "分延期する", &SettingsRecord::NoIdleTime, this, &table));
    QCheckBox* usbCheck = BoundCheck("", "USBCheck", &SettingsRecord::USBCheck, this, &table);
    single->addWidget(MakeLabelFor(usbCheck, "●USBメディアのメディアチェックを実施", this));
    QHBoxLayout* usb = NumberRow("USBCheckInterval", "秒おきにチェックする",
                                 &SettingsRecord::USBCheckInterval, this, &table);
    usb->insertWidget(0, usbCheck);
    single->addLayout(usb);
    single->addWidget(Heading("●指定日以前のログ情報の削除", this));
    QDateEdit* logDay = MakeLogDayPicker(this);
    table.days.push_back({logDay, &SettingsRecord::BeforeLogDate});
    QHBoxLayout* log = RowOf(new QLabel("当日より", this), logDay);
    log->insertWidget(2, MakeLabelFor(logDay, "日以前のログ情報削除", this));
    single->addLayout(log);
    single->addWidget(Heading("●フォルダコントロール", this));
    single->addLayout(RowOf(BoundCheck("ファイル更新日付でフォルダを作成", "DateFolder",
                                       &SettingsRecord::DateFolder, this, &table)));
    single->addWidget(Heading("●アイドリング時のみ実施", this));
    single->addLayout(RowOf(BoundCheck("アイドリング時のみ実施", "IdleCheck",
                                       &SettingsRecord::IdleCheck, this, &table)));
    single->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    SetPageMargins(layout);
    layout->addLayout(shared, 1);
    layout->addLayout(single, 1);

    binding_ = new CPageBinding(std::move(table), this);
    binding_->CopyEveryChangeInto(record_);
    GiveMnemonics(this, kDetailsKeys);
    // The schedule sheet shows the page too, where Tab must read it as laid out as well.
    OrderTabsAsLaidOut(this);
    connect(exceptList, &QPushButton::clicked, this, &CWholePage::EditExceptList);
    Reload();
}

void CWholePage::Reload() { binding_->Load(*record_); }

void CWholePage::EditExceptList() {
    CDropFileDlg dialog(&record_->ExceptList, false, prompts_, chooseFolder_, this);
    dialog.exec();
}

}  // namespace tv
