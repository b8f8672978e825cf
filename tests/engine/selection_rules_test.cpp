#include "engine/listing/selection_rules.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/durability/pending_copies.h"
#include "engine/job/file_decision.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_time_zone.h"

namespace tv::test {
namespace {

TEST(ExtensionRule, ExtensionIsTheTextAfterTheLastDotOfTheWholePath) {
    const struct {
        const char* path;
        const char* extension;
    } cases[] = {
        {"/e/Photo.jPg", "JPG"}, {"/e/a.b/file", "B/FILE"},  // a dot in a folder name counts
        {"/e/file", "/E/FILE"},                              // no dot: the whole path
        {".profile", ""},                                    // a dot at the very first position
        {"/e/名前.txt", "TXT"},  {"/e/名前", "/E/名前"},     // multi-byte characters are left alone
        {"/e/end.", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ExtensionOfPath(c.path), c.extension) << c.path;
}

TEST(ExtensionRule, TargetListOnlyOverridesTheExcludedList) {
    const StringList targets = {"JPG"};
    const StringList excluded = {"JPG", "TMP", "B"};
    const struct {
        const char* path;
        const StringList* targets;
        const StringList* excluded;
        bool isTarget;
    } cases[] = {
        {"/e/a.tmp", nullptr, nullptr, true},      {"/e/a.jpg", &targets, &excluded, true},
        {"/e/a.tmp", &targets, &excluded, false},  {"/e/a.TmP", nullptr, &excluded, false},
        {"/e/a.txt", &targets, &excluded, true},   {"/e/a.txt", &targets, nullptr, true},
        {"/e/a.b/file", nullptr, &excluded, true}, {"/e/a.jpg", nullptr, &excluded, false},
    };
    for (const auto& c : cases) {
        CopyJob job;
        job.TargetExtensions = c.targets;
        job.ExcludedExtensions = c.excluded;
        EXPECT_EQ(IsTransferTarget(job, c.path), c.isTarget)
            << c.path << (c.targets ? " with targets" : "") << (c.excluded ? " with excluded" : "");
    }
}

TEST(TimeStampRule, SourceMustBeAtLeastTheToleranceNewer) {
    const struct {
        const char* name;
        int32_t tolerance;
        int64_t sourceAhead;  // source time minus copy time, seconds
        bool forceOverWrite;
        bool destinationNewer;
    } cases[] = {
        {"equal times, default tolerance", 2, 0, false, true},
        {"tolerance - 1", 2, 1, false, true},
        {"tolerance", 2, 2, false, false},
        {"tolerance + 1", 2, 3, false, false},
        {"zero tolerance, equal times pass", 0, 0, false, false},
        {"zero tolerance, one second newer", 0, 1, false, false},
        {"zero tolerance, older source", 0, -5, false, true},
        {"older source forced", 0, -5, true, false},
        {"negative tolerance lets an older source through", -3, -2, false, false},
        {"negative tolerance, beyond it", -3, -4, false, true},
    };
    for (const auto& c : cases) {
        CopyJob job;
        job.IgnorTime = c.tolerance;
        job.ForceOverWrite = c.forceOverWrite;
        FileStatus source, copy;
        copy.lastWrite.seconds = 5000000000;  // beyond 32 bits
        source.lastWrite.seconds = copy.lastWrite.seconds + c.sourceAhead;
        EXPECT_EQ(IsDestinationNewer(job, source, &copy), c.destinationNewer) << c.name;
        EXPECT_FALSE(IsDestinationNewer(job, source, nullptr)) << c.name << ", no copy";
    }
}

TEST(TimeStampRule, TimesAtTheEndsOfTheRangeDoNotWrapAround) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    const struct {
        int64_t source, copy;
        int32_t tolerance;
        bool destinationNewer;
    } cases[] = {
        {kMax, kMax, 2, true},   {kMax - 1, kMax, 2, true},   {kMax, kMax - 2, 2, false},
        {kMin, kMin, -2, false}, {kMin, kMin + 1, -2, false}, {kMin, kMin + 3, -2, true},
        {kMin, kMax, 2, true},   {kMax, kMin, -2, false},
    };
    for (const auto& c : cases) {
        CopyJob job;
        job.IgnorTime = c.tolerance;
        FileStatus source, copy;
        source.lastWrite.seconds = c.source;
        copy.lastWrite.seconds = c.copy;
        EXPECT_EQ(IsDestinationNewer(job, source, &copy), c.destinationNewer)
            << c.source << " against " << c.copy << " with " << c.tolerance;
    }
}

TEST(ExcludedFolderRule, TrailingSeparatorIsPartOfTheComparison) {
    const StringList excluded = {"/e/data", "/e/tmp/"};
    const struct {
        const char* folder;
        bool withoutSubfolders;
        bool withSubfolders;
    } cases[] = {
        {"/e/data", true, true},       {"/e/data/", true, true},  {"/e/data/sub", false, true},
        {"/e/database", false, false}, {"/e/Data", false, false}, {"/e/tmp", true, true},
        {"/e/tmp/x/y", false, true},   {"/e", false, false},
    };
    for (const auto& c : cases) {
        CopyJob job;
        job.ExcludedFolders = &excluded;
        job.ExceptSubFolder = 0;
        EXPECT_EQ(IsExcludedFolder(job, c.folder), c.withoutSubfolders) << c.folder;
        job.ExceptSubFolder = 1;
        EXPECT_EQ(IsExcludedFolder(job, c.folder), c.withSubfolders) << c.folder << " (subtree)";
    }
    CopyJob empty;
    const StringList none;
    empty.ExcludedFolders = &none;
    EXPECT_FALSE(IsExcludedFolder(empty, "/e/data"));
    // The list file reads a blank line as an entry; it excludes nothing, not the whole disk.
    const StringList blank = {""};
    empty.ExcludedFolders = &blank;
    for (const uint8_t subtree : {0, 1}) {
        empty.ExceptSubFolder = subtree;
        EXPECT_FALSE(IsExcludedFolder(empty, "/e/data")) << "subtree " << int{subtree};
        EXPECT_FALSE(IsExcludedFolder(empty, "/")) << "subtree " << int{subtree};
    }
}

TEST(ReferenceDateRule, ComparesCalendarDaysOnly) {
    const ScopedTimeZone zone("UTC");
    const struct {
        const char* name;
        DateTime reference;
        std::time_t written;
        bool older;
    } cases[] = {
        {"last second of the day before", DateTime::FromParts(2004, 5, 10), 1084147199, true},
        {"first second of the day", DateTime::FromParts(2004, 5, 10), 1084147200, false},
        {"later that day", DateTime::FromParts(2004, 5, 10, 12), 1084190000, false},
        {"month before, later day", DateTime::FromParts(2004, 5, 10), 1083283200, true},
        {"year before, later month", DateTime::FromParts(2004, 5, 10), 1072828800, true},
        {"invalid reference", DateTime::Invalid(), 0, false},
    };
    for (const auto& c : cases) {
        CopyJob job;
        job.ExceptDateFlag = 1;
        job.ExceptDate = c.reference;
        FileStatus source;
        source.lastWrite.seconds = c.written;
        EXPECT_EQ(IsOlderThanReference(job, source), c.older) << c.name;
        job.ExceptDateFlag = 0;
        EXPECT_FALSE(IsOlderThanReference(job, source)) << c.name << ", flag clear";
    }
}

// The prefilter lets every file through whose copy is missing; the per-file decision then
// applies every rule in file/directory runs and only the reference date elsewhere.
struct DecisionCase {
    const char* name;
    const char* file;     // source file name under E:/data
    int64_t sourceAhead;  // source time minus copy time
    bool copyExists;
    bool sourceReadOnly;
    bool sameSize;
    bool needsCopy;
    FileResult fileDir;          // CopyOneFile in a file/directory run
    const char* fileDirMessage;  // its second line, or null when copied
    FileResult wholeVolume;      // CopyOneFile in a removable run
};

class DecisionTest : public EngineTest, public ::testing::WithParamInterface<DecisionCase> {};

TEST_P(DecisionTest, PrefilterAndPerFileDecision) {
    const DecisionCase& c = GetParam();
    const StringList excludedExtensions = {"TMP"};
    job.ExcludedExtensions = &excludedExtensions;
    job.ExceptReadOnly = 1;
    job.ExceptHidden = 1;
    job.CheckSize = 1;
    job.ExceptDateFlag = 1;
    job.ExceptDate = DateTime::FromParts(2005, 1, 1);
    const std::string name = c.file;
    const bool old = name.rfind("old", 0) == 0;
    const int64_t written = old ? 1000000000 : kNow;
    world.Write(Path("data"), {{name, TreeFile{.content = "new content",
                                               .mtime = written,
                                               .attrs = c.sourceReadOnly ? kAttrReadOnly : 0u}}});
    world.Write(destination, {});
    if (c.copyExists) {
        world.Write(destination, {{name, TreeFile{.content = c.sameSize ? "old content" : "old",
                                                  .mtime = written - c.sourceAhead}}});
    }
    const std::string source = Path("data/" + name);
    const std::string copy = Copy(name);
    // Hidden by its name where a leading dot hides a file, by its attribute on Windows.
    if (name[0] == '.') {
        ASSERT_TRUE(SetFileAttributes(source, GetFileAttributes(source) | kAttrHidden));
    }
    MakeFileDirJob();
    EXPECT_EQ(NeedsCopy(job, source, copy), c.needsCopy);

    const Tree before = world.Read(destination);
    for (const int32_t kind : {static_cast<int32_t>(FileDir), static_cast<int32_t>(Removable)}) {
        job.Kind = kind;
        window.events.clear();
        RunContext context(clock, world.drives());
        context.SetTargets(targets);
        const FileResult expected = kind == FileDir ? c.fileDir : c.wholeVolume;
        EXPECT_EQ(CopyOneFile(job, context, source, copy, true), expected) << "kind " << kind;
        if (kind == FileDir && c.fileDirMessage) {
            EXPECT_EQ(window.events, (std::vector<std::string>{
                                         "lines " + source + " | " + c.fileDirMessage, "step"}));
            EXPECT_EQ(world.Read(destination), before) << "a skip changes nothing";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DecisionTest,
    ::testing::Values(
        DecisionCase{"missing_copy_of_excluded_extension", "a.tmp", 0, false, false, false, true,
                     FileResult::SkippedByRule, kMessageNotTarget, FileResult::Copied},
        DecisionCase{"missing_copy_of_hidden_file", ".hidden", 0, false, false, false, true,
                     FileResult::SkippedByRule, kMessageHidden, FileResult::Copied},
        DecisionCase{"missing_copy_of_read_only_file", "r.txt", 0, false, true, false, true,
                     FileResult::SkippedByRule, kMessageReadOnly, FileResult::Copied},
        DecisionCase{"missing_copy_of_old_file", "old.txt", 0, false, false, false, true,
                     FileResult::SkippedByRule, kMessageOlderThanReference,
                     FileResult::SkippedByRule},
        DecisionCase{"unchanged_copy", "a.txt", 0, true, false, false, false,
                     FileResult::SkippedNotNewer, kMessageDestinationNewer, FileResult::Copied},
        DecisionCase{"changed_same_size", "a.txt", 10, true, false, true, false,
                     FileResult::SkippedSameSize, kMessageSameSize, FileResult::Copied},
        DecisionCase{"time_before_size", "a.txt", 1, true, false, true, false,
                     FileResult::SkippedNotNewer, kMessageDestinationNewer, FileResult::Copied},
        DecisionCase{"extension_before_time", "a.tmp", 0, true, false, false, false,
                     FileResult::SkippedByRule, kMessageNotTarget, FileResult::Copied},
        DecisionCase{"size_before_read_only", "r.txt", 10, true, true, true, false,
                     FileResult::SkippedSameSize, kMessageSameSize, FileResult::Copied},
        DecisionCase{"changed_copy", "a.txt", 10, true, false, false, true, FileResult::Copied,
                     nullptr, FileResult::Copied}),
    [](const ::testing::TestParamInfo<DecisionCase>& info) { return info.param.name; });

// A copy that still carries the marker time (its data never known to be on disk) is copied
// again whatever the size and time-stamp rules would say of it. FAT reads the marker back as
// 1980-01-01 00:00 local time.
TEST_F(EngineTest, ACopyCarryingTheMarkerIsAlwaysCopiedAgain) {
    const struct {
        const char* name;
        FileTime copyTime;
        int64_t sourceTime;
    } cases[] = {
        {"marker", kMarkerTime, kNow},
        {"marker as FAT reads it", FileTime{315532800, 0}, kNow},
        {"marker, source from 1975", kMarkerTime, 157766400},
    };
    MakeFileDirJob();
    job.CheckSize = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.Write(Path("data"), {{"a.txt", TreeFile{.content = "new", .mtime = c.sourceTime}}});
        world.Write(destination, {{"a.txt", TreeFile{.content = "old"}}});
        ASSERT_TRUE(SetFileTimes(Copy("a.txt"), c.copyTime, c.copyTime));
        const std::string source = Path("data/a.txt");

        EXPECT_TRUE(NeedsCopy(job, source, Copy("a.txt")));
        RunContext context(clock, world.drives());
        context.SetTargets(targets);
        EXPECT_EQ(CopyOneFile(job, context, source, Copy("a.txt"), false), FileResult::Copied);
        EXPECT_EQ(FileBytes(Copy("a.txt")), "new");
    }
}

}  // namespace
}  // namespace tv::test
