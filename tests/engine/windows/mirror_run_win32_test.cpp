// A mirror run on Windows: what the destination holds read-only or hidden is brought in line
// with the source or given to the recycle bin, and the copies keep their times to the 100 ns
// tick. The files are looked at through the Win32 calls themselves, not the code under test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/windows/win32.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/recycle_bin.h"

namespace tv::test {
namespace {

std::wstring Wide(const std::string& path) { return std::filesystem::u8path(path).wstring(); }

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

WIN32_FILE_ATTRIBUTE_DATA Facts(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) << path;
    return data;
}

void AddAttributes(const std::string& path, DWORD attributes) {
    const DWORD before = ::GetFileAttributesW(Wide(path).c_str());
    ASSERT_NE(before, INVALID_FILE_ATTRIBUTES) << path;
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), before | attributes)) << path;
}

// Gives the file a last write time that needs every 100 ns tick to be kept.
void SetLastWriteTicks(const std::string& path, uint64_t ticks) {
    const HANDLE file = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_TRUE(SetFileTime(file, nullptr, &time, &time));
    CloseHandle(file);
}

class MirrorRunWin32Test : public EngineTest {
  protected:
    MirrorRunWin32Test() { job.ForceMirror = 1; }
};

TEST_F(MirrorRunWin32Test, ReadOnlyAndHiddenEntriesAreReplacedOrBinnedAndTimesKeepTheirTicks) {
    // 2005-07-01 09:30:00 UTC and 1234567 ticks.
    const uint64_t sourceTicks = 127646838000000000ull + 1234567;
    world.Write(sourceRoot, {{"report.txt", TreeFile{.content = "new"}},
                             {"notes.txt", TreeFile{.content = "notes"}},
                             {"sealed.txt", TreeFile{.content = "sealed"}}});
    AddAttributes(Path("notes.txt"), FILE_ATTRIBUTE_HIDDEN);
    AddAttributes(Path("sealed.txt"), FILE_ATTRIBUTE_READONLY);
    for (const char* name : {"report.txt", "notes.txt", "sealed.txt"}) {
        SetLastWriteTicks(Path(name), sourceTicks);
    }
    world.Write(destination, {{"report.txt", TreeFile{.content = "old", .mtime = kNow - 600}},
                              {"stale.txt", TreeFile{.content = "stale"}},
                              {"secret.txt", TreeFile{.content = "secret"}}});
    AddAttributes(Copy("report.txt"), FILE_ATTRIBUTE_READONLY);
    AddAttributes(Copy("stale.txt"), FILE_ATTRIBUTE_READONLY);
    AddAttributes(Copy("secret.txt"), FILE_ATTRIBUTE_HIDDEN);
    const int64_t binnedBefore = ItemsInRecycleBin();

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(world.Read(destination),
              (Tree{{"report.txt", TreeFile{.content = "new"}},
                    {"notes.txt", TreeFile{.content = "notes"}},
                    {"sealed.txt", TreeFile{.content = "sealed", .attrs = kAttrReadOnly}}}));
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    for (const char* name : {"report.txt", "notes.txt", "sealed.txt"}) {
        SCOPED_TRACE(name);
        const WIN32_FILE_ATTRIBUTE_DATA copy = Facts(Copy(name));
        EXPECT_EQ(Ticks(copy.ftLastWriteTime), sourceTicks);
        EXPECT_EQ(copy.dwFileAttributes & kept, Facts(Path(name)).dwFileAttributes & kept);
    }
    EXPECT_EQ(ItemsInRecycleBin(), binnedBefore + 2);
    const std::string day = DayFile();
    for (const char* extra : {"stale.txt", "secret.txt"}) {
        EXPECT_NE(day.find("削除\t" + std::string(extra) + "\tマスターになし\t" + Copy(extra) +
                           "\t09:30:00\tゴミ箱に移動"),
                  std::string::npos)
            << extra << " in\n"
            << day;
    }
}

}  // namespace
}  // namespace tv::test
