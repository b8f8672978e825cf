// The comparison scan's reports carried over to the page's thread: each report is queued to the
// receiver and handled there, so the page's controls are touched only on their own thread. A
// file found after a stop was asked for is dropped at once.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/scan/comparison_scan.h"

namespace tv {

class QueuedScanReports : public ScanReports {
  public:
    using FileHandler = std::function<void(const std::string& path, uint64_t size)>;
    using EndHandler = std::function<void()>;

    // receiver must outlive the scan; queued reports die with it.
    QueuedScanReports(QObject* receiver, const ComparisonScan& scan, FileHandler onFile,
                      EndHandler onEnd);

    void FileWouldBeCopied(const std::string& path, uint64_t size) override;
    void SourceEnded() override;

  private:
    QObject* receiver_;
    const ComparisonScan& scan_;
    FileHandler onFile_;
    EndHandler onEnd_;
};

}  // namespace tv
