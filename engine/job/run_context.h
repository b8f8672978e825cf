// Everything a run needs besides its job: the worker state that every loop tests, the idle
// gate, the clock that paces it, the drive table, the log store, the runner's window and
// prompts, the run's counters and its outcome. The worker thread owns one per run; tests build
// one and run the engine synchronously.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/copy/file_size_limits.h"
#include "engine/copy/free_space_estimate.h"
#include "engine/durability/pending_copies.h"
#include "engine/job/copy_job.h"
#include "engine/job/progress_sink.h"
#include "engine/listing/listed_file.h"
#include "log/log_record.h"
#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/node_identity.h"

namespace tv {

class Clock;
class DriveTable;
class LogStore;
class Prompts;

enum class WorkerState : int {
    Idle = 0,
    Running = 1,
    Paused = 2,
    StopRequested = 3,
    Finished = 4,
};

// Whether the machine is idle enough for a run to go on (the idle library's answer).
class IdleGate {
  public:
    virtual ~IdleGate() = default;
    virtual bool IsIdle() = 0;
};

// What the runner gives one run besides its job: where the run's notifications go and whom it
// asks. They live as long as the run.
struct RunTargets {
    // Told of the run's progress (the progress window); null = nobody is told anything.
    ProgressSink* window = nullptr;
    // Asks the user, over the window; null = nobody is asked, so a mass deletion is held back.
    Prompts* prompts = nullptr;
};

class RunContext {
  public:
    RunContext(const Clock& clock, const DriveTable& drives, LogStore* log = nullptr,
               IdleGate* idle = nullptr);

    const Clock& clock() const { return clock_; }
    const DriveTable& drives() const { return drives_; }
    LogStore* log() const { return log_; }

    // Set by the runner before the run starts.
    void SetTargets(const RunTargets& targets) { targets_ = targets; }
    ProgressSink* window() const { return targets_.window; }
    Prompts* prompts() const { return targets_.prompts; }

    // What the run reports to its runner; the steps add to it as they go.
    CopyOutcome& outcome() { return outcome_; }
    const CopyOutcome& outcome() const { return outcome_; }
    // Something failed (see CopyOutcome::HadError).
    void NoteError() { outcome_.HadError = 1; }

    // The log line the run's steps fill in turn, begun from the job's fixed fields; null when
    // the job logs nothing.
    void BeginLogLines(const LogRecord* fields);
    LogRecord* logLine() { return logLine_ ? &*logLine_ : nullptr; }

    // Written by the stop buttons and the worker from two threads.
    WorkerState state() const { return state_.load(); }
    void SetState(WorkerState state) { state_.store(state); }
    // A stop button: a paused worker is resumed first, then told to stop.
    void RequestStop();
    // Running or paused: the test before every entry, every file and every buffer.
    bool IsActive() const;

    Phase phase() const { return phase_; }
    // Tells the window too.
    void EnterPhase(Phase phase);

    // Shown again as the second line when an idle wait ends while copying.
    void SetCurrentFile(const std::string& path) { currentFile_ = path; }

    // Waits, polling once a second, until the machine is idle or the worker is stopped.
    // Does nothing unless the job asks for it and there is a gate.
    void WaitForIdle(const CopyJob& job);
    // Lets other threads run between entries of a walk.
    void Yield() const;
    // The short pause after each file step (the system's own load control).
    void PauseAfterFile() const;

    // The listed source files of the run, with what the walk read of each. A deque: it grows
    // without ever holding two copies of a long listing.
    std::deque<ListedFile>& files() { return files_; }
    const std::deque<ListedFile>& files() const { return files_; }
    // A listed file whose name folds together with an earlier entry's of its folder (a path):
    // on a destination that folds case, that entry's copy takes the place of the file's.
    void NoteFoldsWithEarlier(ListedFile* file, std::string earlier);
    // The earlier entry of a file noted so; null for any other file.
    const std::string* EarlierFoldingWith(const ListedFile& file) const;
    // The listed symbolic links of the run, copied as links after the files.
    std::vector<std::string>& links() { return links_; }
    // The copy buffer: allocated for one copy pass, empty otherwise.
    std::vector<char>& buffer() { return buffer_; }
    // New copies still carrying the marker time; a pass flushes them before it returns.
    PendingCopies& pendingCopies() { return pendingCopies_; }
    FreeSpaceEstimate& freeSpace() { return freeSpace_; }
    FileSizeLimits& fileSizeLimits() { return fileSizeLimits_; }

    // The source root as it was when the run started: a root that is no longer this object
    // (unmounted, replaced) is a source that vanished.
    const std::optional<NodeIdentity>& sourceRoot() const { return sourceRoot_; }
    void SetSourceRoot(const NodeIdentity& identity) { sourceRoot_ = identity; }
    // The destination when it lies inside the source: the walk passes over it.
    const std::optional<NodeIdentity>& destinationInSource() const { return destinationInSource_; }
    void SetDestinationInSource(const NodeIdentity& identity) { destinationInSource_ = identity; }

    // What the destination's file system refuses in names: every destination path of a source
    // entry is stored mapped (see name_mapping.h). Found when the run starts.
    const NameRefusals& nameRefusals() const { return nameRefusals_; }
    void SetNameRefusals(const NameRefusals& refusals) { nameRefusals_ = refusals; }

    // Destination folders the run has looked at or written into; a completed run clears them of
    // leftover temporary copies, except those it made itself: only its own copies were in them.
    const std::unordered_set<std::string>& visitedFolders() const { return visitedFolders_; }
    void NoteVisitedFolder(const std::string& folder) { visitedFolders_.insert(folder); }
    bool MadeFolder(const std::string& folder) const { return madeFolders_.count(folder) != 0; }
    void NoteFolderMade(const std::string& folder) { madeFolders_.insert(folder); }
    // Notes that the run cleared folder of leftovers; false when it had done so before.
    bool NoteFolderSwept(const std::string& folder) { return sweptFolders_.insert(folder).second; }
    // The destination folder the run last made sure exists: the files that follow it there
    // need not look again. A copy pass forgets it when it starts and when it ends.
    bool IsFolderMadeSure(const std::string& folder) const { return folderMadeSure_ == folder; }
    // made: the run made the folder just now, so that only its own copies are in it.
    void NoteFolderMadeSure(const std::string& folder, bool made = false);
    // Whether nothing can be at the destination path: the run made its folder just now and has
    // put nothing by its name into it since. Spares looking for copies in a new folder.
    bool IsSurelyAbsent(const std::string& path) const;
    // A copy went to the destination path.
    void NoteCopyPut(const std::string& path);
    // The destination folder copies are written into, held open for the files that follow it
    // there; null when it cannot be opened or a link lies on the way to it below root. It is
    // let go with the folder made sure of.
    const OpenFolder* HeldFolder(const std::string& root, const std::string& folder);

    int openErrors() const { return openErrors_; }
    void CountOpenError() { ++openErrors_; }
    int duplicates() const { return duplicates_; }
    void CountDuplicate() { ++duplicates_; }

  private:
    std::string SecondLineOfPhase() const;

    const Clock& clock_;
    const DriveTable& drives_;
    LogStore* log_;
    IdleGate* idle_;
    RunTargets targets_;
    CopyOutcome outcome_;
    std::optional<LogRecord> logLine_;
    std::atomic<WorkerState> state_{WorkerState::Running};
    Phase phase_ = Phase::Counting;
    std::string currentFile_;
    std::deque<ListedFile> files_;
    std::unordered_map<std::string, std::string> earlierFolding_;  // file → earlier entry
    std::vector<std::string> links_;
    std::vector<char> buffer_;
    PendingCopies pendingCopies_;
    FreeSpaceEstimate freeSpace_;
    FileSizeLimits fileSizeLimits_;
    std::optional<NodeIdentity> sourceRoot_;
    std::optional<NodeIdentity> destinationInSource_;
    NameRefusals nameRefusals_;
    std::unordered_set<std::string> visitedFolders_;
    std::unordered_set<std::string> madeFolders_;
    std::unordered_set<std::string> sweptFolders_;
    std::string folderMadeSure_;
    bool folderMadeNow_ = false;
    std::unordered_set<std::string> namesPutInNewFolder_;
    OpenFolder heldFolder_;
    int openErrors_ = 0;
    int duplicates_ = 0;
};

}  // namespace tv
