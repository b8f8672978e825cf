// Feeds arbitrary bytes to "Decision.txt" as a run finds it. Looking volumes up must never
// fail, and whatever the file held before, the line a run appends must be found right after,
// or the volume would be backed up as new at every run.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "controller/runners/decision_file.h"

namespace {

constexpr uint32_t kSerial = 0x1a2b3c4d;
constexpr const char* kSerialText = "0123456789012345";

// A temporary program directory, removed at exit.
class ScratchProgramDir {
  public:
    ScratchProgramDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-decision-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~ScratchProgramDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Path() const { return path_; }
    void Put(const char* name, const uint8_t* data, size_t size) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

  private:
    std::filesystem::path path_;
};

void AppendAndFind(tv::DecisionFile& decisions, bool known) {
    const tv::DateTime start = tv::DateTime::FromParts(2005, 7, 1, 9, 30, 5);
    const std::string volume = tv::DecisionFile::VolumeIdentifier(kSerial);
    if (!decisions.Append(kSerial, tv::DecisionLayout::Commas, known, start)) std::abort();
    if (!decisions.Find(volume)) std::abort();
    if (!decisions.Append(kSerialText, known, start)) std::abort();
    if (!decisions.Find(kSerialText)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchProgramDir dir;
    dir.Put(tv::DecisionFile::kFileName, data, size);
    tv::DecisionFile decisions;
    if (!decisions.Open(dir.Path())) std::abort();
    const bool known = decisions.Find(tv::DecisionFile::VolumeIdentifier(kSerial));
    decisions.Find(kSerialText);
    AppendAndFind(decisions, known);
    return 0;
}
