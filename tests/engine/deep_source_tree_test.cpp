// A source tree far deeper than the process may hold folders open, under a desktop's default
// limit of open files: it is copied whole down to the depth the system's paths reach, and the
// first folder beyond it is an error of the run with its line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"

namespace tv::test {
namespace {

constexpr const char* kFileName = "f.txt";

// The names of a chain of folders, the outermost first.
using Chain = std::vector<std::string>;

// The path of the folder depth levels down the chain below root.
std::string Down(const std::string& root, const Chain& chain, size_t depth) {
    std::string path = root;
    for (size_t i = 0; i < depth; ++i) path = JoinPath(path, chain[i]);
    return path;
}

// The chain of folders below root, with a file at the bottom, made relative to each level:
// its deepest paths may be longer than the system takes.
void MakeChain(const std::string& root, const Chain& chain) {
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << root;
    for (const std::string& name : chain) {
        ASSERT_EQ(mkdirat(fd, name.c_str(), 0755), 0) << name;
        const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        ASSERT_GE(next, 0) << name;
        fd = next;
    }
    const int file = openat(fd, kFileName, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(write(file, "f", 1), 1);
    close(file);
    close(fd);
}

// Removes the chain below root, as far as it exists, bottom up, relative to each level.
void RemoveChain(const std::string& root, const Chain& chain) {
    std::vector<int> fds{open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    for (size_t i = 0; i < chain.size() && fds.back() >= 0; ++i) {
        fds.push_back(openat(fds.back(), chain[i].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    if (fds.back() < 0) fds.pop_back();
    while (!fds.empty()) {
        unlinkat(fds.back(), kFileName, 0);
        close(fds.back());
        fds.pop_back();
        if (!fds.empty()) unlinkat(fds.back(), chain[fds.size() - 1].c_str(), AT_REMOVEDIR);
    }
}

// The soft limit of open files set for as long as it lives.
class ScopedOpenFileLimit {
  public:
    explicit ScopedOpenFileLimit(rlim_t soft) {
        getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = soft;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~ScopedOpenFileLimit() { setrlimit(RLIMIT_NOFILE, &saved_); }

  private:
    rlimit saved_{};
};

class DeepSourceTreeTest : public EngineTest {
  protected:
    DeepSourceTreeTest() {
        MakeFileDirJob();
        world.Write(job.Source, {});
    }
    ~DeepSourceTreeTest() override {
        RemoveChain(job.Source, chain);
        RemoveChain(destination, chain);
    }

    Chain chain;
};

// 1,500 levels deep, far more than 1,024 open files: copied whole. Below them, levels beyond what
// the system's paths reach: the first one too deep is an error of the run with its line.
TEST_F(DeepSourceTreeTest, IsCopiedWholeDownToThePathLimitUnderTheDesktopsFileLimit) {
    constexpr size_t kDeep = 1500;
    chain.assign(kDeep, "d");
    MakeChain(job.Source, chain);
    const std::string longName(200, 'x');
    const size_t longer = std::max(job.Source.size(), destination.size());
    while (Down(std::string(longer, '/'), chain, chain.size()).size() <= kMaxPathLength) {
        chain.push_back(longName);
    }
    MakeChain(Down(job.Source, chain, kDeep), Chain(chain.begin() + kDeep, chain.end()));

    {
        const ScopedOpenFileLimit desktopDefault(1024);
        Run();
    }

    EXPECT_EQ(FileBytes(JoinPath(Down(destination, chain, kDeep), kFileName)), "f");
    EXPECT_EQ(outcome.HadError, 1);
    const std::string tooDeep = Down(job.Source, chain, chain.size());
    const std::string log = DayFile();
    EXPECT_NE(log.find("\tフォルダ作成\t" + longName + "\t" + tooDeep + "\t"), std::string::npos);
    EXPECT_EQ(log.find("\tエラー\r\n"), log.rfind("\tエラー\r\n")) << "one error only";
}

// A folder the walk let go of is known again only where it was: when the folder below it was
// moved elsewhere during the walk, coming back up through ".." leads to another folder, and the
// walk ends that level with an error instead of listing a folder it never looked at.
TEST_F(DeepSourceTreeTest, AFolderLetGoOfAndMovedMeanwhileEndsItsLevelWithAnError) {
    constexpr size_t kDeep = 100;
    constexpr size_t kMoved = 20;  // far above the folders the walk still holds at the bottom
    chain.assign(kDeep, "d");
    MakeChain(job.Source, chain);
    job.IdleCheck = 1;
    int entries = 0;
    idle.answer = [&] {
        if (++entries == 90) {
            EXPECT_EQ(rename(Down(job.Source, chain, kMoved).c_str(),
                             JoinPath(job.Source, "moved").c_str()),
                      0);
        }
        return true;
    };

    Run();

    EXPECT_EQ(outcome.HadError, 1);
    const std::string parentOfMoved = Down(job.Source, chain, kMoved - 1);
    EXPECT_NE(DayFile().find("\tフォルダ作成\td\t" + parentOfMoved + "\t"), std::string::npos)
        << DayFile();
    RemoveChain(JoinPath(job.Source, "moved"), Chain(chain.begin() + kMoved, chain.end()));
}

}  // namespace
}  // namespace tv::test
