#include "ui/test_mode/test_mode_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "controller/test_mode/speed_figures.h"
#include "controller/test_mode/speed_test_run.h"
#include "engine/scan/timed_copy.h"
#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "ui/dialog_font.h"
#include "ui/settings_dialog/parts/transfer_controls.h"
#include "ui/test_mode/background_speed_test.h"
#include "ui/test_mode/count_edit.h"
#include "ui/test_mode/queued_scan_reports.h"
#include "ui/test_mode/shown_speed.h"
#include "ui/widgets/drive_list_box.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

constexpr const char* kNote =
    "注意事項\nRemovableMediaでの実施は、1MBの空き容量が\n必要となりますので、注意してください。";
constexpr const char* kRefusalCaption = "Tessaravine";
constexpr uint64_t kBytesPerPreviewMb = uint64_t{1} << 20;
constexpr int kDriveListHeight = 58;
constexpr int kColumnMargin = 12;
constexpr int kEditMargin = 12;
constexpr int kFileListMinimumHeight = 32;
constexpr int kNoteMargin = 2;

// A tool's units are named by its heading.
const MnemonicKey kTestModeKeys[] = {
    {"speedUnitTitle", 'M'}, {"speedDrives", 'D'},    {"TestSizeMB", 'S'},
    {"TestRuns", 'N'},       {"startSpeedTest", 'T'}, {"previewUnitTitle", 'U'},
    {"previewDrives", 'R'},  {"updatedFiles", 'L'},   {"startPreview", 'P'},
};

// The three units of a tool, stacked, the button ids being the SettingsUnit numbers.
QWidget* MakeUnitChoice(const char* name, const char* removableText, QButtonGroup* group,
                        QWidget* page) {
    auto* box = new QWidget(page);
    box->setObjectName(name);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const char* const texts[] = {"ドライブ単位を実施する", "ファイル・ディレクトリ単位を実施する",
                                 removableText};
    for (int id = 0; id < 3; ++id) {
        auto* button = new QRadioButton(texts[id], box);
        button->setObjectName(QString("%1%2").arg(name).arg(id));
        group->addButton(button, id);
        column->addWidget(button);
    }
    group->button(static_cast<int>(SettingsUnit::DriveUnit))->setChecked(true);
    return box;
}

CDriveListBox* MakeDriveList(const char* name, const char* tip, QWidget* page) {
    auto* list = new CDriveListBox(page);
    list->setObjectName(name);
    list->setToolTip(tip);
    list->setAccessibleName(tip);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFixedHeight(kDriveListHeight);
    return list;
}

QLineEdit* MakeShownEdit(const char* name, QWidget* page) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    // A figure to read: Tab passes it by.
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QPushButton* MakeStartButton(const char* name, QWidget* page) {
    auto* button = new QPushButton("開始", page);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A tool's heading over its units, with its drive list's caption at the right, the units beside
// the list below.
QVBoxLayout* UnitsAndDrives(const char* heading, QWidget* units, QButtonGroup* group,
                            const char* caption, QWidget* drives, QWidget* page) {
    QLabel* title = MakeLabelForChoices(group, heading, page);
    title->setObjectName(units->objectName() + "Title");
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch(1);
    top->addWidget(MakeLabelFor(drives, caption, page));
    auto* row = new QHBoxLayout;
    row->addWidget(units);
    row->addWidget(drives, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->addLayout(top);
    column->addLayout(row);
    return column;
}

// Tall enough for every line of the note, and as tall as the speeds beside it.
int NoteHeight(const QPlainTextEdit& note, int besideHeight) {
    const int lines = QString::fromUtf8(kNote).count('\n') + 1;
    const int margins =
        2 * (note.frameWidth() + static_cast<int>(note.document()->documentMargin()));
    return std::max(besideHeight, note.fontMetrics().lineSpacing() * lines + margins);
}

SettingsUnit UnitOf(const QButtonGroup* group) {
    return static_cast<SettingsUnit>(group->checkedId());
}

}  // namespace

CTestModeDlg::CTestModeDlg(SettingsRecord* live, const UnitPageServices& services,
                           std::string programDir, QWidget* parent)
    : QWidget(parent), live_(live), services_(services), programDir_(std::move(programDir)) {
    setFont(DialogFont());
    setWindowTitle(kTestModePageCaption);
    BuildControls();
    OnMediaChanged();
}

CTestModeDlg::~CTestModeDlg() { StopPreview(); }

void CTestModeDlg::BuildControls() {
    speedUnit_ = new QButtonGroup(this);
    previewUnit_ = new QButtonGroup(this);
    speedDrives_ = MakeDriveList("speedDrives", "リムーバブルメディア測定ドライブ一覧", this);
    previewDrives_ = MakeDriveList("previewDrives", "リムーバブルメディア設定ドライブ一覧", this);
    sizeEdit_ = MakeCountEdit("TestSizeMB", this);
    runsEdit_ = MakeCountEdit("TestRuns", this);
    measuredPerMinute_ = MakeShownEdit("measuredPerMinute", this);
    measuredPerHour_ = MakeShownEdit("measuredPerHour", this);
    fullPerMinute_ = MakeShownEdit("fullPowerPerMinute", this);
    fullPerHour_ = MakeShownEdit("fullPowerPerHour", this);
    fileCount_ = MakeShownEdit("fileCount", this);
    totalSize_ = MakeShownEdit("totalSize", this);
    fastest_ = MakeShownEdit("fastestTime", this);
    slowest_ = MakeShownEdit("slowestTime", this);
    // The speeds leave the rest of their row to the note.
    for (QLineEdit* edit : SpeedEdits()) {
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("000000MB") + kEditMargin);
    }
    files_ = new QTreeWidget(this);
    files_->setObjectName("updatedFiles");
    files_->setColumnCount(1);
    files_->setHeaderHidden(true);
    files_->setRootIsDecorated(false);
    files_->setUniformRowHeights(true);
    files_->header()->setStretchLastSection(false);
    files_->setMinimumHeight(kFileListMinimumHeight);
    auto* note = new QPlainTextEdit(kNote, this);
    note->setObjectName("note");
    note->setReadOnly(true);
    // A narrow margin lets the three lines fit beside the speeds in the smallest dialog.
    note->document()->setDocumentMargin(kNoteMargin);
    // Its height is made for its lines: a scroll bar would only take their width.
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    speedStart_ = MakeStartButton("startSpeedTest", this);
    QPushButton* previewStart = MakeStartButton("startPreview", this);

    QVBoxLayout* speedChoice = UnitsAndDrives(
        "●転送速度の測定",
        MakeUnitChoice("speedUnit", "リムーバブルメディ類を実施する", speedUnit_, this), speedUnit_,
        "－　リムーバブルメディア測定ドライブ一覧　－", speedDrives_, this);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeEdit_);
    sizeRow->addWidget(MakeLabelFor(sizeEdit_, "MBのファイルを", this));
    sizeRow->addWidget(runsEdit_);
    sizeRow->addWidget(MakeLabelFor(runsEdit_, "個作成する", this));
    sizeRow->addStretch(1);
    sizeRow->addWidget(speedStart_);
    auto* speeds = new QGridLayout;
    speeds->setVerticalSpacing(2);
    const struct {
        const char* title;
        QLineEdit* perMinute;
        QLineEdit* perHour;
    } kSpeedRows[] = {{"転送制御有効時", measuredPerMinute_, measuredPerHour_},
                      {"フルパワー時", fullPerMinute_, fullPerHour_}};
    for (int row = 0; row < 2; ++row) {
        speeds->addWidget(new QLabel(kSpeedRows[row].title, this), row, 0);
        speeds->addWidget(MakeLabelFor(kSpeedRows[row].perMinute, "分速", this), row, 1);
        speeds->addWidget(kSpeedRows[row].perMinute, row, 2);
        speeds->addWidget(MakeLabelFor(kSpeedRows[row].perHour, "時速", this), row, 3);
        speeds->addWidget(kSpeedRows[row].perHour, row, 4);
    }
    auto* speedsAndNote = new QHBoxLayout;
    speedsAndNote->addLayout(speeds);
    speedsAndNote->addWidget(note, 1);
    note->setFixedHeight(NoteHeight(*note, speeds->sizeHint().height()));

    QVBoxLayout* previewChoice = UnitsAndDrives(
        "●更新ファイルの表示",
        MakeUnitChoice("previewUnit", "リムーバブルメディア類を実施する", previewUnit_, this),
        previewUnit_, "－　　リムーバブルメディア設定ドライブ一覧　　－", previewDrives_, this);
    auto* listHeading = new QHBoxLayout;
    listHeading->addWidget(MakeLabelFor(files_, "更新ファイル一覧", this));
    listHeading->addStretch(1);
    listHeading->addWidget(previewStart);
    auto* totals = new QHBoxLayout;
    totals->addWidget(MakeLabelFor(fileCount_, "ファイル数", this));
    totals->addWidget(fileCount_);
    totals->addWidget(MakeLabelFor(totalSize_, "合計容量", this));
    totals->addWidget(totalSize_);
    totals->addWidget(new QLabel("MB", this));
    auto* times = new QHBoxLayout;
    times->addWidget(MakeLabelFor(fastest_, "●ファイル更新転送時間", this));
    times->addWidget(fastest_);
    times->addWidget(new QLabel("～", this));
    times->addWidget(slowest_);

    auto* layout = new QVBoxLayout(this);
    SetPageMargins(layout);
    layout->setSpacing(2);
    layout->addLayout(speedChoice);
    layout->addLayout(sizeRow);
    layout->addLayout(speedsAndNote);
    layout->addLayout(previewChoice);
    layout->addLayout(listHeading);
    layout->addWidget(files_, 1);
    layout->addLayout(totals);
    layout->addLayout(times);
    ShowCounters();
    GiveMnemonics(this, kTestModeKeys);

    connect(speedStart_, &QPushButton::clicked, this, &CTestModeDlg::StartSpeedTest);
    connect(previewStart, &QPushButton::clicked, this, &CTestModeDlg::StartPreview);
}

void CTestModeDlg::OnMediaChanged() {
    const std::vector<DriveListRow> rows = PageDriveRows(services_);
    for (CDriveListBox* list : {speedDrives_, previewDrives_}) {
        list->SetDrives(rows, kDriveListRemovable);
    }
}

char CTestModeDlg::ChosenLetter(const CDriveListBox* list) const {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? 0 : list->LetterAt(list->row(chosen.first()));
}

std::array<QLineEdit*, 4> CTestModeDlg::SpeedEdits() const {
    return {measuredPerMinute_, measuredPerHour_, fullPerMinute_, fullPerHour_};
}

void CTestModeDlg::ShowSpeeds(const QString& measuredPerMinute, const QString& measuredPerHour,
                              const QString& fullPerMinute, const QString& fullPerHour) {
    measuredPerMinute_->setText(measuredPerMinute);
    measuredPerHour_->setText(measuredPerHour);
    fullPerMinute_->setText(fullPerMinute);
    fullPerHour_->setText(fullPerHour);
}

// The test asks its questions on this thread and copies on a worker thread; the page keeps
// answering meanwhile, with its start button disabled.
void CTestModeDlg::StartSpeedTest() {
    if (SpeedTestRunning()) return;
    SpeedTestRequest request;
    request.unit = UnitOf(speedUnit_);
    request.removableLetter = ChosenLetter(speedDrives_);
    request.megabytes = ReadCount(sizeEdit_);
    request.runs = ReadCount(runsEdit_);
    // Refused before the edits say "measuring", which they would go on saying.
    if (request.unit == SettingsUnit::Removable && request.removableLetter == 0) {
        services_.prompts.MessageBox(kChooseDriveMessage, kRefusalCaption,
                                     kMbOk | kMbIconExclamation);
        return;
    }
    const QString measuring = QString::fromUtf8(kSpeedMeasuring);
    ShowSpeeds(measuring, measuring, measuring, measuring);
    speedStart_->setEnabled(false);
    const SpeedTestServices services{services_.drives, services_.mounter, services_.prompts,
                                     programDir_, services_.documentsDir};
    const uint64_t bytes = TestFileBytes(request.megabytes);
    speedTest_ = std::make_unique<BackgroundSpeedTest>(request, *live_, services,
                                                       [this, bytes](uint64_t averageMs) {
                                                           speedStart_->setEnabled(true);
                                                           ShowMeasuredSpeeds(bytes, averageMs);
                                                       });
    speedTest_->Start();
}

bool CTestModeDlg::SpeedTestRunning() const { return speedTest_ && speedTest_->IsRunning(); }

void CTestModeDlg::ShowMeasuredSpeeds(uint64_t bytes, uint64_t averageMs) {
    const std::optional<Speed> measured = SpeedOf(bytes, averageMs);
    const std::optional<Speed> full = FullPowerSpeedOf(bytes, averageMs, *live_);
    auto text = [](const std::optional<Speed>& speed, uint64_t Speed::*per) {
        return QString::fromStdString(
            SpeedText(speed ? std::optional<uint64_t>((*speed).*per) : std::nullopt));
    };
    ShowSpeeds(text(measured, &Speed::perMinuteMb), text(measured, &Speed::perHourMb),
               text(full, &Speed::perMinuteMb), text(full, &Speed::perHourMb));
    ShowTransferTimes();
}

void CTestModeDlg::StartPreview() {
    StopPreview();
    ++preview_;
    files_->clear();
    totalBytes_ = 0;
    widestPath_ = 0;
    ShowCounters();
    plan_ =
        PlanPreview(UnitOf(previewUnit_), ChosenLetter(previewDrives_), *live_, services_.drives);
    if (plan_.refusal != nullptr) {
        services_.prompts.MessageBox(plan_.refusal, kRefusalCaption, kMbOk | kMbIconExclamation);
        return;
    }
    for (const std::string& file : plan_.filesToCopy) ListFile(file);
    const unsigned preview = preview_;
    reports_ = std::make_unique<QueuedScanReports>(
        this, scan_,
        [this, preview](const std::string& path, uint64_t /*size*/) {
            if (preview == preview_) ListFile(path);
        },
        [this, preview] {
            if (preview == preview_) ScanNextSource();
        });
    nextSource_ = 0;
    previewing_ = true;
    ScanNextSource();
}

void CTestModeDlg::StopPreview() {
    scan_.Stop();
    previewing_ = false;
}

// One source after another; after the last, the transfer times of what was found.
void CTestModeDlg::ScanNextSource() {
    while (nextSource_ < plan_.sources.size()) {
        const PreviewSource& next = plan_.sources[nextSource_++];
        if (scan_.Start(next.source, next.destination, plan_.rules, *reports_)) return;
    }
    previewing_ = false;
    ShowTransferTimes();
}

// A path that went away or became a folder since the scan saw it is not listed; one reading of
// its status tells both and gives the size it has now.
void CTestModeDlg::ListFile(const std::string& path) {
    FileStatus status;
    if (!GetFileStatus(path, &status) || status.IsDirectory()) return;
    totalBytes_ += status.size;
    const QString shown = QString::fromStdString(path);
    new QTreeWidgetItem(files_, QStringList{shown});
    const int width = files_->fontMetrics().horizontalAdvance(shown) + kColumnMargin;
    if (width > widestPath_) {
        widestPath_ = width;
        files_->setColumnWidth(0, width);
    }
    ShowCounters();
}

void CTestModeDlg::ShowCounters() {
    fileCount_->setText(QString::number(files_->topLevelItemCount()));
    totalSize_->setText(QString::number(totalBytes_ / kBytesPerPreviewMb));
}

void CTestModeDlg::ShowTransferTimes() {
    const uint64_t totalMb = totalBytes_ / kBytesPerPreviewMb;
    fastest_->setText(QString::fromStdString(
        TransferTimeText(totalMb, ShownSpeed(fullPerMinute_->text()), false)));
    slowest_->setText(QString::fromStdString(
        TransferTimeText(totalMb, ShownSpeed(measuredPerMinute_->text()), true)));
}

void CTestModeDlg::closeEvent(QCloseEvent* event) {
    StopPreview();
    QWidget::closeEvent(event);
}

}  // namespace tv
