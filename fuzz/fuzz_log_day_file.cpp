// Feeds arbitrary bytes to the activity log readers: as a day file read line by line with
// ReadNext and loaded, counted and ordered as the log viewer does, and as the flat log "log.txt"
// sorted and indexed at start-up. Whatever the bytes, every field read is valid UTF-8.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "log/flat_log.h"
#include "log/log_day_loader.h"
#include "log/log_store.h"
#include "platform/text_file.h"

namespace {

constexpr const char* kDay = "2005/07/01";

// A temporary program directory with its Log folder, removed at exit.
class ScratchProgramDir {
  public:
    ScratchProgramDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-log-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
        std::filesystem::create_directory(path_ / "Log");
    }
    ~ScratchProgramDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Path() const { return path_; }
    void Put(const std::filesystem::path& relative, const uint8_t* data, size_t size) const {
        std::ofstream out(path_ / relative, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    void Remove(const std::filesystem::path& relative) const {
        std::error_code ignored;
        std::filesystem::remove(path_ / relative, ignored);
    }

  private:
    std::filesystem::path path_;
};

void ReadEveryRecord(const std::string& programDir) {
    tv::LogStore store(programDir);
    tv::LogRecord record;
    record.date = kDay;
    while (store.ReadNext(&record)) {
        for (int k = 0; k < tv::LogRecord::kFieldCount; ++k) {
            if (!tv::IsValidUtf8(record.Field(k))) std::abort();
        }
    }
}

// Loads the day in small steps; once loaded every record read is a row, and each row is one
// of the records (the sanitizers watch the reads).
void LoadDay(const std::string& programDir) {
    tv::LogDayLoader loader(programDir);
    if (!loader.Start(kDay)) return;
    while (loader.Loading()) loader.Step({3, {}});
    if (loader.VisibleRowCount() != loader.RowCount()) std::abort();
    for (size_t row = 0; row < loader.RowCount(); ++row) {
        if (loader.Row(row).time.size() > tv::LineReader::kMaxLineBytes) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchProgramDir dir;
    dir.Put("Log/20050701.txt", data, size);
    ReadEveryRecord(dir.Path());
    LoadDay(dir.Path());

    dir.Put("log.txt", data, size);
    dir.Remove("log.idx");
    tv::CheckLogIndex(dir.Path());
    return 0;
}
