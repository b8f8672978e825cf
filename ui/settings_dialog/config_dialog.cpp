#include "ui/settings_dialog/config_dialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <cstdio>

#include "controller/settings_dialog/categories.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "schedule/schedule_file.h"
#include "settings/window_size_file.h"
#include "ui/dialog_font.h"
#include "ui/log_viewer/log_list_dialog.h"
#include "ui/schedule_editor/schedule_view_page.h"
#include "ui/settings_dialog/dialog_geometry.h"
#include "ui/settings_dialog/dialog_images.h"
#include "ui/settings_dialog/pages/destination_browser_page.h"
#include "ui/settings_dialog/pages/details_page.h"
#include "ui/settings_dialog/pages/drive_unit_page.h"
#include "ui/settings_dialog/pages/explanation_page.h"
#include "ui/settings_dialog/pages/file_dir_page.h"
#include "ui/settings_dialog/pages/network_page.h"
#include "ui/settings_dialog/pages/option_list_page.h"
#include "ui/settings_dialog/pages/removable_page.h"
#include "ui/settings_dialog/settings_page.h"
#include "ui/test_mode/test_mode_dialog.h"
#include "ui/widgets/button_list.h"
#include "ui/widgets/focus_order.h"
#include "ui/widgets/japanese_file_dialog.h"

namespace tv {

namespace {

constexpr int kExplanationExtraHeight = 35;
constexpr QSize kButtonSize(70, 26);
constexpr int kButtonGap = 6;
constexpr const char* kOptionFileFilter = "Tessaravine Option File(*.dat)";
constexpr const char* kOptionFileSuffix = "dat";
constexpr const char* kOptionFileInitialName = "*.dat";

// The pages in the order the category walk looks at them; each page's caption is the label of
// its category. The explanation page belongs to no category.
struct PageFactory {
    int itemId;
    // Null when the page cannot be made with what the dialog was given.
    QWidget* (*make)(SettingsRecord* live, const ConfigDialogServices& services,
                     CConfigDlg* dialog);
};

template <typename Page>
QWidget* MakeUnitPage(SettingsRecord* live, const ConfigDialogServices& services,
                      CConfigDlg* dialog) {
    if (services.unitPages == nullptr) return nullptr;
    return new Page(live, *services.unitPages, dialog);
}

// A unit page whose start button ends the dialog with the run it asks for.
template <typename Page>
QWidget* MakeStartingPage(SettingsRecord* live, const ConfigDialogServices& services,
                          CConfigDlg* dialog) {
    auto* page = static_cast<Page*>(MakeUnitPage<Page>(live, services, dialog));
    if (page) QObject::connect(page, &Page::startRequested, dialog, &CConfigDlg::OnStartRun);
    return page;
}

// The pages of the schedule sheet that follow its two unit pages, each on the schedule's record.
std::vector<ScheduleSheetPage> ScheduleSheetExtraPages(const ConfigDialogServices& services) {
    Prompts* prompts = &services.prompts;
    return {{kDetailsPageCaption, [prompts](SettingsRecord* record, QWidget* parent) -> QWidget* {
                 return new CWholePage(record, *prompts, AskForFolder, parent);
             }}};
}

QWidget* MakeSchedulePage(SettingsRecord*, const ConfigDialogServices& services,
                          CConfigDlg* dialog) {
    if (services.unitPages == nullptr || dialog->EditedSchedules() == nullptr) return nullptr;
    return new CScheduleViewDlg(dialog->EditedSchedules(),
                                ScheduleEditorServices{services.context, *services.unitPages,
                                                       ScheduleSheetExtraPages(services)},
                                dialog);
}

const PageFactory kPageFactories[] = {
    {kItemDriveUnit, &MakeStartingPage<CFullSyncPage>},
    {kItemFileDir, &MakeStartingPage<CFileDirPage>},
    {kItemRemovable, &MakeUnitPage<CRemovableDlg>},
    {kItemDetails,
     [](SettingsRecord* live, const ConfigDialogServices& services, CConfigDlg* dialog)
         -> QWidget* { return new CWholePage(live, services.prompts, AskForFolder, dialog); }},
    {kItemScheduleList, &MakeSchedulePage},
    {kItemSettingsList,
     [](SettingsRecord*, const ConfigDialogServices&, CConfigDlg* dialog) -> QWidget* {
         return new COptListDlg(dialog);
     }},
    {kItemNetwork,
     [](SettingsRecord* live, const ConfigDialogServices&, CConfigDlg* dialog) -> QWidget* {
         return new CNetworkDlg(live, dialog);
     }},
    {kItemActivityLog,
     [](SettingsRecord*, const ConfigDialogServices& services, CConfigDlg* dialog) -> QWidget* {
         return new CLogListDlg(services.context.locations.programDir, services.context.clock,
                                dialog);
     }},
    {kItemNone,
     [](SettingsRecord*, const ConfigDialogServices&, CConfigDlg* dialog) -> QWidget* {
         return new CExplanDlg(dialog);
     }},
    {kItemBrowseDestinations, &MakeUnitPage<CSaveListDlg>},
    {kItemTestMode,
     [](SettingsRecord* live, const ConfigDialogServices& services,
        CConfigDlg* dialog) -> QWidget* {
         if (services.unitPages == nullptr) return nullptr;
         return new CTestModeDlg(live, *services.unitPages, services.context.locations.programDir,
                                 dialog);
     }},
};

struct BottomButton {
    int id;
    const char* text;
};

// Left to right: the four on the category's settings, then apply and cancel at the right.
const BottomButton kBottomButtons[] = {
    {kIdResetCategory, "初期化"}, {kIdResetAll, "全初期化"}, {kIdLoadOptions, "読込"},
    {kIdSaveOptions, "保存"},     {kEndApply, "設定"},       {kEndCancel, "キャンセル"},
};
constexpr size_t kLeftButtonCount = 4;

// The left four hang on the page area's bottom left corner, apply and cancel on its right one.
QRect ButtonRect(size_t index, QSize client) {
    const QRect pages = PageRectAt(client);
    const int top = pages.bottom() + 1 + kButtonGap;
    const int step = kButtonSize.width() + kButtonGap;
    if (index < kLeftButtonCount) {
        return QRect(QPoint(pages.left() + static_cast<int>(index) * step, top), kButtonSize);
    }
    const int fromRight = static_cast<int>(std::size(kBottomButtons) - index);
    return QRect(QPoint(pages.right() + 1 - fromRight * step + kButtonGap, top), kButtonSize);
}

std::vector<ButtonListItem> CategoryItems() {
    std::vector<ButtonListItem> items;
    for (const Category& category : kCategories) {
        const ItemRect& r = category.rect;
        items.push_back({category.id, QString::fromUtf8(category.label),
                         QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))});
    }
    return items;
}

// The bytes "sch.dat" would hold for list: equal bytes, no edit worth keeping.
std::string StoredForm(const ScheduleList& list) {
    std::vector<ScheduleEntry> entries;
    for (size_t index = 0; index < list.Count(); ++index) entries.push_back(list.At(index));
    std::string bytes;
    WriteScheduleFile(entries, &bytes);
    return bytes;
}

SettingsPage* AsSettingsPage(QWidget* widget) { return dynamic_cast<SettingsPage*>(widget); }

// Qt's own file dialog speaks English unless a translation happens to be installed.
void LabelInJapanese(QFileDialog& dialog, bool opening) {
    dialog.setWindowTitle(opening ? "ファイルを開く" : "名前を付けて保存");
    dialog.setLabelText(QFileDialog::LookIn, "ファイルの場所:");
    dialog.setLabelText(QFileDialog::FileName, "ファイル名(&N):");
    dialog.setLabelText(QFileDialog::FileType, "ファイルの種類(&T):");
    dialog.setLabelText(QFileDialog::Accept, opening ? "開く(&O)" : "保存(&S)");
    dialog.setLabelText(QFileDialog::Reject, "キャンセル");
}

// The chosen file, or empty when the user cancelled.
std::string AskOptionFile(QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString(), QString(), QString::fromUtf8(kOptionFileFilter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // After the modes, which put Qt's own button labels back.
    LabelInJapanese(dialog, mode == QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(kOptionFileSuffix);
    dialog.selectFile(kOptionFileInitialName);
    DressInJapanese(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

void OpenWithDesktop(const std::string& path) {
    if (!PathExists(path)) {
        std::fprintf(stderr, "Tessaravine: %s is missing\n", path.c_str());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

CConfigDlg::CConfigDlg(SettingsRecord* live, ConfigDialogServices services, QWidget* parent)
    : QDialog(parent), live_(live), services_(std::move(services)) {
    setFont(DialogFont());
    setWindowTitle(kConfigDialogCaption);
    setWindowIcon(DialogIcon());
    setMinimumSize(kDialogClientSize);
    resize(kDialogClientSize);
    if (services_.schedules != nullptr) {
        editedSchedules_ = std::make_unique<ScheduleList>(*services_.schedules);
        openedSchedules_ = StoredForm(*editedSchedules_);
    }
    frame_ = std::make_unique<ConfigFrame>(*live_, services_.context, services_.prompts,
                                           services_.copyRunner, static_cast<ConfigPages&>(*this));
    BuildPages();
    BuildButtons();
    SetButtonsShown(false);
    explanation_->show();
    frame_->Open();
    categories_ =
        new CButtonList(CategoryItems(), &CategoryListImage, &CategoryListSelectedImage, this);
    categories_->setObjectName(QString::number(kIdCategoryList));
    categories_->setAccessibleName(kCategoryListHeading);
    categories_->move(kCategoryListArea.topLeft());
    OrderTabs();
    categories_->setFocus();
    // The list's notification is posted: the click has ended before the page changes.
    connect(categories_, &CButtonList::ItemClicked, this, &CConfigDlg::OnCategoryClicked,
            Qt::QueuedConnection);
    OpenAtRememberedSize();
}

CConfigDlg::~CConfigDlg() = default;

void CConfigDlg::BuildPages() {
    for (const PageFactory& factory : kPageFactories) {
        QWidget* page = factory.make(live_, services_, this);
        if (page == nullptr) continue;
        page->hide();
        pages_.push_back({factory.itemId, page});
    }
    explanation_ = SlotOf(kItemNone)->widget;
    explanation_->raise();
    optionList_ = qobject_cast<COptListDlg*>(SlotOf(kItemSettingsList)->widget);
    PlaceParts();
}

void CConfigDlg::BuildButtons() {
    for (const BottomButton& entry : kBottomButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        button->setObjectName(QString::number(entry.id));
        button->setAutoDefault(false);
        const int id = entry.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
        buttons_.push_back(button);
    }
    PlaceParts();
}

// The pages fill the page area at the dialog's size; the explanation reaches over the buttons.
void CConfigDlg::PlaceParts() {
    const QRect pages = PageRectAt(size());
    for (const PageSlot& slot : pages_) slot.widget->setGeometry(pages);
    if (explanation_) {
        explanation_->setGeometry(pages.adjusted(0, 0, 0, kExplanationExtraHeight));
    }
    for (size_t index = 0; index < buttons_.size(); ++index) {
        buttons_[index]->setGeometry(ButtonRect(index, size()));
    }
}

std::string CConfigDlg::SizeFilePath() const {
    return JoinPath(services_.context.locations.configDir, kDialogSizeFileName);
}

// The size the user left the dialog at, within the screen the dialog opens on.
void CConfigDlg::OpenAtRememberedSize() {
    const std::optional<WindowSize> stored = ReadWindowSizeFile(SizeFilePath());
    if (stored) {
        QSize wanted(stored->width, stored->height);
        if (const QScreen* shownOn = screen()) {
            wanted = wanted.boundedTo(shownOn->availableGeometry().size());
        }
        resize(ClientSizeAtLeastMinimum(wanted));
    }
    openedSize_ = size();
}

// Only a size the user changed is written, so a dialog left alone leaves no file behind.
void CConfigDlg::RememberSize() const {
    if (size() == openedSize_) return;
    WriteWindowSizeFile(SizeFilePath(), WindowSize{width(), height()});
}

void CConfigDlg::done(int code) {
    RememberSize();
    QDialog::done(code);
}

void CConfigDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceParts();
}

// Tab reads the dialog as the eye does: the category list, the shown page's controls, then the
// button row.
void CConfigDlg::OrderTabs() {
    std::vector<QWidget*> order{categories_};
    for (const PageSlot& slot : pages_) {
        const std::vector<QWidget*> controls = FocusOrderOf(slot.widget);
        order.insert(order.end(), controls.begin(), controls.end());
    }
    order.insert(order.end(), buttons_.begin(), buttons_.end());
    ChainFocus(order);
}

void CConfigDlg::SetButtonsShown(bool shown) {
    for (QPushButton* button : buttons_) {
        button->setEnabled(shown);
        button->setVisible(shown);
    }
}

void CConfigDlg::OnCategoryClicked() {
    setUpdatesEnabled(false);
    const bool explaining = !explanation_->isHidden();
    explanation_->hide();
    SetButtonsShown(true);
    if (categories_->SelectedId() == kItemHelp) {
        services_.openHelp(JoinPath(services_.context.locations.installDir, kHelpFileName));
        if (explaining) {
            SetButtonsShown(false);
            explanation_->show();
        }
    } else {
        ShowPageCaptioned(categories_->SelectedLabel());
        FocusShownPage();
    }
    setUpdatesEnabled(true);
}

// Choosing a category takes the user to its page, as if Tab had led there.
void CConfigDlg::FocusShownPage() {
    if (shownIndex_ < 0) return;
    if (QWidget* first = FirstFocusable(pages_[static_cast<size_t>(shownIndex_)].widget)) {
        first->setFocus(Qt::TabFocusReason);
    }
}

// Hides every page before the one captioned so, except the page shown now, shows that one and
// then hides the page shown before. A category without a page leaves what is shown.
void CConfigDlg::ShowPageCaptioned(const QString& caption) {
    int found = -1;
    for (size_t index = 0; index < pages_.size(); ++index) {
        QWidget* page = pages_[index].widget;
        if (page->windowTitle() == caption) {
            page->show();
            found = static_cast<int>(index);
            break;
        }
        if (static_cast<int>(index) != shownIndex_) page->hide();
    }
    if (found >= 0 && shownIndex_ >= 0 && found != shownIndex_) {
        pages_[static_cast<size_t>(shownIndex_)].widget->hide();
    }
    shownIndex_ = found;
}

void CConfigDlg::OnButton(int id) {
    switch (id) {
        case kEndApply:
            EndIfDecided(frame_->Apply());
            break;
        case kEndCancel:
            reject();
            break;
        case kIdResetCategory:
            frame_->ResetCategory(categories_->SelectedId());
            break;
        case kIdResetAll:
            frame_->ResetAll();
            break;
        case kIdLoadOptions:
            LoadOptions();
            break;
        case kIdSaveOptions:
            SaveOptions();
            break;
        default:
            break;
    }
}

// Every end the frame decides on accepts the dialog, and with it the edited schedules.
void CConfigDlg::EndIfDecided(std::optional<int> endCode) {
    if (!endCode) return;
    HandBackEditedSchedules();
    done(*endCode);
}

// A schedule that falls due while the dialog is open changes the controller's list (its run
// marks, the removal of a spent one-time entry); a copy the user left as it was must not
// undo that, so only an edited copy replaces the list.
void CConfigDlg::HandBackEditedSchedules() {
    if (editedSchedules_ && StoredForm(*editedSchedules_) != openedSchedules_) {
        *services_.schedules = *editedSchedules_;
    }
}

void CConfigDlg::ShowActivityLog(const std::string& day) {
    const PageSlot* slot = SlotOf(kItemActivityLog);
    auto* page = slot ? qobject_cast<CLogListDlg*>(slot->widget) : nullptr;
    if (page == nullptr || !categories_->SelectId(kItemActivityLog)) return;
    page->ShowDay(day);
    OnCategoryClicked();
}

void CConfigDlg::OnStartRun(int parameter) { EndIfDecided(frame_->OnStartRun(parameter)); }

void CConfigDlg::reject() { done(frame_->Cancel()); }

void CConfigDlg::LoadOptions() {
    const std::string path = AskOptionFile(this, QFileDialog::AcceptOpen);
    if (!path.empty()) frame_->LoadOptions(path);
}

void CConfigDlg::SaveOptions() {
    const std::string path = AskOptionFile(this, QFileDialog::AcceptSave);
    if (!path.empty()) frame_->SaveOptions(path);
}

void CConfigDlg::OnMediaChanged() {
    for (int pass = 0; pass < 2; ++pass) {
        for (const PageSlot& slot : pages_) {
            if (SettingsPage* page = AsSettingsPage(slot.widget)) page->OnMediaChanged();
        }
    }
}

// Enter and Escape neither apply nor cancel, in the dialog and in its pages.
void CConfigDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CConfigDlg::paintEvent(QPaintEvent* /*event*/) {
    if (background_.isNull() || background_.devicePixelRatio() != devicePixelRatioF() ||
        background_.deviceIndependentSize().toSize() != size()) {
        background_ = DialogBackground(size(), devicePixelRatioF());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

const CConfigDlg::PageSlot* CConfigDlg::SlotOf(int itemId) const {
    for (const PageSlot& slot : pages_) {
        if (slot.itemId == itemId) return &slot;
    }
    return nullptr;
}

void CConfigDlg::ReloadPage(int itemId) {
    const PageSlot* slot = SlotOf(itemId);
    if (SettingsPage* page = slot ? AsSettingsPage(slot->widget) : nullptr) page->Reload();
}

// The network page shows the live record, which already holds the texts.
void CConfigDlg::SetNetworkTexts(const SettingsRecord& /*record*/) { ReloadPage(kItemNetwork); }

void CConfigDlg::SetSettingsListText(const std::string& text) { optionList_->SetText(text); }

bool CConfigDlg::DestinationMayBeTooSmall(int itemId) const {
    const PageSlot* slot = SlotOf(itemId);
    const SettingsPage* page = slot ? AsSettingsPage(slot->widget) : nullptr;
    return page != nullptr && page->DestinationMayBeTooSmall();
}

}  // namespace tv
