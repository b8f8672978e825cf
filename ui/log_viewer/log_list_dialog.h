// CLogListDlg, the page "活動ログ表示": the days that have a day file on the left, the records
// of the chosen day in a twelve-column table with a status icon per row, and four counters
// below (files written by backups and by mirrorings, skipped and failed files). A day is read
// on a 2 ms timer a budget of records at a time, so a long day never stalls the dialog. The
// page only reads the log: it never writes nor deletes.
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "log/log_day_loader.h"
#include "platform/clock.h"
#include "ui/settings_dialog/settings_page.h"

class QLineEdit;
class QTreeView;

namespace tv {

class CCategoryListBox;
class LogTableModel;

constexpr const char* kLogListPageCaption = "活動ログ表示";
// Control ids, also the object names of the controls.
constexpr int kIdLogDayList = 1080;
constexpr int kIdLogTable = 1079;
constexpr int kIdBackupCounter = 1091;
constexpr int kIdMirroringCounter = 1092;
constexpr int kIdSkipCounter = 1093;
constexpr int kIdErrorCounter = 1094;

class CLogListDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // programDir holds the folder "Log"; clock tells today, the day shown first. budget bounds
    // each timer step of loading.
    CLogListDlg(const std::string& programDir, const Clock& clock, QWidget* parent = nullptr,
                LogLoadBudget budget = kTimeBoundedStep);
    ~CLogListDlg() override;

    const LogDayLoader& Loader() const { return loader_; }
    // Shows day ("yyyy/mm/dd") instead of today: from the first showing on when the page has not
    // been shown yet, else at once, with the day list read again for the days written since.
    void ShowDay(const std::string& day);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTable();
    void BuildDayList();
    QWidget* BuildCounters();
    void FillDayList();
    void OnDayChosen(int row);
    void LoadDay(const std::string& day);
    void SelectDayItem(const std::string& day);
    void LoadStep();
    void FinishLoading();
    void SetColumnWidths();
    void ShowCounters();

    std::string programDir_;
    const Clock& clock_;
    LogLoadBudget budget_;
    LogDayLoader loader_;
    bool shown_ = false;
    std::string firstDay_;  // the day of the first showing; empty for today
    QTimer timer_;
    CCategoryListBox* days_ = nullptr;
    QTreeView* table_ = nullptr;
    LogTableModel* model_ = nullptr;
    std::vector<QLineEdit*> counters_;
};

}  // namespace tv
