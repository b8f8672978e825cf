#include "ui/settings_dialog/parts/transfer_controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

#include "engine/job/copy_job.h"
#include "settings/setting_fields.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"
#include "ui/widgets/path_edit.h"

namespace tv {

namespace {

constexpr int kMaxBufferSetting = 7;

// The Alt keys of the shared controls, the same on every unit page.
constexpr char kLoadControlKey = 'L';
constexpr char kBufferKey = 'B';
constexpr char kForceMirrorKey = 'D';
constexpr char kForceOverWriteKey = 'O';
constexpr char kCheckSizeKey = 'S';
constexpr char kDestinationKey = 'F';
constexpr char kBrowseKey = 'R';
// The interval picker has no label of its own; a screen reader says this.
constexpr const char* kIntervalPickerName = "実行間隔";

// A slider over the field, with a label beside it that shows its value through text; it takes
// three columns from column.
// A control is named after the registry name of its field.
const char* NameOf(int32_t SettingsRecord::*field) { return FindSetting(field)->name; }

void AddSlider(QGridLayout* grid, int column, const char* title, char key,
               int32_t SettingsRecord::*field, int maximum, QString (*text)(int),
               BindingTable* table) {
    QWidget* parent = grid->parentWidget();
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(NameOf(field));
    slider->setRange(0, maximum);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    auto* value = new QLabel(text(0), parent);
    value->setObjectName(QString(NameOf(field)) + "Text");
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(text(maximum)) + 2);
    QObject::connect(slider, &QSlider::valueChanged, value,
                     [value, text](int position) { value->setText(text(position)); });
    QLabel* label = MakeLabelFor(slider, title, parent);
    GiveMnemonic(label, key);
    grid->addWidget(label, 0, column);
    grid->addWidget(slider, 0, column + 1);
    grid->addWidget(value, 0, column + 2);
    table->sliders.push_back({slider, field});
}

void AddCheck(QGridLayout* grid, int row, const char* text, char key,
              int32_t SettingsRecord::*field, BindingTable* table) {
    auto* box = new QCheckBox(text, grid->parentWidget());
    box->setObjectName(NameOf(field));
    GiveMnemonic(box, key);
    grid->addWidget(box, row, 0, 1, 6);
    table->checks.push_back({box, field});
}

}  // namespace

QString LoadControlText(int value) { return QString::asprintf("%dms", value); }

QString BufferSizeText(int value) {
    return QString::asprintf("%dKB", BufferSizeForSetting(value) / 1024);
}

QWidget* MakeTransferControls(SettingsUnit unit, QWidget* page, BindingTable* table) {
    const UnitFields& fields = UnitFieldsOf(unit);
    auto* block = new QWidget(page);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    AddSlider(grid, 0, "負荷制御", kLoadControlKey, fields.loadControl, kMaxLoadControl,
              &LoadControlText, table);
    AddSlider(grid, 3, "コピー処理用バッファ", kBufferKey, fields.cacheSize, kMaxBufferSetting,
              &BufferSizeText, table);
    AddCheck(grid, 1, "マスター側にないファイルは削除する", kForceMirrorKey, fields.forceMirror,
             table);
    AddCheck(grid, 2, "バックアップファイルの方が新しくても上書き", kForceOverWriteKey,
             fields.forceOverWrite, table);
    AddCheck(grid, 3, "ファイルサイズが同一ならコピーしない", kCheckSizeKey, fields.checkSize,
             table);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return block;
}

DestinationRow MakeDestinationRow(const char* editName, QWidget* page) {
    auto* row = new QWidget(page);
    auto* edit = new CPathEdit(row);
    edit->setObjectName(editName);
    auto* browse = new QPushButton("参照", row);
    browse->setObjectName(QString(editName) + "Browse");
    GiveMnemonic(browse, kBrowseKey);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    QLabel* label = MakeLabelFor(edit, "保存フォルダ", row);
    GiveMnemonic(label, kDestinationKey);
    line->addWidget(label);
    line->addWidget(edit, 1);
    line->addWidget(browse);
    return {row, edit, browse};
}

void SetPageMargins(QBoxLayout* layout) {
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
}

QBoxLayout* CapacityAndStart(QWidget* capacity, QPushButton* start) {
    auto* row = new QHBoxLayout;
    row->addWidget(capacity, 1);
    row->addWidget(start, 0, Qt::AlignBottom);
    return row;
}

QTimeEdit* MakeIntervalPicker(const char* name, QWidget* page) {
    auto* picker = new QTimeEdit(page);
    picker->setObjectName(name);
    picker->setDisplayFormat("HH時間mm分");
    picker->setAccessibleName(kIntervalPickerName);
    return picker;
}

}  // namespace tv
