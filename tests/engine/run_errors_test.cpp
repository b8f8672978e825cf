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
};

// Every kind of failure sets HadError, whether or not the run writes a log.
TEST_F(RunErrorsTest, EveryFailureSetsTheErrorFlagWithOrWithoutALog) {
    const FailureCase cases[] = {
        {"a source that cannot be opened",
         [&]() -> std::shared_ptr<void> {
             auto lock = std::make_shared<HeldLock>(JoinPath(job.Source, "a.txt"));
             EXPECT_TRUE(lock->locked());
             return lock;
         }},
        {"a destination folder that cannot be made",
         [&]() -> std::shared_ptr<void> {
             world.Write(job.Destination, {{"sub", Text("a file in the folder's place")}});
             return nullptr;
         }},
        {"an extra that no trash can take",
         [&]() -> std::shared_ptr<void> {
             job.ForceMirror = 1;
             world.Write(job.Destination, {{"extra.txt", Text("e")}});
             const std::string trash = ContainingFolder(world.TrashFiles());
             std::filesystem::remove_all(trash);
             world.Write(ContainingFolder(trash), {{"Trash", Text("not a folder")}});
             return nullptr;
         }},
    };
    for (const FailureCase& c : cases) {
        for (const bool logged : {true, false}) {
            SCOPED_TRACE(std::string(c.kind) + (logged ? ", logged" : ", not logged"));
            std::filesystem::remove_all(job.Destination);
            job.HadError = 0;
            job.ForceMirror = 0;
            job.LogRecord = logged ? &record : nullptr;
            const std::shared_ptr<void> failure = c.arrange();

            Run();

            EXPECT_EQ(job.HadError, 1);
        }
    }
}

}  // namespace
}  // namespace tv::test
