// Removable media on a frame with a pinned removable drive F: whose folder comes and goes as a
// medium is inserted and taken out. The real CardProbe library keeps serial numbers and card
// names on the medium; the copy runner, the voice and the user are fakes that record.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cardprobe/cardprobe.h"
#include "platform/file_system.h"
#include "tests/controller/frame_world.h"
#include "tests/support/controller/headless_copy_runner.h"
#include "tests/support/file_bytes.h"

namespace tv::test {
namespace {

constexpr int kF = 'F' - 'A';
constexpr uint32_t kCardSerial = 0x5555EEEE;

// The library's serial numbers and card names, on media that refuse to be written.
class WriteProtectedMedia : public MediaIdentity {
  public:
    explicit WriteProtectedMedia(MediaIdentity& media) : media_(media) {}
    std::optional<std::string> SerialNumber(char letter) override {
        return media_.SerialNumber(letter);
    }
    std::string MakeSerialNumber() override { return media_.MakeSerialNumber(); }
    bool WriteSerialNumber(char, const std::string&) override { return false; }
    std::optional<std::string> CardName(char letter) override { return media_.CardName(letter); }
    bool WriteCardName(char, const std::string&) override { return false; }
    std::string ProductText(char letter) override { return media_.ProductText(letter); }

  private:
    MediaIdentity& media_;
};

// A frame whose F: is a card reader.
class CardWorld {
  public:
    CardWorld() {
        w.world.AddDrive('C', kDriveFixed, 0x1111AAAA);
        backupDrive = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
    }

    // F: is pinned as a removable drive with no medium in it when the program starts.
    void StartWithCardDrive(std::optional<uint32_t> serial, const std::string& label,
                            const std::function<void(SettingsRecord&)>& change = {}) {
        cardRoot = w.world.AddDrive('F', kDriveRemovable, serial, label);
        w.StoreSettings([&](SettingsRecord& s) {
            s.Drives[kF].Work = DriveWork::AutoBackup;
            s.Drives[kF].BackupDir = JoinPath(backupDrive, "cards");
            s.Sound = 1;
            if (change) change(s);
        });
        TakeOut();
        w.Start();
    }

    // The medium keeps what is on it while it is out of the drive: the first insertion brings a
    // new one with a picture on it, every later one brings it back.
    void Insert() {
        if (std::filesystem::exists(Pocket())) {
            std::filesystem::rename(Pocket(), cardRoot);
            return;
        }
        std::filesystem::create_directories(cardRoot + "DCIM");
        WriteFileAtomically(cardRoot + "DCIM/IMG_0001.JPG", "picture");
    }
    void TakeOut() {
        if (std::filesystem::exists(cardRoot)) std::filesystem::rename(cardRoot, Pocket());
    }
    std::string Pocket() const { return JoinPath(w.world.base(), "pocket"); }
    void Poll() { w.frame().OnTimer(kTimerMediaPoll); }
    void InsertAndPoll() {
        Insert();
        Poll();
    }

    std::string Decisions() const {
        return FileBytes(JoinPath(w.world.programDir(), "Decision.txt"));
    }
    std::vector<std::string> Lines(const std::string& text) const {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }
    std::string Voice(const std::string& file) const {
        return JoinPath(JoinPath(w.world.programDir(), "voice"), file) + " (waited)";
    }
    std::string Label() {
        std::string label;
        w.world.drives().VolumeInformation(cardRoot, nullptr, &label);
        return label;
    }

    FrameWorld w;
    std::string backupDrive;
    std::string cardRoot;
};

class RemovableMediaTest : public ::testing::Test, public CardWorld {};

TEST(RemovableMedia, AnInsertedMediumRunsWhenItsDriveOrEveryMediumIsSetToRun) {
    struct Case {
        DriveWork work;
        int everyMedium;
        bool runs;
    };
    const Case cases[] = {{DriveWork::NoBackup, 0, false},
                          {DriveWork::NoBackup, 1, true},
                          {DriveWork::AutoBackup, 0, true},
                          {DriveWork::ManualBackup, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "work " << static_cast<int>(c.work) << ", every medium " << c.everyMedium);
        CardWorld card;
        card.StartWithCardDrive(kCardSerial, "", [&c](SettingsRecord& s) {
            s.Drives[kF].Work = c.work;
            s.PCcardAuto = c.everyMedium;
            s.Sound = 0;
        });
        card.InsertAndPoll();
        EXPECT_EQ(card.w.copyRunner.sources.size(), c.runs ? 1u : 0u);
    }
}

TEST_F(RemovableMediaTest, TheFirstInsertionIsABackupAndTheNextAMirroring) {
    StartWithCardDrive(kCardSerial, "");
    w.prompts.ExpectMediaType(kMediaCompactFlash);  // asked once: the card name stays on it
    InsertAndPoll();
    TakeOut();
    Poll();
    InsertAndPoll();

    ASSERT_EQ(w.copyRunner.jobs.size(), 2u);
    EXPECT_EQ(w.copyRunner.sources[0], cardRoot);
    EXPECT_EQ(w.copyRunner.jobs[0].Destination, JoinPath(backupDrive, "cards/5555eeee"));
    EXPECT_EQ(w.copyRunner.titles[0], "自動ミラーリング 進捗状況 Files:");
    EXPECT_EQ(w.copyRunner.logFields[0].unit, "RemovableMedia");
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "自動");
    EXPECT_EQ(w.copyRunner.logFields[0].work, "バックアップ");
    EXPECT_EQ(w.copyRunner.logFields[1].work, "ミラーリング");
    EXPECT_EQ(w.voice.played, (std::vector<std::string>{
                                  Voice("02_compact.mp3"), Voice("20_start_backup.mp3"),
                                  Voice("16_backup_oky.mp3"), Voice("02_compact.mp3"),
                                  Voice("21_start_mirroring.mp3"), Voice("18_mirroring_oky.mp3")}));
    const std::vector<std::string> lines = Lines(Decisions());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(std::to_string(kCardSerial) + ",BACKUP,", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(std::to_string(kCardSerial) + ",MIRROR,", 0), 0u) << lines[1];
    EXPECT_NE(lines[0].find(",5555eeee,"), std::string::npos) << lines[0];
}

TEST_F(RemovableMediaTest, AVolumeWithoutSerialIsKnownByTheSerialNumberStoredOnIt) {
    StartWithCardDrive(std::nullopt, "", [](SettingsRecord& s) { s.Sound = 0; });
    InsertAndPoll();
    const std::optional<std::string> serial = w.media.SerialNumber('F');
    ASSERT_TRUE(serial.has_value());
    EXPECT_EQ(serial->size(), 16u);
    TakeOut();
    Poll();
    InsertAndPoll();

    ASSERT_EQ(w.copyRunner.jobs.size(), 2u);
    EXPECT_EQ(w.copyRunner.jobs[0].Destination, JoinPath(backupDrive, "cards/" + *serial));
    EXPECT_EQ(w.copyRunner.logFields[1].work, "ミラーリング");
    const std::vector<std::string> lines = Lines(Decisions());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(*serial + ",BACKUP,", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(*serial + ",MIRROR,", 0), 0u) << lines[1];
}

bool IsSixteenDigits(const std::string& text) {
    return text.size() == 16 && text.find_first_not_of("0123456789") == std::string::npos;
}

// A card in F: without a volume serial, backed up for real into the documents folder's "RMF"
// as the program sets it up, so that whatever the run writes shows in the home folder.
class CopyingCardWorld : public CardWorld {
  public:
    CopyingCardWorld() {
        backupDir = JoinPath(w.world.locations().documentsDir, "RMF");
        w.copyRunner.finish = [this](const CopyJob& job, CopyOutcome& outcome) {
            outcome = engine.RunCopyJob(job, "").outcome;
        };
    }

    void StartWithoutVolumeSerial() {
        StartWithCardDrive(std::nullopt, "", [this](SettingsRecord& s) {
            s.Sound = 0;
            s.Drives[kF].BackupDir = backupDir;
        });
    }
    // The home folder but the config folder, which the program rewrites as it runs.
    Tree HomeBesideConfig() const {
        Tree home = w.world.Read(w.world.home());
        home.erase(".config");
        return home;
    }
    // The medium's folder below backupDir that the first run was given.
    std::string FolderOfFirstRun() const {
        return w.copyRunner.jobs.empty() ? ""
                                         : AfterLastSeparator(w.copyRunner.jobs[0].Destination);
    }

    std::string backupDir;
    HeadlessCopyRunner engine{w.clock, w.world.drives(), w.world.locations(), w.prompts, nullptr};
};

TEST(RemovableMedia, ASerialNumberFileCountsOnlyWhenItHoldsSixteenDigits) {
    struct Case {
        std::string bytes;
        bool readOnly;  // the file cannot be replaced by a new serial number
        bool isTheIdentifier;
    };
    const Case cases[] = {
        {"../.././././././", false, false}, {"../.././././././", true, false},
        {"1234567890abcdef", false, false}, {"123456789012345", false, false},
        {"1234567890123456", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes + (c.readOnly ? " (read-only)" : ""));
        CopyingCardWorld card;
        card.StartWithoutVolumeSerial();
        card.Insert();
        const std::string serialFile = card.cardRoot + "_serial_.tq";
        card.w.world.Write(card.cardRoot, {{"DCIM", {{"IMG_0001.JPG", TreeFile{.content = "x"}}}}});
        PutFileBytes(serialFile, c.bytes);
        if (c.readOnly) SetFileAttributes(serialFile, kAttrReadOnly);
        Tree expectedHome = card.HomeBesideConfig();
        card.Poll();

        const std::string folder = card.FolderOfFirstRun();
        if (c.isTheIdentifier) {
            EXPECT_EQ(folder, c.bytes);
        } else {
            EXPECT_TRUE(IsSixteenDigits(folder)) << folder;
            EXPECT_NE(folder, c.bytes);
        }
        // A new serial number is kept where the medium takes it; a read-only file stays.
        EXPECT_EQ(FileBytes(serialFile), c.readOnly ? c.bytes : folder);
        expectedHome["Documents"].children["RMF"] =
            Tree{{folder, card.w.world.Read(card.cardRoot)}};
        EXPECT_EQ(card.HomeBesideConfig(), expectedHome);
        EXPECT_EQ(card.Decisions().rfind(folder + ",BACKUP,", 0), 0u) << card.Decisions();
    }
}

// What another build of the library might answer: serial numbers of any text.
class AnsweringMedia : public MediaIdentity {
  public:
    AnsweringMedia(std::optional<std::string> stored, std::string made)
        : stored_(std::move(stored)), made_(std::move(made)) {}
    std::optional<std::string> SerialNumber(char) override { return stored_; }
    std::string MakeSerialNumber() override { return made_; }
    bool WriteSerialNumber(char, const std::string&) override { return true; }
    std::optional<std::string> CardName(char) override { return std::nullopt; }
    bool WriteCardName(char, const std::string&) override { return false; }
    std::string ProductText(char) override { return ""; }

  private:
    std::optional<std::string> stored_;
    std::string made_;
};

TEST(RemovableMedia, TheProgramNamesAFolderOnlyAfterSixteenDigitsWhateverTheLibrarySays) {
    struct Case {
        std::optional<std::string> stored;
        std::string made;
        std::string folder;  // "" : the medium is not run
    };
    const Case cases[] = {
        {"1050401307090042", "9999999999999999", "1050401307090042"},
        {"../.././././././", "1050401307090042", "1050401307090042"},
        {"..", "1050401307090042", "1050401307090042"},
        {"", "1050401307090042", "1050401307090042"},
        {std::nullopt, "../.././././././", ""},
        {std::nullopt, "", ""},
        {"105040130709004/", "1050401307090042/", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(none)") + " / " + c.made);
        CopyingCardWorld card;
        AnsweringMedia answers(c.stored, c.made);
        card.w.mediaIdentity = &answers;
        card.StartWithoutVolumeSerial();
        if (c.folder.empty()) {
            card.w.prompts.Expect("メディアが入っていないかプロテクトがかかっています。", "確認",
                                  kMbOk | kMbIconExclamation, kIdOk);
        }
        const Tree homeBefore = card.HomeBesideConfig();
        card.InsertAndPoll();

        EXPECT_EQ(card.FolderOfFirstRun(), c.folder);
        if (c.folder.empty()) {
            EXPECT_EQ(card.HomeBesideConfig(), homeBefore);
        }
    }
}

TEST(RemovableMedia, AMediumWithoutAnElevenDigitLabelGetsANewSerialLabel) {
    struct Case {
        const char* label;
        bool kept;
    };
    for (const Case& c :
         {Case{"ABCDEFGHIJK", false}, Case{"12345678901", true}, Case{"1234", false}}) {
        SCOPED_TRACE(c.label);
        CardWorld card;
        card.StartWithCardDrive(kCardSerial, c.label);
        card.w.prompts.ExpectMediaType(kMediaSmartMedia);
        card.InsertAndPoll();

        const std::string label = card.Label();
        EXPECT_EQ(label.size(), 11u);
        EXPECT_EQ(label.find_first_not_of("0123456789"), std::string::npos) << label;
        EXPECT_EQ(label == c.label, c.kept) << label;
        ASSERT_EQ(card.w.prompts.mediaTypeQuestions().size(), 1u);
        EXPECT_EQ(card.w.prompts.mediaTypeQuestions()[0].serialLabel, label);
        EXPECT_EQ(card.w.prompts.mediaTypeQuestions()[0].letter, 'F');
        EXPECT_EQ(card.w.media.CardName('F'), std::optional<std::string>("00000002"));
    }
}

TEST_F(RemovableMediaTest, ACancelledMediaTypeAnnouncesANewMediumAndAsksAgainNextTime) {
    StartWithCardDrive(kCardSerial, "");
    w.prompts.ExpectMediaType(std::nullopt);
    w.prompts.ExpectMediaType(std::nullopt);
    InsertAndPoll();
    EXPECT_FALSE(w.media.CardName('F').has_value());
    TakeOut();
    Poll();
    InsertAndPoll();
    ASSERT_GE(w.voice.played.size(), 1u);
    EXPECT_EQ(w.voice.played[0], Voice("15_new_removable.mp3"));
    EXPECT_EQ(w.prompts.mediaTypeQuestions().size(), 2u);
}

TEST_F(RemovableMediaTest, WithoutSoundNothingIsIdentified) {
    StartWithCardDrive(kCardSerial, "MYCARD", [](SettingsRecord& s) { s.Sound = 0; });
    InsertAndPoll();
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
    EXPECT_EQ(Label(), "MYCARD");
    EXPECT_FALSE(w.media.CardName('F').has_value());
    EXPECT_TRUE(w.voice.played.empty());
}

// The notice of a failed medium run goes by the drive's name, as the tray menu shows it.
TEST_F(RemovableMediaTest, AMediumRunThatFailedIsToldByItsDrivesName) {
    StartWithCardDrive(kCardSerial, "", [](SettingsRecord& s) { s.Sound = 0; });
    w.copyRunner.finish = [](const CopyJob&, CopyOutcome& outcome) {
        outcome.Logged.errors = 3;
        outcome.HadError = 1;
    };
    InsertAndPoll();

    const std::string name = w.frame().settings().Drives[kF].Name;
    EXPECT_NE(name.find("(F:)"), std::string::npos) << name;
    EXPECT_EQ(w.notifier.notifications,
              std::vector<std::string>{"バックアップに失敗しました|「" + name +
                                       "」で 3 個のファイルをコピーできませんでした。"});
}

TEST_F(RemovableMediaTest, AMediumInsertedDuringAnotherRunIsNotRunAfterItButWhenInsertedAgain) {
    StartWithCardDrive(kCardSerial, "", [](SettingsRecord& s) { s.Sound = 0; });
    w.frame().state().mode.BeginRun();  // another run holds the frame
    InsertAndPoll();
    w.frame().state().mode.EndRun();
    Poll();
    EXPECT_TRUE(w.copyRunner.jobs.empty());
    TakeOut();
    Poll();
    InsertAndPoll();
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
}

// A second card drive G:, set like F: to run every medium inserted, and the desktop's notices of
// media as Qt delivers them: a handler that is still running is not entered again (the timer's
// next expiry and the watch's raised condition come once it has returned).
class SecondCardWorld : public CardWorld {
  public:
    enum class Notice { Poll, MountChange };

    void Start(const std::function<void(SettingsRecord&)>& change) {
        secondRoot = w.world.AddDrive('G', kDriveRemovable, 0x6666BBBB);
        std::filesystem::rename(secondRoot, SecondPocket());
        StartWithCardDrive(kCardSerial, "", [&](SettingsRecord& s) {
            s.Sound = 0;
            s.Drives[kG].Work = DriveWork::AutoBackup;
            s.Drives[kG].BackupDir = JoinPath(backupDrive, "cards");
            change(s);
        });
        w.frame().OnTimer(kTimerMediaNotify);
    }
    void InsertSecond() {
        if (!std::filesystem::exists(secondRoot))
            std::filesystem::rename(SecondPocket(), secondRoot);
    }
    void TakeOutSecond() { std::filesystem::rename(secondRoot, SecondPocket()); }
    std::string SecondPocket() const { return JoinPath(w.world.base(), "pocket2"); }

    void Deliver(Notice notice) {
        if (busy_ && *busy_ == notice) return;
        const std::optional<Notice> outer = busy_;
        busy_ = notice;
        if (notice == Notice::Poll) {
            Poll();
        } else {
            w.mediaWatch.onChange();
        }
        busy_ = outer;
    }
    size_t RunsOfSecond() const {
        return std::count(w.copyRunner.sources.begin(), w.copyRunner.sources.end(), secondRoot);
    }

    static constexpr int kG = 'G' - 'A';
    std::string secondRoot;

  private:
    std::optional<Notice> busy_;
};

TEST(RemovableMedia, AMediumInsertedDuringARunIsNotRunAfterItWhateverStartedTheRun) {
    using Notice = SecondCardWorld::Notice;
    struct Start {
        const char* name;
        DriveWork cardWork;  // F:'s role
        std::function<void(SecondCardWorld&)> run;
    };
    const Start starts[] = {
        {"media poll", DriveWork::AutoBackup,
         [](SecondCardWorld& card) {
             card.Insert();
             card.Deliver(Notice::Poll);
         }},
        {"mount table watch", DriveWork::AutoBackup,
         [](SecondCardWorld& card) {
             card.Insert();
             card.Deliver(Notice::MountChange);
         }},
        // The card was seen when it came; the user then asks for its run.
        {"tray menu", DriveWork::ManualBackup,
         [](SecondCardWorld& card) {
             card.Insert();
             card.Deliver(Notice::Poll);
             card.w.prompts.Expect("リムーバブル ディスク (F:)をバックアップします。", "確認",
                                   kMbOkCancel | kMbIconQuestion, kIdOk);
             card.w.frame().OnCommand(kCommandMirrorFirst + kF);
         }},
        {"settings dialog's start button", DriveWork::AutoBackup,
         [](SecondCardWorld& card) {
             card.w.dialog.endCode = kSettingsRunDriveUnit;
             card.w.frame().OnTrayEvent(TrayEvent::LeftDoubleClick);
         }},
    };
    for (const Start& start : starts) {
        for (const Notice noticedBy : {Notice::Poll, Notice::MountChange}) {
            SCOPED_TRACE(testing::Message() << start.name << ", the second medium noticed by the "
                                            << (noticedBy == Notice::Poll ? "poll" : "watch"));
            SecondCardWorld card;
            card.Start([&](SettingsRecord& s) {
                s.Drives[kF].Work = start.cardWork;
                s.PCcardAuto = 0;
                s.SynchroDirectory = JoinPath(card.backupDrive, "sync");
            });
            card.w.copyRunner.insideWindow = [&card, noticedBy] {
                card.InsertSecond();
                card.Deliver(noticedBy);
            };
            start.run(card);
            card.w.copyRunner.insideWindow = nullptr;
            ASSERT_EQ(card.w.copyRunner.sources.size(), 1u);
            card.Deliver(Notice::Poll);
            card.Deliver(Notice::MountChange);
            EXPECT_EQ(card.RunsOfSecond(), 0u);

            // Taken out and inserted again, the medium runs.
            card.TakeOutSecond();
            card.Deliver(noticedBy);
            card.InsertSecond();
            card.Deliver(noticedBy);
            EXPECT_EQ(card.RunsOfSecond(), 1u);
        }
    }
}

TEST_F(RemovableMediaTest, AWriteProtectedMediumWithoutSerialRunsAutomaticallyButNotByHand) {
    WriteProtectedMedia protectedMedia(w.media);
    w.mediaIdentity = &protectedMedia;
    StartWithCardDrive(std::nullopt, "", [](SettingsRecord& s) { s.Sound = 0; });
    InsertAndPoll();
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);

    w.prompts.Expect("メディアが入っていないかプロテクトがかかっています。", "確認",
                     kMbOk | kMbIconExclamation, kIdOk);
    w.frame().OnCommand(kCommandMirrorFirst + kF);
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
}

TEST_F(RemovableMediaTest, AMediumPulledOutDuringItsRunIsNotRecordedAsDone) {
    StartWithCardDrive(kCardSerial, "", [](SettingsRecord& s) { s.Sound = 0; });
    w.copyRunner.insideWindow = [this] {
        TakeOut();
        std::filesystem::create_directories(cardRoot);  // the drive's folder stays, empty
    };
    InsertAndPoll();
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
    EXPECT_EQ(Decisions(), "");
}

TEST_F(RemovableMediaTest, AManualRunAsksFirstAndIsRecordedInTheTabForm) {
    StartWithCardDrive(kCardSerial, "",
                       [](SettingsRecord& s) { s.Drives[kF].Work = DriveWork::ManualBackup; });
    Insert();
    const std::string question = "リムーバブル ディスク (F:)をバックアップします。";
    w.prompts.Expect(question, "確認", kMbOkCancel | kMbIconQuestion, kIdCancel);
    w.frame().OnCommand(kCommandMirrorFirst + kF);
    EXPECT_TRUE(w.copyRunner.jobs.empty());

    w.prompts.Expect(question, "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    w.frame().OnCommand(kCommandMirrorFirst + kF);
    ASSERT_EQ(w.copyRunner.jobs.size(), 1u);
    EXPECT_EQ(w.copyRunner.titles[0], "手動ミラーリング 進捗状況 Files:");
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "手動");
    EXPECT_EQ(Decisions().rfind(std::to_string(kCardSerial) + "\tBACKUP\t", 0), 0u);
    EXPECT_EQ(w.voice.played, (std::vector<std::string>{Voice("16_backup_oky.mp3")}));
}

TEST_F(RemovableMediaTest, TheMountTableWatchRunsEveryNewMediumAndNotesTheOnesThatWent) {
    StartWithCardDrive(kCardSerial, "", [](SettingsRecord& s) { s.Sound = 0; });
    w.frame().OnTimer(kTimerMediaNotify);
    ASSERT_TRUE(w.mediaWatch.onChange);
    Insert();
    w.mediaWatch.onChange();
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
    Poll();  // the poll has nothing new to find
    EXPECT_EQ(w.copyRunner.jobs.size(), 1u);
    TakeOut();
    w.mediaWatch.onChange();
    Insert();
    w.mediaWatch.onChange();
    EXPECT_EQ(w.copyRunner.jobs.size(), 2u);
}

TEST_F(RemovableMediaTest, AMediumWithoutDestinationIsNotRun) {
    StartWithCardDrive(kCardSerial, "", [](SettingsRecord& s) { s.Sound = 0; });
    w.frame().settings().Drives[kF].BackupDir.clear();
    w.prompts.Expect("転送先のドライブを設定して下さい", "エラー", kMbOk | kMbIconExclamation,
                     kIdOk);
    InsertAndPoll();
    EXPECT_TRUE(w.copyRunner.jobs.empty());
}

}  // namespace
}  // namespace tv::test
