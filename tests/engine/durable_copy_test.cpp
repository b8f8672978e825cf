#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "engine/durability/leftover_copies.h"
#include "engine/durability/pending_copies.h"
#include "engine/relocation/relocation.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/full_disk.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr int64_t kDay = 86400;
// How long, and in what steps, a held sync waits for the copy pass beside it.
constexpr auto kSyncPatience = std::chrono::seconds(20);
constexpr auto kSyncStep = std::chrono::milliseconds(1);

TreeFile Text(const std::string& content, int64_t mtime = kNow, uint32_t attrs = 0) {
    return TreeFile{.content = content, .mtime = mtime, .attrs = attrs};
}

FileStatus StatusOf(const std::string& path) {
    FileStatus status;
    EXPECT_TRUE(GetFileStatus(path, &status)) << path;
    return status;
}

bool HasMarker(const std::string& path) {
    const FileStatus status = StatusOf(path);
    return status.lastWrite == kMarkerTime && status.lastAccess == kMarkerTime;
}

// Names of files 1..count.
std::vector<std::string> Numbered(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) names.push_back(std::to_string(i) + ".txt");
    return names;
}

// Tells the test of every finished file, with the copy it made: the window is told the
// source and the copy before a copy starts, and steps once it is done.
class CopyWatch : public RecordingSink {
  public:
    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override {
        RecordingSink::SetLines(first, second);
        if (first && second) lastCopy_ = *second;
    }
    void Step() override {
        RecordingSink::Step();
        ++steps;
        if (onStep) onStep(lastCopy_);
    }
    std::function<void(const std::string& copy)> onStep;
    int steps = 0;

  private:
    std::string lastCopy_;
};

class DurableCopyTest : public EngineTest {
  protected:
    DurableCopyTest() {
        MakeFileDirJob();
        targets.window = &watch;
    }

    // A run whose file-system syncs are counted and answer as the test says; no real sync is
    // needed to show what the engine does with the answer.
    int RunCountingSyncs() {
        RunContext context(clock, world.drives(), &log, &idle);
        context.SetState(WorkerState::Running);
        context.pendingCopies().SetFileSystemSync([this](const std::string& folder) {
            ++syncs;
            if (onSync) onSync(folder);
            return syncWorks;
        });
        context.pendingCopies().SetFileSync([this](File& file) {
            if (syncAloneFails && syncAloneFails(file)) return false;
            return syncAloneWorks && file.Flush();
        });
        context.pendingCopies().SetFolderSync([this](const std::string& folder) {
            if (onFolderSync) onFolderSync(folder);
            return folderSyncWorks && SyncFolder(folder);
        });
        stopper = &context;
        const int result = RunOn(context);
        stopper = nullptr;
        return result;
    }

    // Each case of a table runs between folders of its own.
    void UseFoldersOfCase(const std::string& name) {
        job.Source = Path(name);
        job.Destination = JoinPath(destination, name);
    }
    std::string Source(const std::string& relative) const { return JoinPath(job.Source, relative); }
    std::string CopyOf(const std::string& relative) const {
        return JoinPath(job.Destination, relative);
    }
    void WriteSources(const std::vector<std::string>& names) {
        for (const std::string& name : names) world.Write(job.Source, {{name, Text(name)}});
    }

    // The copy has its source's times to the nanosecond and its source's attributes. Nothing
    // may have read the copy before (that could change its access time).
    void ExpectLooksLikeSource(const std::string& relative) {
        const FileStatus source = StatusOf(Source(relative));
        const FileStatus copy = StatusOf(CopyOf(relative));
        EXPECT_EQ(copy.lastWrite, source.lastWrite) << relative;
        EXPECT_EQ(copy.lastAccess, source.lastAccess) << relative;
        EXPECT_EQ(copy.attributes & kAttrReadOnly, source.attributes & kAttrReadOnly) << relative;
    }

    CopyWatch watch;
    int syncs = 0;
    bool syncWorks = true;
    bool syncAloneWorks = true;  // a copy synced on its own where the file system was not
    std::function<bool(File& copy)> syncAloneFails;  // which copies' own syncs fail
    std::function<void(const std::string& folder)> onSync;
    bool folderSyncWorks = true;
    std::function<void(const std::string& folder)> onFolderSync;
};

TEST_F(DurableCopyTest, AfterARunEveryCopyHasItsSourcesTimesAndAttributes) {
    world.Write(Path("data"), {{"a.txt", Text("a")},
                               {"stale.txt", Text("new bytes")},
                               {"sub",
                                {{"ro.txt", Text("read only", kNow, kAttrReadOnly)},
                                 {"deeper", {{"c.bin", Text("c")}}}}}});
    world.Write(job.Destination, {{"stale.txt", Text("old bytes", kNow - kDay)}});
    // Times with nanoseconds, and an access time of its own.
    const char* files[] = {"a.txt", "stale.txt", "sub/ro.txt", "sub/deeper/c.bin"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(SetFileTimes(Source(files[i]), FileTime{kNow - 100 - i, 123456789 + i},
                                 FileTime{kNow - 50 - i, 987654321 - i}));
    }

    RunCountingSyncs();

    for (const char* file : files) ExpectLooksLikeSource(file);
    EXPECT_EQ(FileBytes(CopyOf("stale.txt")), "new bytes");
    // Three folders of new copies on one file system: one sync at the end of the pass covers
    // them all, and one more their places.
    EXPECT_EQ(syncs, 2);
}

TEST_F(DurableCopyTest, EachBatchIsSyncedBeforeItsCopiesTakeTheirPlaces) {
    struct Case {
        const char* name;
        int files;
        int advanceAtStep;         // the clock moves on by a batch's age at this step
        std::vector<int> batches;  // how many copies each sync made durable, in order
    };
    const int inFlight = static_cast<int>(PendingCopies::kInFlightCopies);
    const Case cases[] = {
        {"end of the pass", 3, 0, {3}},
        {"a batch large enough goes in flight", inFlight + 2, 0, {inFlight, 2}},
        {"old batch", 4, 1, {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseFoldersOfCase(c.name);
        const std::vector<std::string> names = Numbered(c.files);
        WriteSources(names);
        syncs = 0;
        watch.steps = 0;
        std::vector<std::string> made;  // the copies, in the order the pass made them
        watch.onStep = [&](const std::string& copy) {
            made.push_back(copy);
            if (watch.steps == c.advanceAtStep) clock.Advance(PendingCopies::kBatchSeconds);
        };
        std::vector<std::set<std::string>> inPlaceAtSyncs;
        onSync = [&](const std::string&) {
            std::set<std::string> inPlace;
            for (const std::string& name : names) {
                if (PathExists(CopyOf(name))) inPlace.insert(CopyOf(name));
            }
            inPlaceAtSyncs.push_back(inPlace);
        };

        RunCountingSyncs();

        ASSERT_EQ(made.size(), names.size());
        // The last sync follows the last batch's renames.
        ASSERT_EQ(inPlaceAtSyncs.size(), c.batches.size() + 1);
        EXPECT_EQ(inPlaceAtSyncs.back(), std::set<std::string>(made.begin(), made.end()));
        // At each sync every copy of the batches before is in place, and none of its own.
        size_t before = 0;
        for (size_t sync = 0; sync < c.batches.size(); ++sync) {
            EXPECT_EQ(inPlaceAtSyncs[sync],
                      std::set<std::string>(made.begin(), made.begin() + before))
                << "sync " << sync + 1;
            before += c.batches[sync];
        }
        for (const std::string& name : names) ExpectLooksLikeSource(name);
    }
}

TEST_F(DurableCopyTest, TheRunEndsOnlyOnceEveryRenameAndMoveItMadeIsSynced) {
    struct Case {
        const char* name;
        std::vector<std::string> newer;  // sources the destination lacks
        bool extra;                      // the destination holds a file the source lacks
        int syncs;
        bool lastSyncFails;
    };
    const Case cases[] = {
        {"copies", {"1.txt", "2.txt"}, false, 2, false},
        {"copies and a move to the trash", {"1.txt"}, true, 3, false},
        {"a move to the trash alone", {}, true, 1, false},
        {"nothing renamed or moved", {}, false, 0, false},
        {"the last sync fails", {"1.txt"}, true, 3, true},
    };
    job.ForceMirror = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseFoldersOfCase(c.name);
        WriteSources(c.newer);
        world.Write(job.Source, {{"kept.txt", Text("kept", kNow - kDay)}});
        world.Write(job.Destination, {{"kept.txt", Text("kept", kNow - kDay)}});
        if (c.extra) world.Write(job.Destination, {{"extra.txt", Text("extra")}});
        syncs = 0;
        syncWorks = true;
        outcome.HadError = 0;
        bool doneAtLastSync = false;
        onSync = [&](const std::string&) {
            doneAtLastSync = !PathExists(CopyOf("extra.txt"));
            for (const std::string& name : c.newer) doneAtLastSync &= PathExists(CopyOf(name));
            if (c.lastSyncFails && syncs == c.syncs) syncWorks = false;
        };

        RunCountingSyncs();

        EXPECT_EQ(syncs, c.syncs);
        EXPECT_EQ(doneAtLastSync, c.syncs > 0);
        EXPECT_EQ(outcome.HadError, c.lastSyncFails ? 1 : 0);
    }
}

TEST_F(DurableCopyTest, ThePassCopiesOnWhileABatchInFlightIsSynced) {
    const int inFlight = static_cast<int>(PendingCopies::kInFlightCopies);
    UseFoldersOfCase("in flight");
    const std::vector<std::string> names = Numbered(inFlight + 4);
    WriteSources(names);
    std::atomic<int> copiesMade{0};
    watch.onStep = [&](const std::string&) { ++copiesMade; };
    bool copiedDuringFirstSync = false;
    onSync = [&](const std::string&) {
        if (syncs != 1) return;
        // The first batch's sync holds until the pass has made two more copies, or gives up.
        copiedDuringFirstSync = WaitUntil(
            kSyncPatience, [&] { return copiesMade >= inFlight + 2; }, kSyncStep);
    };

    RunCountingSyncs();

    EXPECT_TRUE(copiedDuringFirstSync);
    EXPECT_EQ(syncs, 3);
    for (const std::string& name : names) ExpectLooksLikeSource(name);
}

TEST_F(DurableCopyTest, WaitingCopiesInFlightAndNotStayWithinTheOpenFilesABatchMayHold) {
    const int inFlight = static_cast<int>(PendingCopies::kInFlightCopies);
    const int bound = static_cast<int>(PendingCopies::kWaitingCopies);
    UseFoldersOfCase("bound");
    const std::vector<std::string> names = Numbered(inFlight + bound + 8);
    WriteSources(names);
    std::atomic<int> copiesMade{0};
    watch.onStep = [&](const std::string&) { ++copiesMade; };
    int madeWhileHeld = 0;
    onSync = [&](const std::string&) {
        if (syncs != 1) return;
        // While the first batch's sync holds, the pass makes copies until the two batches hold
        // as many open copies as one may: the last of them waits for this sync. A pass that
        // went on would make its next small copy well within the time held after that.
        WaitUntil(
            kSyncPatience, [&] { return copiesMade >= bound - 1; }, kSyncStep);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        madeWhileHeld = copiesMade;
    };

    RunCountingSyncs();

    EXPECT_EQ(madeWhileHeld, bound - 1);
    for (const std::string& name : names) ExpectLooksLikeSource(name);
}

TEST_F(DurableCopyTest, ASourceOlderThanTheMarkerCanShowNeverWaitsBehindIt) {
    // FAT reads the marker back as 1980-01-01: a source of 1975 would look no newer.
    world.Write(Path("data"), {{"old.txt", Text("old", 157766400)}, {"new.txt", Text("new")}});
    // Outside a copy pass (a move), a new copy is finished behind the marker at once, unless
    // its source is that old.
    RelocationRequest request;
    request.OldFolder = Path("data");
    request.NewFolder = JoinPath(destination, "moved");
    ScriptedPrompts prompts;
    RunContext context(clock, world.drives());
    context.SetState(WorkerState::Running);
    std::map<std::string, bool> marked;  // what the batch's sync finds, not the one after
    context.pendingCopies().SetFileSystemSync([&](const std::string& folder) {
        if (!marked.empty()) return true;
        for (const char* name : {"old.txt", "new.txt"}) {
            marked[name] = HasMarker(JoinPath(folder, name));
        }
        return true;
    });
    ASSERT_EQ(Relocate(request, context, prompts, nullptr, world.programDir()),
              RelocationEnd::Finished);
    EXPECT_EQ(marked, (std::map<std::string, bool>{{"new.txt", true}, {"old.txt", false}}));

    // In a copy pass whose copies cannot be made durable, the new one takes its place behind
    // the marker; the old one would look up to date behind it and is not kept.
    syncWorks = false;
    syncAloneWorks = false;
    RunCountingSyncs();

    EXPECT_EQ(outcome.HadError, 1);
    EXPECT_TRUE(HasMarker(CopyOf("new.txt")));
    EXPECT_FALSE(PathExists(CopyOf("old.txt")));
}

TEST_F(DurableCopyTest, APassEndedEarlyLeavesNoMarkerOnTheCopiesItCompleted) {
    struct Case {
        const char* name;
        std::function<void(RunContext&)> atSecondStep;
        FileResult result;
    };
    std::filesystem::create_directories(destination);
    ScopedMount volume = ScopedMount::Tmpfs(destination, 1024);
    if (!volume.mounted()) GTEST_SKIP() << MountRefusedMessage(volume);
    const Case cases[] = {
        {"stop button", [](RunContext& run) { run.RequestStop(); }, FileResult::Cancelled},
        // every further write fails for want of room
        {"disk full", [this](RunContext&) { EXPECT_TRUE(FillVolume(destination)); },
         FileResult::DiskFull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseFoldersOfCase(c.name);
        WriteSources(Numbered(4));
        watch.steps = 0;
        watch.onStep = [&](const std::string&) {
            if (watch.steps == 2) c.atSecondStep(*stopper);
        };

        const int result = RunCountingSyncs();

        EXPECT_EQ(result, static_cast<int>(c.result));
        int copied = 0;
        for (const std::string& name : Numbered(4)) {
            if (!PathExists(CopyOf(name))) continue;
            ++copied;
            ExpectLooksLikeSource(name);
        }
        EXPECT_EQ(copied, 2);
    }
}

TEST_F(DurableCopyTest, ACopyWhoseSyncFailedKeepsTheMarkerAndIsCopiedAgainNextRun) {
    world.Write(Path("data"), {{"a.txt", Text("a")}, {"ro.txt", Text("r", kNow, kAttrReadOnly)}});
    syncWorks = false;
    syncAloneWorks = false;

    EXPECT_EQ(RunCountingSyncs(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(outcome.HadError, 1);           // the copies are not known to be on disk
    EXPECT_TRUE(HasMarker(CopyOf("a.txt")));  // before anything reads it
    EXPECT_EQ(world.Read(destination),
              (Tree{{"a.txt", Text("a", 0)}, {"ro.txt", Text("r", 0, kAttrReadOnly)}}));

    // A power loss empties both copies; their names and marker times survive.
    for (const char* name : {"a.txt", "ro.txt"}) {
        SetFileAttributes(CopyOf(name), kAttrNormal);
        PutFileBytes(CopyOf(name), "");
        SetFileTimes(CopyOf(name), kMarkerTime, kMarkerTime);
    }
    syncWorks = true;
    syncAloneWorks = true;
    RunCountingSyncs();

    EXPECT_EQ(world.Read(destination),
              (Tree{{"a.txt", Text("a")}, {"ro.txt", Text("r", kNow, kAttrReadOnly)}}));
}

// Where the file system cannot be synced as a whole, the copy is synced on its own.
TEST_F(DurableCopyTest, AReplacingCopyTakesTheEarlierOnesPlaceOnlyOnceItIsDurable) {
    for (const bool wholeSynced : {true, false}) {
        SCOPED_TRACE(wholeSynced ? "synced" : "not synced");
        UseFoldersOfCase(wholeSynced ? "synced" : "not synced");
        world.Write(job.Source, {{"a.txt", Text("new bytes")}});
        world.Write(job.Destination, {{"a.txt", Text("old bytes", kNow - kDay)}});
        outcome.HadError = 0;
        syncs = 0;
        syncWorks = wholeSynced;
        std::vector<std::string> atSync;  // what the copy's folder holds at the batch's sync
        onSync = [&](const std::string& folder) {
            // The sync after the renames answers: the file system works again.
            if (syncs > 1) {
                syncWorks = true;
                return;
            }
            atSync.clear();
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                atSync.push_back(entry.path().filename().string());
            }
        };

        RunCountingSyncs();

        // The earlier copy kept its name until then, the new one waited beside it.
        ASSERT_EQ(atSync.size(), 2u);
        EXPECT_EQ(std::count(atSync.begin(), atSync.end(), "a.txt"), 1);
        EXPECT_EQ(world.Read(job.Destination), (Tree{{"a.txt", Text("new bytes")}}));
        EXPECT_EQ(outcome.HadError, 0);
    }
}

TEST_F(DurableCopyTest, TwoFilesOfOneNameInOneRunRotateByTheirRealTimes) {
    job.ExtFolder = 1;
    // Which of the two comes first depends on the listing order, so each gets to be newer.
    for (const bool firstIsNewer : {true, false}) {
        SCOPED_TRACE(firstIsNewer ? "a newer" : "b newer");
        UseFoldersOfCase(firstIsNewer ? "a newer" : "b newer");
        const int64_t a = firstIsNewer ? kNow - kDay : kNow - 2 * kDay;
        const int64_t b = firstIsNewer ? kNow - 2 * kDay : kNow - kDay;
        world.Write(job.Source,
                    {{"a", {{"p.jpg", Text("from a", a)}}}, {"b", {{"p.jpg", Text("from b", b)}}}});

        RunCountingSyncs();

        const TreeFile newer = firstIsNewer ? Text("from a", a) : Text("from b", b);
        const TreeFile older = firstIsNewer ? Text("from b", b) : Text("from a", a);
        EXPECT_EQ(world.Read(job.Destination), (Tree{{"JPGフォルダ", {{"p.jpg", newer}}},
                                                     {"1世代前JPGフォルダ", {{"p.jpg", older}}}}));
    }
}

TEST_F(DurableCopyTest, AGenerationMovedUpIsDurableBeforeItsOldPlaceIsOverwritten) {
    job.ExtFolder = 1;
    const Tree before = {{"JPGフォルダ", {{"p.jpg", Text("v2", kNow - kDay)}}},
                         {"1世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}}};
    world.Write(destination, before);
    world.Write(Path("data"), {{"p.jpg", Text("v3")}});
    std::vector<Tree> atSyncs;
    onSync = [&](const std::string&) { atSyncs.push_back(world.Read(destination)); };

    RunCountingSyncs();

    // v1 went up to the second generation, waiting there under a temporary name, while its
    // old place kept it.
    ASSERT_FALSE(atSyncs.empty());
    Tree atFirstSync = atSyncs.front();
    const Tree movedUp = atFirstSync["2世代前JPGフォルダ"].children;
    ASSERT_EQ(movedUp.size(), 1u);
    EXPECT_EQ(movedUp.begin()->first.rfind(kTemporaryCopyPrefix, 0), 0u);
    EXPECT_EQ(movedUp.begin()->second.file, Text("v1", kNow - 2 * kDay));
    atFirstSync.erase("2世代前JPGフォルダ");
    EXPECT_EQ(atFirstSync, before);
    const Tree after = {{"JPGフォルダ", {{"p.jpg", Text("v3")}}},
                        {"1世代前JPGフォルダ", {{"p.jpg", Text("v2", kNow - kDay)}}},
                        {"2世代前JPGフォルダ", {{"p.jpg", Text("v1", kNow - 2 * kDay)}}}};
    EXPECT_EQ(world.Read(destination), after);
}

TEST_F(DurableCopyTest, ACopyReplacedInTheSameRunKeepsTheTimesOfWhatItHolds) {
    // A dated run copies both files into one folder of the day; the second replaces the first.
    job.Kind = Removable | DateFolders;
    job.Source = sourceRoot;
    world.Write(sourceRoot, {{"one", {{"x.txt", Text("one", kNow - 600)}}},
                             {"two", {{"x.txt", Text("two", kNow - 60)}}}});

    RunCountingSyncs();

    const Tree dated = world.Read(destination);
    ASSERT_EQ(dated.count("2005年07月01日"), 1u);
    const TreeFile copy = dated.at("2005年07月01日").children.at("x.txt").file;
    EXPECT_TRUE(copy == Text("one", kNow - 600) || copy == Text("two", kNow - 60))
        << copy.content << " at " << copy.mtime;
}

TEST_F(DurableCopyTest, AMoveWhoseCopiesAreNotDurableKeepsTheOldFiles) {
    // The new folder of a move is nothing a later run copies to again: while its copies are not
    // known to be on disk, the old files are all there is.
    const Tree backup = {{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("b")}}}};
    RelocationRequest request;
    request.OldFolder = Path("old");
    request.NewFolder = JoinPath(destination, "new");
    request.Move = true;
    ScriptedPrompts prompts;
    struct Case {
        const char* name;
        int syncsThatWork;  // the syncs after these fail
        bool moved;
    };
    const Case cases[] = {
        {"not synced", 0, false},
        {"the copies' times not synced", 1, false},
        {"synced", 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(request.NewFolder);
        world.Write(request.OldFolder, backup);
        RunContext context(clock, world.drives());
        context.SetState(WorkerState::Running);
        int syncsSoFar = 0;
        context.pendingCopies().SetFileSystemSync(
            [&](const std::string&) { return ++syncsSoFar <= c.syncsThatWork; });

        EXPECT_EQ(Relocate(request, context, prompts, nullptr, world.programDir()),
                  RelocationEnd::Finished);

        EXPECT_EQ(world.Read(request.OldFolder), (c.moved ? Tree{} : backup));
    }
    EXPECT_EQ(world.Read(request.NewFolder), backup);
}

// A copy's line is written once the copy is in place and durable, and says so only then, in
// every layout a copy pass places copies in.
TEST_F(DurableCopyTest, ACopyThatNeverTookItsPlaceDurablyIsLoggedAsAnError) {
    struct Layout {
        const char* name;
        int32_t kind;
        uint8_t extensionFolders;
        const char* folder;  // where the copies go
    };
    const Layout layouts[] = {
        {"plain", FileDir, 0, ""},
        {"dated", FileDir | DateFolders, 0, "2005年07月01日"},
        {"extension", FileDir, 1, "TXTフォルダ"},
    };
    struct Cause {
        const char* name;
        bool wholeSyncWorks;
        std::function<void(const std::string& bad)> atSync;
    };
    const Cause causes[] = {
        // its own sync fails too where the file system's could not be synced
        {"its sync fails", false, [](const std::string&) {}},
        {"a folder took its place while it waited", true,
         [](const std::string& bad) { CreateFolder(bad); }},
    };
    // Each copy is told apart from the others by its size when it is synced alone.
    const std::string badBytes = "the bad one";
    syncAloneFails = [&badBytes](File& copy) {
        return copy.Size() == static_cast<int64_t>(badBytes.size());
    };
    for (const Layout& layout : layouts) {
        for (const Cause& cause : causes) {
            const std::string name = std::string(layout.name) + ", " + cause.name;
            SCOPED_TRACE(name);
            UseFoldersOfCase(name);
            job.Kind = layout.kind;
            job.ExtFolder = layout.extensionFolders;
            world.Write(job.Source,
                        {{"a.txt", Text("a")}, {"bad.txt", Text(badBytes)}, {"c.txt", Text("cc")}});
            outcome.HadError = 0;
            outcome.Logged = {};
            syncWorks = cause.wholeSyncWorks;
            auto copyOf = [&](const char* file) { return CopyOf(JoinPath(layout.folder, file)); };
            bool synced = false;
            onSync = [&](const std::string&) {
                if (synced) return;
                synced = true;
                cause.atSync(copyOf("bad.txt"));
                // The lines keep the time their copies were made.
                clock.Advance(60);
            };
            const std::string before = DayFile();

            RunCountingSyncs();

            const std::string head = "2005/07/01\t" + RunFields() + "ファイル作成\t";
            auto line = [&](const char* file, const char* result) {
                return head + file + "\t" + Source(file) + "\t" + copyOf(file) + "\t09:30:00\t" +
                       result;
            };
            std::multiset<std::string> fileLines;
            std::istringstream day(DayFile().substr(before.size()));
            for (std::string text; std::getline(day, text);) {
                if (text.rfind(head, 0) == 0) fileLines.insert(text.substr(0, text.size() - 1));
            }
            EXPECT_EQ(fileLines,
                      (std::multiset<std::string>{line("a.txt", "ＯＫ"), line("bad.txt", "エラー"),
                                                  line("c.txt", "ＯＫ")}));
            EXPECT_EQ(outcome.Logged.errors, 1u);
            EXPECT_EQ(outcome.HadError, 1);
            clock.Set(kNow);
        }
    }
}

// A copy's line is written only after a sync that followed its rename (the next batch's, the
// pass's last, or its folder's where the whole file system was not synced), and says "エラー"
// where that sync failed; the last batch's lines come at the end of the pass.
TEST_F(DurableCopyTest, ACopysLineComesOnlyAfterASyncThatFollowedItsRename) {
    const int inFlight = static_cast<int>(PendingCopies::kInFlightCopies);
    struct Case {
        const char* name;
        int files;
        bool wholeSyncWorks;
        int failingSync;  // which sync fails, counting every kind from 1; 0: none
        int errors;       // copies logged "エラー"
    };
    const Case cases[] = {
        {"one batch", 3, true, 0, 0},
        {"two batches", inFlight + 2, true, 0, 0},
        {"the sync after the last batch fails", 3, true, 2, 3},
        // the second batch's copies are synced alone, then their folder
        {"the next batch's sync fails", inFlight + 2, true, 2, inFlight},
        {"no whole sync: the folder is synced after the renames", 3, false, 0, 0},
        {"no whole sync, and the folder's sync fails", 3, false, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseFoldersOfCase(c.name);
        const std::vector<std::string> names = Numbered(c.files);
        WriteSources(names);
        outcome.HadError = 0;
        outcome.Logged = {};
        const std::string before = DayFile();
        // The copies' lines so far, by name: their results.
        auto lines = [&]() {
            std::map<std::string, std::string> results;
            std::istringstream day(DayFile().substr(before.size()));
            for (std::string line; std::getline(day, line);) {
                std::vector<std::string> fields;
                std::istringstream in(line.substr(0, line.size() - 1));
                for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
                if (fields.size() == 12 && fields[6] == "ファイル作成")
                    results[fields[7]] = fields[11];
            }
            return results;
        };
        struct AtSync {
            std::set<std::string> inPlace;
            std::set<std::string> logged;
        };
        std::vector<AtSync> atSyncs;  // what each sync found, in order
        int count = 0;
        auto record = [&](const std::string&) {
            AtSync now;
            for (const std::string& name : names) {
                if (PathExists(CopyOf(name))) now.inPlace.insert(name);
            }
            for (const auto& [name, result] : lines()) now.logged.insert(name);
            atSyncs.push_back(now);
            const bool works = ++count != c.failingSync;
            syncWorks = works && c.wholeSyncWorks;
            folderSyncWorks = works;
        };
        onSync = record;
        onFolderSync = record;

        RunCountingSyncs();

        std::set<std::string> inPlaceAtASync;
        for (size_t sync = 0; sync < atSyncs.size(); ++sync) {
            for (const std::string& name : atSyncs[sync].logged) {
                EXPECT_EQ(inPlaceAtASync.count(name), 1u) << name << " logged by sync " << sync + 1;
            }
            inPlaceAtASync.insert(atSyncs[sync].inPlace.begin(), atSyncs[sync].inPlace.end());
        }
        const std::map<std::string, std::string> results = lines();
        EXPECT_EQ(results.size(), names.size());
        int errors = 0;
        for (const auto& [name, result] : results) {
            if (result == "エラー") {
                ++errors;
            } else {
                EXPECT_EQ(result, "ＯＫ") << name;
                EXPECT_EQ(inPlaceAtASync.count(name), 1u) << name;
            }
        }
        EXPECT_EQ(errors, c.errors);
        EXPECT_EQ(outcome.Logged.errors, static_cast<uint64_t>(c.errors));
        EXPECT_EQ(outcome.HadError, c.errors > 0 ? 1 : 0);
        syncWorks = true;
        folderSyncWorks = true;
    }
}

TEST(FileSystemSyncTest, SyncsAFoldersFileSystemAndRefusesAMissingPath) {
    TestWorld world;
    EXPECT_TRUE(SyncFileSystemOf(world.base()));
    EXPECT_FALSE(SyncFileSystemOf(JoinPath(world.base(), "missing")));
}

}  // namespace
}  // namespace tv::test
