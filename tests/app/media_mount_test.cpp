// A real medium: an ext4 image mounted through a loop device where a pinned removable drive's
// folder lies inside it, so that the drive comes and goes with the mount. The watch on the mount
// table notices it for real, the frame runs it, and a medium unmounted during its run is not
// recorded as done.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <optional>

#include "app/desktop/mountinfo_watch.h"
#include "platform/file_system.h"
#include "tests/controller/frame_world.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

constexpr int kF = 'F' - 'A';

class MediaMountTest : public ::testing::Test {
  protected:
    MediaMountTest() : application_(argc_, nullptr) {
        backupDrive_ = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
        slot_ = w.world.MakeFolder("reader");
        cardRoot_ = JoinPath(slot_, "card") + "/";
        image_ = JoinPath(w.world.base(), "card.img");
        DriveInfo reader;
        reader.letter = 'F';
        reader.type = kDriveRemovable;
        reader.root = cardRoot_;
        reader.pinned = true;
        w.world.drives().Pin(reader);
    }

    // Waits, handling the watch's events, until done says so or ten seconds have passed.
    bool ProcessEventsUntil(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return done();
    }

    void ProcessEventsFor(int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }

    std::string Decisions() const {
        return FileBytes(JoinPath(w.world.programDir(), "Decision.txt"));
    }

    int argc_ = 0;
    QCoreApplication application_;
    FrameWorld w;
    std::string backupDrive_;
    std::string slot_;
    std::string cardRoot_;
    std::string image_;
};

TEST_F(MediaMountTest, AMountedMediumIsRunAndOneUnmountedDuringItsRunIsNotRecorded) {
    {
        // A new medium with the drive's folder and a picture on it.
        ScopedMount made = ScopedMount::Ext4Image(image_, slot_);
        ASSERT_TRUE(made.mounted()) << "FAILED LOUDLY: " << MountRefusedMessage(made);
        std::filesystem::create_directories(cardRoot_ + "DCIM");
        ASSERT_TRUE(WriteFileAtomically(cardRoot_ + "DCIM/IMG_0001.JPG", "picture"));
    }
    w.StoreSettings([this](SettingsRecord& s) {
        s.Drives[kF].Work = DriveWork::AutoBackup;
        s.Drives[kF].BackupDir = JoinPath(backupDrive_, "cards");
        s.Sound = 0;
    });
    w.Start();
    w.frame().OnTimer(kTimerMediaNotify);  // the frame starts watching the mount table
    MountinfoWatch watch;
    ASSERT_TRUE(watch.Start([this] { w.mediaWatch.onChange(); }));

    std::optional<ScopedMount> inserted;
    inserted.emplace(ScopedMount::Image(image_, slot_));
    ASSERT_TRUE(inserted->mounted()) << "FAILED LOUDLY: " << MountRefusedMessage(*inserted);
    ASSERT_TRUE(ProcessEventsUntil([this] { return w.copyRunner.jobs.size() == 1; }));
    EXPECT_EQ(w.copyRunner.sources[0], cardRoot_);
    const std::optional<std::string> serial = w.media.SerialNumber('F');
    ASSERT_TRUE(serial.has_value()) << "the medium has no serial number of its own";
    EXPECT_EQ(Decisions().rfind(*serial + ",BACKUP,", 0), 0u) << Decisions();

    // Taken out: the watch notes that the drive is empty, so the next insertion is new again.
    ASSERT_TRUE(inserted->Unmount());
    inserted.reset();
    ProcessEventsFor(500);
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);

    const std::string firstLine = Decisions();
    w.copyRunner.insideWindow = [&inserted] { inserted->Unmount(); };
    inserted.emplace(ScopedMount::Image(image_, slot_));
    ASSERT_TRUE(ProcessEventsUntil([this] { return w.copyRunner.jobs.size() == 2; }));
    EXPECT_EQ(w.copyRunner.logFields[1].work, "ミラーリング");
    EXPECT_EQ(Decisions(), firstLine);  // the cut-off run left no line
}

}  // namespace
}  // namespace tv::test
