// Feeds arbitrary bytes to the two identity files on a medium, as the serial number file and as
// the card name file. A serial number read must be 16 digits, since the program names the
// medium's folder after it; a card name must stay within its 32 bytes, and any kind read from
// it must come from hexadecimal digits alone.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "cardprobe/identity_files.h"
#include "controller/removable/card_kind.h"

namespace {

// A temporary medium root (ending with its separator), removed at exit.
class ScratchMedium {
  public:
    ScratchMedium() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-medium-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~ScratchMedium() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Root() const { return path_.string() + "/"; }
    void Put(const char* name, const uint8_t* data, size_t size) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

  private:
    std::filesystem::path path_;
};

bool IsDigits(const char* text, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

void CheckSerialNumber(const std::string& root) {
    char buffer[tv::cardprobe::kSerialLength + 1];
    std::memset(buffer, '#', sizeof buffer);
    if (tv::cardprobe::ReadSerialNumber(root, buffer) == 0) return;
    if (buffer[tv::cardprobe::kSerialLength] != '\0' ||
        !IsDigits(buffer, tv::cardprobe::kSerialLength)) {
        std::abort();
    }
}

void CheckCardName(const std::string& root) {
    char buffer[tv::cardprobe::kMaxCardName + 1];
    std::memset(buffer, '#', sizeof buffer);
    if (tv::cardprobe::ReadCardName(root, buffer) == 0) return;
    const size_t length = ::strnlen(buffer, sizeof buffer);
    if (length == sizeof buffer) std::abort();
    const std::string text(buffer, length);
    const int kind = tv::KindOfCardName(text);
    if (kind < 0) std::abort();
    if (kind > 0 && text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchMedium medium;
    medium.Put(tv::cardprobe::kSerialFileName, data, size);
    medium.Put(tv::cardprobe::kCardNameFileName, data, size);
    CheckSerialNumber(medium.Root());
    CheckCardName(medium.Root());
    return 0;
}
