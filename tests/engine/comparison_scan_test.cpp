#include "engine/scan/comparison_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// Collects the reports; waits until the scan has ended.
class CollectedReports : public ScanReports {
  public:
    void FileWouldBeCopied(const std::string& path, uint64_t size) override {
        std::lock_guard<std::mutex> lock(mutex_);
        files.push_back(AfterLastSeparator(path) + ":" + std::to_string(size));
        if (onFile) onFile();
    }
    void SourceEnded() override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++ends;
        ended_.notify_all();
    }
    std::vector<std::string> WaitForEnd() {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait(lock, [this] { return ends > 0; });
        std::sort(files.begin(), files.end());
        return files;
    }
    std::vector<std::string> files;
    int ends = 0;
    std::function<void()> onFile;

  private:
    std::mutex mutex_;
    std::condition_variable ended_;
};

constexpr int64_t kOld = 1120000000;
constexpr int64_t kNew = kOld + 3600;

class ComparisonScanTest : public ::testing::Test {
  protected:
    ComparisonScanTest() {
        source = world.AddDrive('E', kDriveFixed, 0xC3F2u);
        destinationRoot = JoinPath(world.AddDrive('D', kDriveFixed, 0x1234u), "bk");
        rules.job.Kind = FileDir;
    }

    std::vector<std::string> Scan(const std::string& from) {
        const std::string to = ScanDestination(from, destinationRoot, world.drives());
        EXPECT_TRUE(scan.Start(from, to, rules, reports));
        return reports.WaitForEnd();
    }

    TestWorld world;
    std::string source;
    std::string destinationRoot;
    ScanRules rules;
    CollectedReports reports;
    ComparisonScan scan;
};

TEST_F(ComparisonScanTest, DestinationIsTheSerialFolderForADriveRootElseTheLastFolderName) {
    const std::string folder = JoinPath(source, "work/data");
    EXPECT_EQ(ScanDestination(source, destinationRoot, world.drives()),
              JoinPath(destinationRoot, "c3f2"));
    EXPECT_EQ(ScanDestination(folder + "/", destinationRoot + "/", world.drives()),
              JoinPath(destinationRoot, "data"));
}

// Copies stored under mapped names are the copies of the source's names.
TEST_F(ComparisonScanTest, CopiesUnderMappedNamesAreFoundOnExfat) {
    ScopedMount medium = ScopedMount::FuseImage(FuseKind::Exfat, JoinPath(world.base(), "d.img"),
                                                BeforeLastSeparator(destinationRoot));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    world.Write(source, {{"a:b.txt", TreeFile{"a", kOld}},
                         {"q?", {{"c.txt", TreeFile{"c", kOld}}}},
                         {"new?.txt", TreeFile{"n", kOld}}});
    world.Write(JoinPath(destinationRoot, "c3f2"),
                {{"a\xEF\x80\xBA"
                  "b.txt",
                  TreeFile{"a", kOld}},
                 {"q\xEF\x80\xBF", {{"c.txt", TreeFile{"c", kOld}}}}});

    EXPECT_EQ(Scan(source), std::vector<std::string>{"new?.txt:1"});
}

TEST_F(ComparisonScanTest, SizeIsComparedOnlyWhenTheUnitsSizeSettingIsClear) {
    world.Write(source, {{"same-size.txt", TreeFile{"new!", kNew}}});
    world.Write(JoinPath(destinationRoot, "c3f2"), {{"same-size.txt", TreeFile{"old.", kOld}}});
    rules.job.Kind = DriveUnit;
    for (const uint8_t checkSize : {0, 1}) {
        rules.job.CheckSize = checkSize;
        reports.files.clear();
        reports.ends = 0;
        const std::vector<std::string> expected =
            checkSize ? std::vector<std::string>{"same-size.txt:4"} : std::vector<std::string>{};
        EXPECT_EQ(Scan(source), expected) << int(checkSize);
    }
}

TEST_F(ComparisonScanTest, TargetExtensionsTakeOnlyTheirFilesButNewFilesAlways) {
    const std::string data = JoinPath(source, "data");
    world.Write(data, {{"changed.jpg", TreeFile{"new jpg", kNew}},
                       {"changed.txt", TreeFile{"new txt", kNew}},
                       {"same.jpg", TreeFile{"same", kOld}},
                       {"fresh.txt", TreeFile{"fresh", kNew}},
                       {"sub", {{"deep.JPG", TreeFile{"deep new", kNew}}}}});
    world.Write(JoinPath(destinationRoot, "data"), {{"changed.jpg", TreeFile{"old", kOld}},
                                                    {"changed.txt", TreeFile{"old", kOld}},
                                                    {"same.jpg", TreeFile{"same", kOld}},
                                                    {"sub", {{"deep.JPG", TreeFile{"o", kOld}}}}});
    const StringList jpg = {"JPG"};
    rules.job.TargetExtensions = &jpg;
    EXPECT_EQ(Scan(data), (std::vector<std::string>{"changed.jpg:7", "deep.JPG:8", "fresh.txt:5"}));
}

TEST_F(ComparisonScanTest, FilesDirectlyInAnExcludedFolderAreNeverReported) {
    const std::string data = JoinPath(source, "data");
    world.Write(data, {{"top.txt", TreeFile{"t"}}, {"sub", {{"inner.txt", TreeFile{"i"}}}}});
    const StringList excluded = {data};
    rules.job.ExcludedFolders = &excluded;
    EXPECT_EQ(Scan(data), (std::vector<std::string>{"inner.txt:1"}));
}

TEST_F(ComparisonScanTest, StopEndsTheScanAtTheNextEntryAndTheEndIsStillReported) {
    Tree many;
    for (int i = 0; i < 200; ++i) many["f" + std::to_string(i)] = TreeNode(TreeFile{"x"});
    world.Write(JoinPath(source, "many"), many);
    std::mutex mutex;
    std::condition_variable firstSeen;
    bool seen = false;
    reports.onFile = [&] {
        {
            std::lock_guard<std::mutex> lock(mutex);
            seen = true;
        }
        firstSeen.notify_all();
        while (!scan.StopRequested()) std::this_thread::yield();
    };
    const std::string from = JoinPath(source, "many");
    ASSERT_TRUE(
        scan.Start(from, ScanDestination(from, destinationRoot, world.drives()), rules, reports));
    {
        std::unique_lock<std::mutex> lock(mutex);
        firstSeen.wait(lock, [&] { return seen; });
    }
    EXPECT_FALSE(scan.Start(from, destinationRoot, rules, reports)) << "one scan at a time";
    scan.Stop();
    EXPECT_FALSE(scan.IsRunning());
    EXPECT_EQ(reports.files.size(), 1u);
    EXPECT_EQ(reports.ends, 1);
    // The next source may start once the end has been reported.
    reports.onFile = nullptr;
    reports.files.clear();
    reports.ends = 0;
    EXPECT_EQ(Scan(from).size(), 200u);
}

// A drive-unit destination on a drive the unit mirrors: the backup folder holds copies, so its
// files are not listed as new; a destination that is the source or holds it gets nothing.
TEST_F(ComparisonScanTest, TheDestinationIsNotScannedAsPartOfItsSource) {
    world.Write(source, {{"doc.txt", TreeFile{"doc", kNew}}});
    destinationRoot = JoinPath(source, "bk");
    world.Write(JoinPath(destinationRoot, "c3f2"), {{"doc.txt", TreeFile{"old copy", kOld}}});
    EXPECT_EQ(Scan(source), (std::vector<std::string>{"doc.txt:3"}));
    const std::string inner = JoinPath(source, "bk");
    for (const std::string& destination : {inner, source}) {
        reports.files.clear();
        reports.ends = 0;
        ASSERT_TRUE(scan.Start(inner, destination, rules, reports));
        EXPECT_EQ(reports.WaitForEnd(), std::vector<std::string>{}) << destination;
    }
}

}  // namespace
}  // namespace tv::test
