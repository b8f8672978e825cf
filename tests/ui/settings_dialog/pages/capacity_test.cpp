// The capacity figures of the drive unit and file/directory pages: the utilisation rule and
// the measurement of the amount to save and the usable space.
#include <QTest>
#include <atomic>

#include "controller/settings_dialog/capacity_figures.h"
#include "controller/settings_dialog/capacity_measure.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/ui/settings_dialog/pages/page_world.h"

namespace tv::test {
namespace {

constexpr CapacityLook kRed = {100, kCapacityOverflowColour, true};
constexpr CapacityLook Normal(int position) { return {position, kCapacityNormalColour, false}; }

TreeFile Bytes(size_t size) { return TreeFile{std::string(size, 'x')}; }

}  // namespace

class CapacityTest : public QObject {
    Q_OBJECT

  private slots:
    void utilisationFollowsEachPagesLimit() {
        const struct {
            const char* name;
            uint64_t amount;
            uint64_t usable;
            OverflowFrom overflow;
            CapacityLook expected;
        } cases[] = {
            {"drive unit: 500 of 500 still fits", 500, 500, OverflowFrom::kAbove100, Normal(100)},
            {"drive unit: 504 of 500 is 100 %", 504, 500, OverflowFrom::kAbove100, Normal(100)},
            {"drive unit: 505 of 500 overflows", 505, 500, OverflowFrom::kAbove100, kRed},
            {"file/dir: 500 of 500 overflows", 500, 500, OverflowFrom::kAt100, kRed},
            {"file/dir: 499 of 500 fits", 499, 500, OverflowFrom::kAt100, Normal(99)},
            {"1 of 1,000,000 shows 1 %", 1, 1000000, OverflowFrom::kAbove100, Normal(1)},
            {"nothing to save shows 0 %", 0, 1000, OverflowFrom::kAt100, Normal(0)},
            {"nothing on no space shows 0 %", 0, 0, OverflowFrom::kAbove100, Normal(0)},
            {"something on no space overflows", 1, 0, OverflowFrom::kAbove100, kRed},
        };
        for (const auto& c : cases) {
            const CapacityLook look = LookOfCapacity(c.amount, c.usable, c.overflow);
            QVERIFY2(look == c.expected, c.name);
        }
    }

    void driveUnitSavesFixedDrivesAndCdUnlessLeftOut() {
        TestWorld world;
        world.AddDrive('C', kDriveFixed);
        world.AddDrive('D', kDriveCdRom);
        world.AddDrive('E', kDriveRemovable);
        world.AddDrive('F', kDriveFixed);
        const struct {
            int32_t synchronize;
            int32_t noCd;
            std::vector<char> expected;
        } cases[] = {
            {1, 0, {'C', 'D', 'F'}},
            {1, 1, {'C', 'F'}},
            {0, 0, {}},
        };
        for (const auto& c : cases) {
            SettingsRecord record;
            record.Synchronize = c.synchronize;
            record.SyncNoCDCopy = c.noCd;
            QCOMPARE(DriveUnitSources(world.drives(), record), c.expected);
        }
    }

    void fileListCountsWhatTheExclusionRulesLetThrough() {
        TestWorld world;
        const std::string base = world.MakeFolder("src");
        world.Write(base, {{"docs",
                            {{"a.txt", Bytes(1000)},
                             {"b.tmp", Bytes(2000)},
                             {"skip", {{"c.txt", Bytes(4000)}}},
                             {"deeper", {{"d.txt", Bytes(30)}}}}},
                           {"single.txt", Bytes(50)},
                           {"single.tmp", Bytes(300)}});
        SettingsRecord record;
        record.ExtList = {"TMP"};
        record.ExceptList = {JoinPath(base, "docs/skip")};
        record.FileList = {JoinPath(base, "docs"), JoinPath(base, "single.txt"),
                           JoinPath(base, "single.tmp"), JoinPath(base, "missing")};
        FakeShareMounter mounter;
        const std::atomic<bool> stop{false};
        QCOMPARE(FileListBytes(record, mounter, stop), uint64_t{1000 + 30 + 50});
        QVERIFY(mounter.mounted.empty());
    }

    void usableSpaceOfAMissingFolderIsAskedOnItsDrive() {
        TestWorld world;
        const std::string root = world.AddDrive('E', kDriveFixed, std::nullopt, "", 3u << 20);
        SettingsRecord record;
        FakeShareMounter mounter;
        QCOMPARE(UsableMegabytes(world.drives(), record, JoinPath(root, "not/yet"), mounter),
                 uint64_t{3});
        QCOMPARE(UsableMegabytes(world.drives(), record, "", mounter), uint64_t{0});
    }

    void aShareIsConnectedAroundTheMeasurementOnlyWhenItWasNot() {
        // Connecting drops an earlier connection of the share first: one unmount in every case,
        // and a second one afterwards only for the connection made here.
        const struct {
            MountResult answer;
            size_t unmounts;
        } cases[] = {
            {MountResult::kUnreachable, 1},
            {MountResult::kAlreadyMounted, 1},
            {MountResult::kMounted, 2},
        };
        for (const auto& c : cases) {
            TestWorld world;
            SettingsRecord record;
            FakeShareMounter mounter;
            mounter.answer = c.answer;
            QCOMPARE(UsableMegabytes(world.drives(), record, "//srv/share/backup", mounter),
                     uint64_t{0});
            QCOMPARE(mounter.mounted.front(), std::string("//srv/share"));
            QCOMPARE(mounter.unmounted.size(), c.unmounts);
        }
    }
};

}  // namespace tv::test

QTEST_MAIN(tv::test::CapacityTest)
#include "capacity_test.moc"
