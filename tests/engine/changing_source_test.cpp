#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "engine/durability/pending_copies.h"
#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

// Large against the buffer, so a copy takes many rounds of its loop and the source can change
// in the middle of one.
std::string Bytes(char first) {
    std::string bytes(200003, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 + i / 97);
    bytes[0] = first;
    return bytes;
}

bool HasPartialCopy(const std::string& folder) {
    for (const auto& [name, node] : ReadTree(folder)) {
        if (name.rfind(".tvpart-", 0) == 0 && !node.file.content.empty()) return true;
    }
    return false;
}

// Writes over the file's bytes in place, as a program saving into the same file does, and
// gives it a time of its own so that every rewrite shows.
void RewriteInPlace(const std::string& path, const std::string& bytes, int64_t mtime) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    close(fd);
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Puts a new file in the source's place, as a program saving through a temporary file does.
void ReplaceByRename(const std::string& path, const std::string& bytes, int64_t mtime) {
    const std::string fresh = path + ".new";
    WriteTree(ContainingFolder(fresh), {{AfterLastSeparator(fresh), TreeFile{bytes, mtime}}});
    ASSERT_EQ(std::rename(fresh.c_str(), path.c_str()), 0);
}

class ChangingSourceTest : public EngineTest {
  protected:
    ChangingSourceTest() {
        job.BufferSize = 4096;
        // The idle gate is asked before every buffer: it is where the source changes.
        job.IdleCheck = 1;
        world.Write(sourceRoot, {{"big.bin", TreeFile{.content = Bytes('a'), .mtime = kNow - 60}}});
        idle.answer = [this] {
            if (onBuffer && HasPartialCopy(destination)) onBuffer();
            return true;
        };
    }

    std::string Source() const { return Path("big.bin"); }
    // Both as one-file trees, so that a failure prints them.
    Tree SourceNow() const { return {{"big.bin", world.Read(sourceRoot).at("big.bin")}}; }
    Tree CopyNow() const { return {{"big.bin", world.Read(destination).at("big.bin")}}; }
    bool LoggedError() const { return DayFile().find("\tエラー\r\n") != std::string::npos; }

    std::function<void()> onBuffer;
    int rewrites = 0;
};

TEST_F(ChangingSourceTest, ACopyWhoseSourceChangedOnceIsMadeAgainFromTheNewSource) {
    const struct {
        const char* name;
        std::function<void(const std::string&)> change;
    } cases[] = {
        {"rewritten in place", [](const std::string& p) { RewriteInPlace(p, Bytes('b'), kNow); }},
        {"replaced by rename", [](const std::string& p) { ReplaceByRename(p, Bytes('c'), kNow); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.Write(sourceRoot, {{"big.bin", TreeFile{.content = Bytes('a'), .mtime = kNow - 60}}});
        world.Write(destination,
                    {{"big.bin", TreeFile{.content = "old copy", .mtime = kNow - 600}}});
        rewrites = 0;
        onBuffer = [&] {
            if (rewrites++ == 0) c.change(Source());
        };
        outcome.HadError = 0;

        EXPECT_EQ(Run(), 0);

        EXPECT_EQ(CopyNow(), SourceNow());
        EXPECT_EQ(outcome.HadError, 0);
        EXPECT_FALSE(LoggedError());
    }
}

TEST_F(ChangingSourceTest, ACopyWhoseSourceKeepsChangingIsAnErrorAndCopiedAgainNextRun) {
    for (const bool replaces : {false, true}) {
        SCOPED_TRACE(replaces ? "replacing an earlier copy" : "new copy");
        world.Write(sourceRoot, {{"big.bin", TreeFile{.content = Bytes('a'), .mtime = kNow - 60}}});
        const std::string copy = Copy("big.bin");
        if (replaces) {
            world.Write(destination,
                        {{"big.bin", TreeFile{.content = "old", .mtime = kNow - 600}}});
        } else {
            std::remove(copy.c_str());
        }
        rewrites = 0;
        onBuffer = [&] {
            ++rewrites;
            RewriteInPlace(Source(), Bytes(static_cast<char>('A' + rewrites % 26)),
                           kNow + rewrites);
        };
        outcome.HadError = 0;

        Run();

        EXPECT_EQ(outcome.HadError, 1);
        EXPECT_TRUE(LoggedError());
        FileStatus status;
        ASSERT_TRUE(GetFileStatus(copy, &status));
        EXPECT_EQ(status.lastWrite, kMarkerTime) << "the copy must not look up to date";
        EXPECT_EQ(ReadTree(destination).size(), 1u) << "no temporary file is left";

        // The source holds still: the next run copies it again, whatever the rules say.
        onBuffer = nullptr;
        job.CheckSize = 1;
        outcome.HadError = 0;
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(CopyNow(), SourceNow());
        EXPECT_EQ(outcome.HadError, 0);
        job.CheckSize = 0;
    }
}

}  // namespace
}  // namespace tv::test
