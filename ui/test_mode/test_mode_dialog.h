// CTestModeDlg, the settings page "テストモード": two tools to judge a unit before relying on it.
// The transfer speed test times copies of a test file to the unit's destination, with the
// unit's buffer and pauses, and estimates the speed without the pauses; the update preview
// lists the files a run of the unit would copy now, with their number and total size. From
// both the page estimates how long copying those files takes. The page reads the live record
// and changes nothing in it but what the speed test's password prompt keeps, as a run would.
#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "controller/test_mode/preview_plan.h"
#include "engine/scan/comparison_scan.h"
#include "settings/settings_record.h"
#include "ui/settings_dialog/parts/unit_page_services.h"
#include "ui/settings_dialog/settings_page.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tv {

class BackgroundSpeedTest;
class CDriveListBox;
class QueuedScanReports;

constexpr const char* kTestModePageCaption = "テストモード";

class CTestModeDlg : public QWidget, public SettingsPage {
    Q_OBJECT
  public:
    // live and services must outlive the page; programDir holds the test file.
    CTestModeDlg(SettingsRecord* live, const UnitPageServices& services, std::string programDir,
                 QWidget* parent = nullptr);
    // Stops a preview and a speed test still running and waits for them; the speed test's
    // files go.
    ~CTestModeDlg() override;

    // The removable drives came or went: both lists show them again.
    void OnMediaChanged() override;

    // "開始" of the speed test; it goes on after this returns, until SpeedTestRunning is false.
    void StartSpeedTest();
    bool SpeedTestRunning() const;
    // "開始" of the preview; a preview still running is stopped first.
    void StartPreview();
    // From the start of a preview until its last source has ended.
    bool PreviewRunning() const { return previewing_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void StopPreview();
    void ScanNextSource();
    void ListFile(const std::string& path);
    void ShowCounters();
    std::array<QLineEdit*, 4> SpeedEdits() const;
    void ShowSpeeds(const QString& measuredPerMinute, const QString& measuredPerHour,
                    const QString& fullPerMinute, const QString& fullPerHour);
    void ShowMeasuredSpeeds(uint64_t bytes, uint64_t averageMs);
    void ShowTransferTimes();
    char ChosenLetter(const CDriveListBox* list) const;

    SettingsRecord* live_;
    const UnitPageServices& services_;
    std::string programDir_;

    QButtonGroup* speedUnit_ = nullptr;
    CDriveListBox* speedDrives_ = nullptr;
    QPushButton* speedStart_ = nullptr;
    QLineEdit* sizeEdit_ = nullptr;
    QLineEdit* runsEdit_ = nullptr;
    QLineEdit* measuredPerMinute_ = nullptr;
    QLineEdit* measuredPerHour_ = nullptr;
    QLineEdit* fullPerMinute_ = nullptr;
    QLineEdit* fullPerHour_ = nullptr;
    QButtonGroup* previewUnit_ = nullptr;
    CDriveListBox* previewDrives_ = nullptr;
    QTreeWidget* files_ = nullptr;
    QLineEdit* fileCount_ = nullptr;
    QLineEdit* totalSize_ = nullptr;
    QLineEdit* fastest_ = nullptr;
    QLineEdit* slowest_ = nullptr;

    // The preview: its plan, the next source to scan, and its totals. Each preview has its own
    // number, so reports still queued from a stopped one are known and dropped.
    PreviewPlan plan_;
    size_t nextSource_ = 0;
    uint64_t totalBytes_ = 0;
    int widestPath_ = 0;
    unsigned preview_ = 0;
    bool previewing_ = false;
    std::unique_ptr<QueuedScanReports> reports_;
    std::unique_ptr<BackgroundSpeedTest> speedTest_;
    // Last, so that it is stopped before anything its reports reach goes.
    ComparisonScan scan_;
};

}  // namespace tv
