// Names that Windows media refuse, backed up to FAT32, exFAT and NTFS with Windows names through
// their FUSE drivers: stored under the mapped name where the destination can hold it, so the
// next run finds the copy; logged "エラー" on every run where it cannot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The lines of a day file's text, each with its line end, in sorted order.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        const size_t next = end == std::string::npos ? text.size() : end + 2;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return Sorted(lines);
}

// A source name with each kind of refused name, and what each destination stores it as ("" when
// it cannot hold it at all), written out by hand: the mapped character is U+F000 + its code.
struct NameCase {
    std::string source;
    std::string onNtfs;   // NTFS with Windows names
    std::string onExfat;  // exFAT
    std::string onFat32;  // FAT32, whose driver takes no name beyond ASCII
};

const std::vector<NameCase>& NameCases() {
    static const std::vector<NameCase> cases = {
        {"a\"b.txt",
         "a\xEF\x80\xA2"
         "b.txt",
         "a\xEF\x80\xA2"
         "b.txt",
         ""},
        {"a*b.txt",
         "a\xEF\x80\xAA"
         "b.txt",
         "a\xEF\x80\xAA"
         "b.txt",
         ""},
        {"a:b.txt",
         "a\xEF\x80\xBA"
         "b.txt",
         "a\xEF\x80\xBA"
         "b.txt",
         ""},
        {"a<b.txt",
         "a\xEF\x80\xBC"
         "b.txt",
         "a\xEF\x80\xBC"
         "b.txt",
         ""},
        {"a>b.txt",
         "a\xEF\x80\xBE"
         "b.txt",
         "a\xEF\x80\xBE"
         "b.txt",
         ""},
        {"q?.txt", "q\xEF\x80\xBF.txt", "q\xEF\x80\xBF.txt", ""},
        {"a\\b.txt",
         "a\xEF\x81\x9C"
         "b.txt",
         "a\xEF\x81\x9C"
         "b.txt",
         ""},
        {"a|b.txt",
         "a\xEF\x81\xBC"
         "b.txt",
         "a\xEF\x81\xBC"
         "b.txt",
         ""},
        {"c\x01.txt", "c\xEF\x80\x81.txt", "c\xEF\x80\x81.txt", ""},
        {"t.", "t\xEF\x80\xAE", "t.", "t."},
        {"s ", "s\xEF\x80\xA0", "s ", "s "},
        {"plain.txt", "plain.txt", "plain.txt", "plain.txt"},
    };
    return cases;
}

struct DestinationCase {
    FuseKind kind;
    std::string NameCase::*stored;
    std::string folderStored;  // the folder "d:ir", which holds "in.txt"
};

void PrintTo(const DestinationCase& c, std::ostream* out) { *out << NameOf(c.kind); }

class RefusedNamesTest : public EngineTest, public ::testing::WithParamInterface<DestinationCase> {
  protected:
    RefusedNamesTest() {
        job.ForceMirror = 1;
        for (const NameCase& c : NameCases()) source[c.source] = Text(c.source);
        source["d:ir"] = Tree{{"in.txt", Text("in")}};
    }

    // The tree the destination holds once everything it can hold is copied.
    Tree Expected() const {
        Tree expected;
        for (const NameCase& c : NameCases()) {
            const std::string& stored = c.*GetParam().stored;
            if (!stored.empty()) expected[stored] = Text(c.source);
        }
        if (!GetParam().folderStored.empty()) {
            expected[GetParam().folderStored] = Tree{{"in.txt", Text("in")}};
        }
        return expected;
    }

    // The line of a file as the log shows it: the source's names in every field, a control
    // character escaped.
    std::string Line(const std::string& path, const char* result) const {
        const auto logged = [](std::string text) {
            const size_t control = text.find('\x01');
            return control == std::string::npos ? text : text.replace(control, 1, "\\x01");
        };
        return "2005/07/01\t" + RunFields() + "ファイル作成\t" + logged(AfterLastSeparator(path)) +
               "\t" + logged(Path(path)) + "\t" + logged(Copy(path)) + "\t09:30:00\t" + result +
               "\r\n";
    }

    // What the destination holds; the FAT driver gives a file the time of its rename, so its
    // copies are compared without their times.
    Tree Held() const {
        Tree held = world.Read(destination);
        if (GetParam().kind == FuseKind::Fat32) {
            for (auto& [name, node] : held) node.file.mtime = kDefaultMtime;
        }
        return held;
    }

    // The lines of every file, in the order given, as a run that copies them all logs them.
    std::vector<std::string> FileLines() const {
        std::vector<std::string> lines;
        for (const NameCase& c : NameCases()) {
            lines.push_back(Line(c.source, (c.*GetParam().stored).empty() ? "エラー" : "ＯＫ"));
        }
        lines.push_back(Line("d:ir/in.txt", GetParam().folderStored.empty() ? "エラー" : "ＯＫ"));
        return lines;
    }

    // How many files the destination cannot hold.
    uint32_t Unstorable() const {
        uint32_t count = GetParam().folderStored.empty() ? 1 : 0;
        for (const NameCase& c : NameCases()) count += (c.*GetParam().stored).empty() ? 1 : 0;
        return count;
    }

    Tree source;
};

TEST_P(RefusedNamesTest, CopiesUnderMappedNamesAndFindsThemOnTheNextRun) {
    ScopedMount medium =
        ScopedMount::FuseImage(GetParam().kind, JoinPath(world.base(), "d.img"), world.root('D'));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    world.Write(sourceRoot, source);

    Run();

    EXPECT_EQ(Held(), Expected());
    const std::string firstRun = DayFile();
    for (const std::string& line : FileLines())
        EXPECT_NE(firstRun.find(line), std::string::npos) << line;
    EXPECT_EQ(outcome.Unstorable.refusedNames, Unstorable());
    EXPECT_EQ(outcome.HadError, Unstorable() > 0 ? 1 : 0);

    outcome.Unstorable = {};
    outcome.HadError = 0;
    Run();

    // Nothing copied again, nothing deleted: only what cannot be held is logged, again.
    std::vector<std::string> errors;
    for (const std::string& line : FileLines()) {
        if (line.find("\tエラー\r\n") != std::string::npos) errors.push_back(line);
    }
    EXPECT_EQ(LinesOf(DayFile().substr(firstRun.size())), Sorted(errors));
    EXPECT_EQ(Held(), Expected());
    EXPECT_EQ(outcome.Unstorable.refusedNames, Unstorable());
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, RefusedNamesTest,
    ::testing::Values(DestinationCase{FuseKind::NtfsWindowsNames, &NameCase::onNtfs,
                                      "d\xEF\x80\xBAir"},
                      DestinationCase{FuseKind::Exfat, &NameCase::onExfat, "d\xEF\x80\xBAir"},
                      DestinationCase{FuseKind::Fat32, &NameCase::onFat32, ""}),
    [](const ::testing::TestParamInfo<DestinationCase>& info) {
        switch (info.param.kind) {
            case FuseKind::NtfsWindowsNames:
                return std::string("NtfsWindowsNames");
            case FuseKind::Exfat:
                return std::string("Exfat");
            default:
                return std::string("Fat32");
        }
    });

// A device name cannot be held by NTFS with Windows names, mapped or not: it is an error of
// every run, counted apart, and the rest of the pass goes on.
TEST_F(EngineTest, ADeviceNameIsAnErrorOfEveryRunOnNtfsWithWindowsNames) {
    ScopedMount medium = ScopedMount::FuseImage(FuseKind::NtfsWindowsNames,
                                                JoinPath(world.base(), "d.img"), world.root('D'));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    job.ForceMirror = 1;
    world.Write(sourceRoot, {{"CON", Text("c")}, {"LPT1.txt", Text("l")}, {"z.txt", Text("z")}});
    ASSERT_EQ(symlink("z.txt", Path("aux").c_str()), 0);
    const auto error = [&](const std::string& name) {
        return "2005/07/01\t" + RunFields() + "ファイル作成\t" + name + "\t" + Path(name) + "\t" +
               Copy(name) + "\t09:30:00\tエラー\r\n";
    };

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const size_t before = DayFile().size();
        outcome.Unstorable = {};
        outcome.HadError = 0;
        Run();
        const std::string lines = DayFile().substr(before);
        for (const char* name : {"CON", "LPT1.txt", "aux"}) {
            EXPECT_NE(lines.find(error(name)), std::string::npos) << lines;
        }
        EXPECT_EQ(outcome.Unstorable.refusedNames, 3u);
        EXPECT_EQ(outcome.Logged.errors, static_cast<uint64_t>(3 * run));
        EXPECT_EQ(outcome.HadError, 1);
        EXPECT_EQ(world.Read(destination), (Tree{{"z.txt", Text("z")}}));
    }
}

// The folders per extension and their generations go by the stored names too, the extension's
// folder included: an unchanged source adds no generation on the next run.
TEST_F(EngineTest, ExtensionFoldersHoldMappedNamesOnExfat) {
    ScopedMount medium =
        ScopedMount::FuseImage(FuseKind::Exfat, JoinPath(world.base(), "d.img"), world.root('D'));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    job.ExtFolder = 1;
    world.Write(sourceRoot, {{"a:b.txt", Text("a")}, {"x.t?t", Text("x")}});
    const Tree expected = {
        {"TXTフォルダ",
         {{"a\xEF\x80\xBA"
           "b.txt",
           Text("a")}}},
        {"T\xEF\x80\xBFTフォルダ", {{"x.t\xEF\x80\xBFt", Text("x")}}},
    };

    Run();
    EXPECT_EQ(world.Read(destination), expected);
    Run();
    EXPECT_EQ(world.Read(destination), expected);
    EXPECT_EQ(outcome.HadError, 0);
}

TEST_F(EngineTest, DatedFoldersHoldMappedNamesOnExfat) {
    ScopedMount medium =
        ScopedMount::FuseImage(FuseKind::Exfat, JoinPath(world.base(), "d.img"), world.root('D'));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    job.Kind = Removable | DateFolders;
    world.Write(sourceRoot, {{"sub", {{"a:b.txt", Text("a")}}}});

    Run();

    EXPECT_EQ(world.Read(destination), (Tree{{"2005年07月01日",
                                              {{"a\xEF\x80\xBA"
                                                "b.txt",
                                                Text("a")}}}}));
    EXPECT_NE(DayFile().find("ファイル作成\ta:b.txt\t" + Path("sub/a:b.txt") + "\t" +
                             Copy("2005年07月01日/a:b.txt") + "\t09:30:00\tＯＫ\r\n"),
              std::string::npos)
        << DayFile();
}

// A probe of the destination's names that a killed run left behind goes with the next run.
TEST_F(EngineTest, AProbeLeftByAKilledRunIsRemoved) {
    ScopedMount medium =
        ScopedMount::FuseImage(FuseKind::Exfat, JoinPath(world.base(), "d.img"), world.root('D'));
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    world.Write(destination, {{".tvpart-0123456789abcdef", {{"x", Text("")}}}});
    world.Write(sourceRoot, {{"a.txt", Text("a")}});

    Run();

    EXPECT_EQ(world.Read(destination), (Tree{{"a.txt", Text("a")}}));
}

}  // namespace
}  // namespace tv::test
