// ComparisonScan: which files a unit would copy now, found without copying anything. On a thread
// of its own it walks one source tree against the unit's destination and reports every file that
// would be copied, then the end of the source. Its rules are close to those of a run but not the
// same: new files are reported whatever their extension, attributes or date; files lying
// directly in an excluded folder are never reported; the extension and size rules are its own
// (see ScanRules); the destination is always the plain tree.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/job/copy_job.h"
#include "engine/worker/worker_thread.h"
#include "platform/name_refusals.h"
#include "platform/node_identity.h"

namespace tv {

class DriveTable;
struct FileStatus;

// What the scan tells its owner, on the scan's thread.
class ScanReports {
  public:
    virtual ~ScanReports() = default;
    // A file that would be copied, with its size.
    virtual void FileWouldBeCopied(const std::string& path, uint64_t size) = 0;
    // The scan of the source has ended, also after a stop.
    virtual void SourceEnded() = 0;
};

struct ScanRules {
    // Kind, ForceOverWrite, IgnorTime, the attribute and date rules, the excluded folders and
    // the two extension lists, as a run of the unit has them. CheckSize is the unit's size
    // setting: the scan compares sizes only when it is 0.
    CopyJob job;
    // A drive-unit scan that takes every file whatever its extension (the unit mirrors whole
    // drives and is not told to leave the excluded extensions out).
    bool everyFileIsTarget = false;
};

// The destination of a source: below destinationRoot, the folder named after the drive's volume
// serial when source is a drive's root, else the source's last folder name.
std::string ScanDestination(const std::string& source, const std::string& destinationRoot,
                            const DriveTable& drives);

// The extension rule of the scan: with no list, every file is a target; a file/directory or
// removable scan with target extensions takes exactly those; otherwise a file is a target
// unless its extension is excluded.
bool IsScanTarget(const ScanRules& rules, const std::string& path);

class ComparisonScan {
  public:
    ComparisonScan() = default;
    // Stops a scan still running and waits for it.
    ~ComparisonScan();
    ComparisonScan(const ComparisonScan&) = delete;
    ComparisonScan& operator=(const ComparisonScan&) = delete;

    // Starts scanning source against destination (ScanDestination) on a new thread. Nothing
    // starts with an empty source or while a scan runs (false); once a scan has reported its
    // end, the next may start at once (not from within a report). reports and the lists the
    // rules point at must outlive the scan.
    bool Start(const std::string& source, const std::string& destination, const ScanRules& rules,
               ScanReports& reports);
    // Asks the scan to stop at its next entry and waits until it has ended; at once when none
    // runs. The end is reported even so.
    void Stop();
    // Reports that come after a stop was asked for are no longer wanted.
    bool StopRequested() const { return state_ == kStopRequested; }
    // From the start until the end is reported.
    bool IsRunning() const { return state_ != kIdle; }

  private:
    enum State { kIdle = 0, kScanning = 1, kStopRequested = 2 };

    void ScanUnlessNested(const std::string& source, const std::string& destination);
    bool IsPassedOver(const std::string& folder) const;
    void Scan(const std::string& source, const std::string& destination);
    bool WouldCopy(const std::string& source, const FileStatus& status,
                   const std::string& destination) const;
    bool Stopping() const { return state_ != kScanning; }

    ScanRules rules_;
    // The job the file rules read: the size rule compares sizes when the unit's setting is 0.
    CopyJob compared_;
    ScanReports* reports_ = nullptr;
    // The destination's folder when it lies inside the source: not scanned.
    std::optional<NodeIdentity> passedOver_;
    // What the destination refuses in names: its copies are looked for under their stored names.
    NameRefusals refusals_;
    std::atomic<int> state_{kIdle};
    std::unique_ptr<WorkerThread> thread_;
};

}  // namespace tv
