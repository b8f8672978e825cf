// Runs the copy engine once over a folder, as a file/directory mirror run with no load control
// and the default buffer, and reports the wall time, the time spent in the engine's own
// pauses after each file, and the peak memory of the process. Also makes and changes the
// sample trees that bench/run measures.
//
//   engine_bench mirror SOURCE DESTINATION
//   engine_bench full SOURCE DESTINATION    (the same run as a full backup: every copy is read)
//   engine_bench logged SOURCE DESTINATION  (the mirror with the activity log written)
//   engine_bench unpaced SOURCE DESTINATION (the mirror without sleeping in its pauses, for
//                                            measures that the pauses do not change: memory)
//   engine_bench small FOLDER     (20,000 files of 1-64 KB in 400 folders)
//   engine_bench large FOLDER     (4 files of 64 MB)
//   engine_bench many FOLDER COUNT   (COUNT files of one byte, 100 to a folder)
//   engine_bench change FOLDER PERCENT ROUND   (rewrites that share of the files, newer)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/job/copy_job.h"
#include "engine/job/job_run.h"
#include "engine/job/run_context.h"
#include "log/log_record.h"
#include "log/log_store.h"
#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace {

using Seconds = std::chrono::duration<double>;

// The real clock, counting the pauses and the time they take; an unpaced one counts them only.
class CountingClock : public tv::Clock {
  public:
    explicit CountingClock(bool sleeps) : sleeps_(sleeps) {}
    std::time_t Now() const override { return tv::RealClock().Now(); }
    void SleepMs(unsigned milliseconds) const override {
        const auto start = std::chrono::steady_clock::now();
        if (sleeps_) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        paused_ += Seconds(std::chrono::steady_clock::now() - start).count();
        ++pauses_;
    }
    long pauses() const { return pauses_; }
    double paused() const { return paused_; }

  private:
    bool sleeps_;
    mutable long pauses_ = 0;
    mutable double paused_ = 0;
};

// Under TMPDIR when it is set, so that a run killed before its end leaves its empty folder in
// the caller's temporary folder rather than in /tmp.
std::string DriveTableFolderPattern() {
    const char* temporary = std::getenv("TMPDIR");
    return std::string(temporary && *temporary ? temporary : "/tmp") + "/engine-bench-XXXXXX";
}

enum class Mode { Mirror, FullBackup, Logged, Unpaced };

int Mirror(const std::string& source, const std::string& destination, Mode mode) {
    std::string configDir = DriveTableFolderPattern();
    if (!mkdtemp(configDir.data())) return 1;
    tv::DriveTable drives(configDir);
    drives.SetPinnedOnly(true);
    CountingClock clock(mode != Mode::Unpaced);
    tv::CopyJob job;
    job.Kind = tv::FileDir;
    job.Source = source;
    job.Destination = destination;
    job.BufferSize = tv::BufferSizeForSetting(1);
    job.LoadControl = 0;
    job.ForceMirror = 1;
    job.FullBackup = mode == Mode::FullBackup ? 1 : 0;
    // A logged run writes the activity log's line for every file, as every run of the
    // program does; its day file goes into the scratch folder's log folder, which the program
    // makes at its start.
    tv::LogStore log(configDir);
    if (mode == Mode::Logged) tv::CreateFolder(tv::JoinPath(configDir, "Log"));
    tv::LogRecord record;
    record.unit = "File/Directory";
    record.recognition = " ";
    record.drive = source;
    record.mode = "自動";
    record.work = "バックアップ";
    if (mode == Mode::Logged) job.LogRecord = &record;
    tv::RunContext context(clock, drives, mode == Mode::Logged ? &log : nullptr);
    const auto start = std::chrono::steady_clock::now();
    const int result = tv::RunJob(job, context);
    const double elapsed = Seconds(std::chrono::steady_clock::now() - start).count();
    std::filesystem::remove_all(configDir);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("result %d seconds %.3f pauses %ld paused %.3f peak_kb %ld\n", result, elapsed,
                clock.pauses(), clock.paused(), usage.ru_maxrss);
    return 0;
}

void WriteFile(const std::string& path, size_t size, std::mt19937& random) {
    std::vector<char> bytes(size);
    for (char& b : bytes) b = static_cast<char>(random());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

int MakeSmall(const std::string& folder) {
    std::mt19937 random(1);
    for (int f = 0; f < 400; ++f) {
        const std::string sub = tv::JoinPath(folder, "dir" + std::to_string(f));
        mkdir(sub.c_str(), 0755);
        for (int i = 0; i < 50; ++i) {
            WriteFile(tv::JoinPath(sub, "file" + std::to_string(i) + ".dat"),
                      1024 + random() % (63 * 1024 + 1), random);
        }
    }
    return 0;
}

int MakeLarge(const std::string& folder) {
    std::mt19937 random(2);
    for (int i = 0; i < 4; ++i) {
        WriteFile(tv::JoinPath(folder, "big" + std::to_string(i) + ".bin"), 64u << 20, random);
    }
    return 0;
}

int MakeMany(const std::string& folder, long count) {
    for (long n = 0; n < count; ++n) {
        const std::string sub = tv::JoinPath(folder, "dir" + std::to_string(n / 100));
        if (n % 100 == 0) mkdir(sub.c_str(), 0755);
        std::ofstream(tv::JoinPath(sub, "file" + std::to_string(n % 100))) << 'x';
    }
    return 0;
}

// Rewrites every (100 / percent)-th file of the small tree with a time ROUND minutes ahead.
int Change(const std::string& folder, int percent, int round) {
    std::mt19937 random(100 + round);
    const int every = 100 / percent;
    const time_t when = time(nullptr) + 60L * round;
    int n = 0;
    for (int f = 0; f < 400; ++f) {
        for (int i = 0; i < 50; ++i, ++n) {
            if (n % every != 0) continue;
            const std::string path = tv::JoinPath(
                folder, "dir" + std::to_string(f) + "/file" + std::to_string(i) + ".dat");
            WriteFile(path, 1024 + random() % (63 * 1024 + 1), random);
            const struct utimbuf times = {when, when};
            utime(path.c_str(), &times);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "mirror") return Mirror(args[1], args[2], Mode::Mirror);
    if (args.size() == 3 && args[0] == "full") return Mirror(args[1], args[2], Mode::FullBackup);
    if (args.size() == 3 && args[0] == "logged") return Mirror(args[1], args[2], Mode::Logged);
    if (args.size() == 2 && args[0] == "small") return MakeSmall(args[1]);
    if (args.size() == 3 && args[0] == "unpaced") return Mirror(args[1], args[2], Mode::Unpaced);
    if (args.size() == 2 && args[0] == "large") return MakeLarge(args[1]);
    const long count = args.size() == 3 ? std::atol(args[2].c_str()) : 0;
    if (args.size() == 3 && args[0] == "many" && count > 0) return MakeMany(args[1], count);
    // A share outside 1..100 would make the step between changed files zero.
    const int percent = args.size() == 4 ? std::atoi(args[2].c_str()) : 0;
    if (args.size() == 4 && args[0] == "change" && percent >= 1 && percent <= 100) {
        return Change(args[1], percent, std::atoi(args[3].c_str()));
    }
    std::fprintf(stderr,
                 "usage: engine_bench mirror SRC DST | full SRC DST | logged SRC DST | "
                 "unpaced SRC DST | small DIR | large DIR | many DIR COUNT | "
                 "change DIR PERCENT ROUND\n");
    return 2;
}
