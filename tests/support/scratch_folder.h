// A new empty folder in the system's temporary folder for one test, removed with everything in
// it when the test ends. Needs nothing of the program's own, so the tests of one piece of the
// platform can run where the test world cannot yet.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

namespace tv::test {

class ScratchFolder {
  public:
    ScratchFolder() {
        namespace fs = std::filesystem;
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() /
                ("tessaravine-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
            std::error_code error;
            if (fs::create_directory(candidate, error)) path_ = candidate.generic_u8string();
        }
        if (path_.empty()) ADD_FAILURE() << "no scratch folder could be made";
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::u8path(path_), error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // '/'-separated, as the program's paths are.
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace tv::test
