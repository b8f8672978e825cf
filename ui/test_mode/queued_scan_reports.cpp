#include "ui/test_mode/queued_scan_reports.h"

namespace tv {

QueuedScanReports::QueuedScanReports(QObject* receiver, const ComparisonScan& scan,
                                     FileHandler onFile, EndHandler onEnd)
    : receiver_(receiver), scan_(scan), onFile_(std::move(onFile)), onEnd_(std::move(onEnd)) {}

void QueuedScanReports::FileWouldBeCopied(const std::string& path, uint64_t size) {
    if (scan_.StopRequested()) return;
    QMetaObject::invokeMethod(
        receiver_, [handler = onFile_, path, size] { handler(path, size); }, Qt::QueuedConnection);
}

void QueuedScanReports::SourceEnded() {
    QMetaObject::invokeMethod(receiver_, onEnd_, Qt::QueuedConnection);
}

}  // namespace tv
