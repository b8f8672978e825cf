#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/engine/engine_fixture.h"
#include "tests/support/held_lock.h"

namespace tv::test {
namespace {

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

class RunErrorsTest : public EngineTest {
  protected:
    RunErrorsTest() {
        MakeFileDirJob();
        world.Write(job.Source, {{"a.txt", Text("a")}, {"sub", {{"b.txt", Text("b")}}}});
    }
};

struct FailureCase {
    const char* kind;
    // Arranges the failure; the returned object keeps it in force for the run.
    std::function<std::shared_ptr<void>()> arrange;
    // The files whose lines say "エラー", as the log viewer counts them.
    uint64_t failedFiles;
};

// Every kind of failure sets HadError, whether or not the run writes a log; the files that failed
// are counted in the job as its log lines count them.
TEST_F(RunErrorsTest, EveryFailureSetsTheErrorFlagWithOrWithoutALog) {
    const FailureCase cases[] = {
        {"a source that cannot be opened",
         [&]() -> std::shared_ptr<void> {
             auto lock = std::make_shared<HeldLock>(JoinPath(job.Source, "a.txt"));
             EXPECT_TRUE(lock->locked());
             return lock;
         },
         1},
        {"a destination folder that cannot be made",
         [&]() -> std::shared_ptr<void> {
             world.Write(job.Destination, {{"sub", Text("a file in the folder's place")}});
             return nullptr;
         },
         1},
        {"an extra that no trash can take",
         [&]() -> std::shared_ptr<void> {
             job.ForceMirror = 1;
             world.Write(job.Destination, {{"extra.txt", Text("e")}});
#ifdef _WIN32
             // The recycle bin takes nothing that another program holds open.
             auto lock = std::make_shared<HeldLock>(JoinPath(job.Destination, "extra.txt"));
             EXPECT_TRUE(lock->locked());
             return lock;
#else
             const std::string trash = ContainingFolder(world.TrashFiles());
             std::filesystem::remove_all(trash);
             world.Write(ContainingFolder(trash), {{"Trash", Text("not a folder")}});
             return nullptr;
#endif
         },
         0},
    };
    for (const FailureCase& c : cases) {
        for (const bool logged : {true, false}) {
            SCOPED_TRACE(std::string(c.kind) + (logged ? ", logged" : ", not logged"));
            std::filesystem::remove_all(job.Destination);
            outcome.HadError = 0;
            outcome.Logged = LogCounters{};
            job.ForceMirror = 0;
            job.LogRecord = logged ? &record : nullptr;
            const std::shared_ptr<void> failure = c.arrange();

            Run();

            EXPECT_EQ(outcome.HadError, 1);
            EXPECT_EQ(outcome.Logged.errors, logged ? c.failedFiles : 0u);
        }
    }
}

}  // namespace
}  // namespace tv::test
