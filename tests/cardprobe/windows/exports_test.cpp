// CardProbe.dll as the program uses it on Windows, loaded by its full path: the seven exports
// answer for the system's own drive letters, and for the folders the program pins letters to.
// The identity files go to the root of the drive that holds the temporary folder (C: under
// Wine) and are removed after each test.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cardprobe/cardprobe_library.h"
#include "tests/cardprobe/scratch_world.h"
#include "tests/support/file_bytes.h"

namespace tv::test {
namespace {

class CardProbeWindowsExportsTest : public ::testing::Test {
  protected:
    CardProbeWindowsExportsTest()
        : letter(TemporaryFolderDrive()), root(std::string(1, letter) + ":\\") {}
    // Only the files a test writes go, so that tests running at once in other processes keep
    // theirs.
    ~CardProbeWindowsExportsTest() override {
        for (const std::string& path : written_) {
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
    }

    // The path of an identity file the test writes, removed when the test ends.
    std::string WillWrite(const char* name) {
        written_.push_back(root + name);
        return written_.back();
    }

    static char TemporaryFolderDrive() {
        char folder[MAX_PATH + 1] = {};
        const DWORD length = ::GetTempPathA(sizeof folder, folder);
        return length >= 2 && folder[1] == ':' ? folder[0] : 'C';
    }

    // A letter that names no drive here, the highest but `skip` of them.
    static char UnusedLetter(int skip = 0) {
        const DWORD used = ::GetLogicalDrives();
        for (char letter = 'Z'; letter >= 'D'; --letter) {
            if ((used & (1u << (letter - 'A'))) == 0 && skip-- == 0) return letter;
        }
        return 0;
    }

    DWORD Attributes(const char* name) const { return ::GetFileAttributesA((root + name).c_str()); }

    CardProbeLibrary library;
    const char letter;
    const std::string root;

  private:
    std::vector<std::string> written_;
};

TEST_F(CardProbeWindowsExportsTest, ExportsAllSevenByTheirPlainNames) {
    for (const char* name : {"GetCardName", "CardProbe", "GetPcmciaType", "GetSerialNumber",
                             "MakeSerialNumber", "SetCardName", "SetSerialNumber"}) {
        EXPECT_NE(library.Symbol(name), nullptr) << name;
    }
    EXPECT_EQ(library.Symbol("_Z10ProbeLetteriP9MediaInfo"), nullptr);
}

TEST_F(CardProbeWindowsExportsTest, ProbeOfFixedDriveReportsTypeOnly) {
    MediaInfo info;
    std::memset(&info, 0x5A, sizeof info);
    ASSERT_EQ(library.CardProbe(letter, &info), 1);
    EXPECT_EQ(info.driveType, static_cast<int32_t>(::GetDriveTypeA(root.c_str())));
    EXPECT_EQ(info.driveType, DRIVE_FIXED);
    EXPECT_EQ(info.mediaKind, 0);
    EXPECT_EQ(info.freeSpaceQuery, 0);
    EXPECT_EQ(info.vendor[0], 0x5A);  // texts only for a removable drive
    EXPECT_EQ(library.CardProbe(letter - 'A' + 'a', &info), 1);
}

TEST_F(CardProbeWindowsExportsTest, ProbeOfAbsentOrUnusableLetters) {
    const char unused = UnusedLetter();
    ASSERT_NE(unused, 0);
    for (const int absent : {int(unused), int('#'), 0, 300}) {
        MediaInfo info;
        std::memset(&info, 0x5A, sizeof info);
        EXPECT_EQ(library.CardProbe(absent, &info), 0) << absent;
        EXPECT_EQ(info.driveType, DRIVE_NO_ROOT_DIR) << absent;
        EXPECT_EQ(info.mediaKind, 0) << absent;
        char buffer[33] = "untouched";
        EXPECT_EQ(library.GetCardName(absent, buffer), 0) << absent;
        EXPECT_STREQ(buffer, "untouched");
        EXPECT_EQ(library.SetSerialNumber(absent, "1050401307090042"), 0) << absent;
    }
    EXPECT_EQ(library.CardProbe(letter, nullptr), 0);
}

TEST_F(CardProbeWindowsExportsTest, SerialNumberIsWrittenHiddenReadOnlyAndReadBack) {
    char made[17] = {};
    ASSERT_EQ(library.MakeSerialNumber(made), 16);
    ASSERT_EQ(std::strspn(made, "0123456789"), 16u) << made;

    const std::string path = WillWrite("_serial_.tq");
    ASSERT_EQ(library.SetSerialNumber(letter, made), 1);
    EXPECT_EQ(FileBytes(path), made);
    const DWORD attributes = Attributes("_serial_.tq");
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    char buffer[17] = {};
    ASSERT_EQ(library.GetSerialNumber(letter, buffer), 1);
    EXPECT_STREQ(buffer, made);
    // A read-only serial number stays.
    EXPECT_EQ(library.SetSerialNumber(letter, "1000000000000000"), 0);
    EXPECT_EQ(FileBytes(path), made);
    EXPECT_EQ(library.SetSerialNumber(letter, "12345"), 0);
}

TEST_F(CardProbeWindowsExportsTest, CardNameIsReplacedAlthoughReadOnly) {
    WillWrite("_cardnm_.tq");
    ASSERT_EQ(library.SetCardName(letter, "Compact Flash"), 1);
    ASSERT_EQ(library.SetCardName(letter, std::string(40, 'N').c_str()), 1);
    char buffer[33] = {};
    ASSERT_EQ(library.GetCardName(letter, buffer), 1);
    EXPECT_EQ(std::string(buffer), std::string(32, 'N'));
    EXPECT_NE(Attributes("_cardnm_.tq") & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(CardProbeWindowsExportsTest, APinnedLetterIsItsFolderWhateverDriveTheSystemHasThere) {
    ScratchWorld world;
    const char unused = UnusedLetter();
    ASSERT_NE(unused, 0);
    // The temporary folder's own drive, and a letter the system does not have.
    const std::string pinnedRoots[] = {world.AddDrive(letter, DRIVE_REMOVABLE),
                                       world.AddDrive(unused, DRIVE_REMOVABLE)};
    const char letters[] = {letter, unused};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(letters[i]);
        MediaInfo info;
        std::memset(&info, 0x5A, sizeof info);
        ASSERT_EQ(library.CardProbe(letters[i], &info), 1);
        EXPECT_EQ(info.driveType, DRIVE_REMOVABLE);
        EXPECT_EQ(info.freeSpaceQuery, 1);
        EXPECT_EQ(info.vendor[0], 0);  // a folder has no storage device to name

        const std::string serial = i == 0 ? "1050401307090042" : "1050401307090043";
        ASSERT_EQ(library.SetSerialNumber(letters[i], serial.c_str()), 1);
        EXPECT_EQ(FileBytes(pinnedRoots[i] + "_serial_.tq"), serial);
        char buffer[17] = {};
        ASSERT_EQ(library.GetSerialNumber(letters[i], buffer), 1);
        EXPECT_EQ(buffer, serial);
        ASSERT_EQ(library.SetCardName(letters[i], "Smart Media"), 1);
        EXPECT_EQ(FileBytes(pinnedRoots[i] + "_cardnm_.tq"), "Smart Media");
    }
}

TEST_F(CardProbeWindowsExportsTest, OnlyPinnedLinesOfPresentDrivesNameAFolder) {
    ScratchWorld world;
    const char unused[] = {UnusedLetter(), UnusedLetter(1), UnusedLetter(2)};
    ASSERT_NE(unused[2], 0);
    const std::string card = world.base() + "/カード/";
    ASSERT_TRUE(std::filesystem::create_directory(std::filesystem::u8path(card)));
    world.AddDriveLine(std::string(1, unused[0]) + "\t2\t" + card + "\t-\t\t\tpinned");
    // The system's letters are its own to name; a pin without a drive takes the letter away.
    world.AddDriveLine(std::string(1, unused[1]) + "\t2\t" + card + "\t-\t\t\tauto");
    world.AddDriveLine(std::string(1, unused[2]) + "\t1\t" + card + "\t-\t\t\tpinned");
    world.AddDriveLine(std::string(1, letter) + "\t1\t" + card + "\t-\t\t\tpinned");

    ASSERT_EQ(library.SetSerialNumber(unused[0], "1050401307090042"), 1);
    EXPECT_EQ(FileBytes(card + "_serial_.tq"), "1050401307090042");
    for (const char absent : {unused[1], unused[2], letter}) {
        MediaInfo info;
        EXPECT_EQ(library.CardProbe(absent, &info), 0) << absent;
        EXPECT_EQ(info.driveType, DRIVE_NO_ROOT_DIR) << absent;
        char buffer[17] = {};
        EXPECT_EQ(library.GetSerialNumber(absent, buffer), 0) << absent;
    }
}

TEST_F(CardProbeWindowsExportsTest, NoSocketHasAVersionTuple) {
    PcmciaTupleInfo info;
    std::memset(&info, 0x5A, sizeof info);
    for (unsigned short selector : {0, 1, 65535}) {
        EXPECT_EQ(library.GetPcmciaType(&info, selector), 0) << selector;
    }
    EXPECT_EQ(info.major, 0x5A);
    EXPECT_EQ(library.GetPcmciaType(nullptr, 0), 0);
}

}  // namespace
}  // namespace tv::test
