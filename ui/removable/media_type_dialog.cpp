#include "ui/removable/media_type_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "cardprobe/cardprobe.h"
#include "platform/win_constants.h"
#include "ui/dialog_font.h"
#include "ui/widgets/accept_cancel_row.h"
#include "ui/widgets/label_for.h"
#include "ui/widgets/mnemonic.h"

namespace tv {

namespace {

// Wide enough for the longest product text a card reader usually reports on one line.
constexpr int kValueMinWidth = 200;
constexpr char kMediaTypeKey = 'M';

QLabel* MakeValue(const QString& text, const char* name, QWidget* parent) {
    auto* value = new QLabel(text, parent);
    value->setObjectName(name);
    value->setMinimumWidth(kValueMinWidth);
    return value;
}

// A caption and its control on the next row of fields.
void AddField(QGridLayout* fields, QLabel* caption, QWidget* control) {
    const int row = fields->rowCount();
    fields->addWidget(caption, row, 0);
    fields->addWidget(control, row, 1);
}

// A value shown under its caption.
void AddShownValue(QGridLayout* fields, const char* caption, QLabel* value) {
    AddField(fields, new QLabel(QString::fromUtf8(caption), value->parentWidget()), value);
}

// The media type list in table order, each entry carrying its media kind code.
QComboBox* MakeMediaTypeList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(kMediaTypeListObject);
    const MediaKindText* table = MediaKindTable();
    for (int i = 0; i <= CARDPROBE_MEDIA_KIND_COUNT; ++i) {
        list->addItem(QString::fromUtf8(table[i].listName), table[i].code);
    }
    list->setCurrentIndex(0);
    return list;
}

}  // namespace

CMediaTypeSetting::CMediaTypeSetting(const MediaTypeQuestion& question, QWidget* parent)
    : QDialog(parent) {
    setFont(DialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(kMediaTypeDialogTitle);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(MakeFields(question));
    layout->addLayout(MakeAcceptCancelRow(*this, "設定"));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* CMediaTypeSetting::MakeFields(const MediaTypeQuestion& question) {
    mediaType_ = MakeMediaTypeList(this);
    const QString driveName = QString(QChar(question.letter)) + ':';
    const QString adapterName = QString::fromStdString(question.adapterName);
    const QString serialNumber = QString::fromStdString(question.serialLabel);
    auto* fields = new QGridLayout;
    AddShownValue(fields, "ドライブ名：", MakeValue(driveName, kMediaDriveNameObject, this));
    AddShownValue(fields, "カードアダプタ名：",
                  MakeValue(adapterName, kMediaAdapterNameObject, this));
    AddShownValue(fields, "シリアル番号：",
                  MakeValue(serialNumber, kMediaSerialNumberObject, this));
    QLabel* mediaTypeCaption = MakeLabelFor(mediaType_, "メディアタイプ：", this);
    GiveMnemonic(mediaTypeCaption, kMediaTypeKey);
    AddField(fields, mediaTypeCaption, mediaType_);
    fields->setColumnStretch(1, 1);
    return fields;
}

std::optional<int> CMediaTypeSetting::Ask() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return mediaType_->currentData().toInt();
}

}  // namespace tv
