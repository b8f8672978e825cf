#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/durability/pending_copies.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/without_access_override.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content, int64_t mtime = kNow) {
    return TreeFile{.content = content, .mtime = mtime};
}

class FullBackupTest : public EngineTest {
  protected:
    std::string Source(const std::string& name) const { return JoinPath(job.Source, name); }
    std::string CopyOf(const std::string& name) const { return JoinPath(job.Destination, name); }

    // The result word of every file's log line, by file name.
    std::map<std::string, std::string> FileResults() const {
        std::map<std::string, std::string> results;
        std::istringstream lines(DayFile());
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> fields;
            std::istringstream split(line);
            for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
            if (fields.size() == 12 && fields[6] == "ファイル作成") {
                results[fields[7]] = fields[11].substr(0, fields[11].find('\r'));
            }
        }
        return results;
    }

    bool WasShown(const std::string& first, const std::string& second) const {
        const std::string event = "lines " + first + " | " + second;
        return std::find(window.events.begin(), window.events.end(), event) != window.events.end();
    }
};

// A whole-volume run passes copies of the same size over (the drive unit's defaults), a
// file/directory run copies whose time is not older.
struct KindCase {
    const char* name;
    bool fileDir;
};

class FullBackupKindTest : public FullBackupTest, public ::testing::WithParamInterface<KindCase> {
  protected:
    FullBackupKindTest() {
        if (GetParam().fileDir) {
            MakeFileDirJob();
        } else {
            job.ForceOverWrite = 1;
            job.CheckSize = 1;
        }
    }
};

TEST_P(FullBackupKindTest, ACopyDamagedBehindItsTimeAndSizeIsFoundOnlyByAFullBackup) {
    const Tree source = {{"damaged.bin", Text("original bytes")}, {"equal.txt", Text("equal")}};
    const Tree damaged = {{"damaged.bin", Text("0riginal bytes")}, {"equal.txt", Text("equal")}};
    world.Write(job.Source, source);
    world.Write(job.Destination, damaged);

    Run();

    EXPECT_EQ(world.Read(job.Destination), damaged) << "a normal run trusts times and sizes";
    EXPECT_EQ(FileResults(), (std::map<std::string, std::string>{}));

    job.FullBackup = 1;
    Run();

    EXPECT_EQ(world.Read(job.Destination), source);
    EXPECT_EQ(FileResults(), (std::map<std::string, std::string>{{"damaged.bin", "ＯＫ"},
                                                                 {"equal.txt", "スキップ"}}));
    EXPECT_TRUE(WasShown(Source("equal.txt"), kMessageSameContent));
    EXPECT_TRUE(WasShown(Source("damaged.bin"), CopyOf("damaged.bin")));
    EXPECT_EQ(outcome.HadError, 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FullBackupKindTest,
                         ::testing::Values(KindCase{"WholeVolume", false},
                                           KindCase{"FileDir", true}),
                         [](const ::testing::TestParamInfo<KindCase>& info) {
                             return info.param.name;
                         });

TEST_F(FullBackupTest, FilesExcludedByOtherRulesAreNeitherReadNorCopied) {
    MakeFileDirJob();
    const StringList excluded = {"TMP"};
    job.ExcludedExtensions = &excluded;
    job.ExceptHidden = 1;
    job.ExceptDateFlag = 1;
    job.ExceptDate = DateTime::FromParts(2005, 1, 1);
    const int64_t before = kNow - 365 * 86400;
    world.Write(job.Source, {{"a.tmp", Text("source")},
                             {".hidden", Text("source")},
                             {"old.txt", Text("source", before)}});
    const Tree damaged = {{"a.tmp", Text("damage")},
                          {".hidden", Text("damage")},
                          {"old.txt", Text("damage", before)}};
    world.Write(job.Destination, damaged);
    job.FullBackup = 1;

    Run();

    EXPECT_EQ(world.Read(job.Destination), damaged);
    EXPECT_EQ(FileResults(), (std::map<std::string, std::string>{}));
}

TEST_F(FullBackupTest, ACopyCarryingTheMarkerIsCopiedAgainWithoutAComparison) {
    world.Write(job.Source, {{"a.txt", Text("same bytes")}});
    world.Write(job.Destination, {{"a.txt", Text("same bytes")}});
    ASSERT_TRUE(SetFileTimes(CopyOf("a.txt"), kMarkerTime, kMarkerTime));
    job.CheckSize = 1;
    job.FullBackup = 1;

    Run();

    EXPECT_EQ(FileResults(), (std::map<std::string, std::string>{{"a.txt", "ＯＫ"}}));
    EXPECT_EQ(world.Read(job.Destination), (Tree{{"a.txt", Text("same bytes")}}));
}

TEST_F(FullBackupTest, AStopDuringALongComparisonEndsItAtOnce) {
    const std::string big(4 << 20, 'x');
    world.Write(job.Source, {{"big.bin", Text(big)}});
    world.Write(job.Destination, {{"big.bin", Text(big)}});
    job.CheckSize = 1;
    job.FullBackup = 1;
    job.IdleCheck = 1;
    // The idle wait comes before the file and before every stretch that is read.
    int waitsWhileCopying = 0;
    idle.answer = [&] {
        if (stopper->phase() == Phase::Copying && ++waitsWhileCopying == 4) stopper->RequestStop();
        return true;
    };

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Cancelled));

    EXPECT_EQ(waitsWhileCopying, 4) << "nothing more was read after the stop";
    EXPECT_EQ(FileResults(), (std::map<std::string, std::string>{{"big.bin", "中止"}}));
    EXPECT_EQ(world.Read(job.Destination), (Tree{{"big.bin", Text(big)}}));
}

struct UnreadableCase {
    const char* name;
    std::function<void()> arrange;
};

// The copy is equal to its source in every case, so a comparison that read past the failure,
// or followed the link, would wrongly log it as skipped.
TEST_F(FullBackupTest, AFileOrCopyThatCannotBeReadIsAnOpenError) {
    const UnreadableCase cases[] = {
        {"an unreadable copy", [this] { ASSERT_EQ(chmod(CopyOf("a.txt").c_str(), 0), 0); }},
        {"an unreadable source", [this] { ASSERT_EQ(chmod(Source("a.txt").c_str(), 0), 0); }},
        {"a link in the copy's place",
         [this] {
             const std::string elsewhere = JoinPath(world.root('D'), "elsewhere.txt");
             world.Write(world.root('D'), {{"elsewhere.txt", Text("same bytes")}});
             ASSERT_EQ(unlink(CopyOf("a.txt").c_str()), 0);
             ASSERT_EQ(symlink(elsewhere.c_str(), CopyOf("a.txt").c_str()), 0);
         }},
    };
    MakeFileDirJob();
    job.FullBackup = 1;
    for (const UnreadableCase& c : cases) {
        SCOPED_TRACE(c.name);
        job.Source = Path(c.name);
        job.Destination = JoinPath(destination, c.name);
        world.Write(job.Source, {{"a.txt", Text("same bytes")}});
        world.Write(job.Destination, {{"a.txt", Text("same bytes")}});
        c.arrange();
        outcome.HadError = 0;
        {
            const WithoutAccessOverride likeAUser;
            EXPECT_EQ(Run(), static_cast<int>(FileResult::OpenError));
        }
        EXPECT_EQ(outcome.HadError, 1);
        EXPECT_EQ(openErrors, 1);
        EXPECT_FALSE(WasShown(Source("a.txt"), kMessageSameContent));
        chmod(Source("a.txt").c_str(), 0644);
        chmod(CopyOf("a.txt").c_str(), 0644);
    }
    EXPECT_EQ(FileBytes(JoinPath(world.root('D'), "elsewhere.txt")), "same bytes");
}

}  // namespace
}  // namespace tv::test
