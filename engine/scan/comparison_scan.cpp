#include "engine/scan/comparison_scan.h"

#include <thread>

#include "engine/copy/destination_names.h"
#include "engine/copy/destination_nesting.h"
#include "engine/listing/selection_rules.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

namespace {

bool IsEmpty(const StringList* list) { return list == nullptr || list->empty(); }

bool IsDriveRoot(const std::string& source, const DriveTable& drives) {
    const char letter = drives.DriveOfPath(source);
    return letter != 0 &&
           WithoutTrailingSeparators(drives.RootOf(letter)) == WithoutTrailingSeparators(source);
}

}  // namespace

std::string ScanDestination(const std::string& source, const std::string& destinationRoot,
                            const DriveTable& drives) {
    const std::string root = WithoutTrailingSeparators(destinationRoot);
    if (!IsDriveRoot(source, drives)) {
        return JoinPath(root, AfterLastSeparator(WithoutTrailingSeparators(source)));
    }
    uint32_t serial = 0;
    drives.VolumeInformation(drives.RootOf(drives.DriveOfPath(source)), &serial, nullptr);
    return JoinPath(root, SerialFolderName(serial));
}

bool IsScanTarget(const ScanRules& rules, const std::string& path) {
    const CopyJob& job = rules.job;
    if (rules.everyFileIsTarget) return true;
    if (IsEmpty(job.TargetExtensions) && IsEmpty(job.ExcludedExtensions)) return true;
    const std::string extension = ExtensionOfPath(path);
    if (job.Kind != DriveUnit && !IsEmpty(job.TargetExtensions)) {
        return ListContains(job.TargetExtensions, extension);
    }
    return !ListContains(job.ExcludedExtensions, extension);
}

ComparisonScan::~ComparisonScan() { Stop(); }

bool ComparisonScan::Start(const std::string& source, const std::string& destination,
                           const ScanRules& rules, ScanReports& reports) {
    if (source.empty() || IsRunning()) return false;
    if (thread_) thread_->WaitUntilFinished();
    rules_ = rules;
    compared_ = rules.job;
    compared_.CheckSize = rules.job.CheckSize == 0 ? 1 : 0;
    reports_ = &reports;
    state_ = kScanning;
    thread_ = std::make_unique<WorkerThread>();
    const std::string from = WithoutTrailingSeparators(source);
    const std::string to = WithoutTrailingSeparators(destination);
    thread_->Start([this, from, to] {
        ScanUnlessNested(from, to);
        state_ = kIdle;
        reports_->SourceEnded();
    });
    return true;
}

void ComparisonScan::Stop() {
    if (!thread_) return;
    int scanning = kScanning;
    state_.compare_exchange_strong(scanning, kStopRequested);
    thread_->WaitUntilFinished();
    thread_.reset();
}

// As a run does: nothing is copied into a destination that is the source or holds it, and a
// destination inside the source holds copies, not files to copy.
void ComparisonScan::ScanUnlessNested(const std::string& source, const std::string& destination) {
    const DestinationPlace place = PlaceOfDestination(source, destination);
    if (EndsTheRun(place.nesting)) return;
    passedOver_.reset();
    if (place.nesting == DestinationNesting::InsideSource) passedOver_ = place.destination;
    // A destination not made yet holds no copies to find: nothing is asked of its file system.
    refusals_ = IsDirectory(destination) ? RefusalsOfDestination(destination) : NameRefusals{};
    Scan(source, destination);
}

bool ComparisonScan::IsPassedOver(const std::string& folder) const {
    NodeIdentity identity;
    return passedOver_ && GetNodeIdentity(folder, &identity) && identity == *passedOver_;
}

void ComparisonScan::Scan(const std::string& source, const std::string& destination) {
    const CopyJob& job = rules_.job;
    const bool folderExcluded = IsExcludedFolder(job, source);
    DirectoryEnumerator entries;
    if (!entries.Open(source)) return;
    FileStatus entry;
    while (!Stopping() && entries.Next(&entry)) {
        const std::string path = JoinPath(source, entry.name);
        const std::string copy = JoinPath(destination, StoredName(entry.name, refusals_));
        if (entry.IsDirectory()) {
            if (!IsExcludedFolder(job, path) && !IsPassedOver(path)) Scan(path, copy);
        } else if (!folderExcluded && WouldCopy(path, entry, copy)) {
            reports_->FileWouldBeCopied(path, entry.size);
        }
        std::this_thread::yield();
    }
}

bool ComparisonScan::WouldCopy(const std::string& source, const FileStatus& status,
                               const std::string& destination) const {
    FileStatus copy;
    if (!GetFileStatus(destination, &copy)) return true;
    return IsScanTarget(rules_, source) && !IsDestinationNewer(compared_, status, &copy) &&
           !IsSameSize(compared_, status, &copy) && !IsExcludedReadOnly(compared_, status) &&
           !IsExcludedHidden(compared_, status) && !IsOlderThanReference(compared_, status);
}

}  // namespace tv
