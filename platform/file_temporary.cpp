#include <cerrno>
#include <random>

#include "platform/file_system.h"
#include "platform/linux/network_paths.h"
#include "platform/paths.h"

namespace tv {
namespace {

// Room left in a 255-byte name for the leading dot, the marker and the random part.
constexpr size_t kMaxBaseBytes = 200;
constexpr size_t kRandomChars = 6;
// Names already taken are passed over; this many taken in a row means something else is wrong.
constexpr int kMaxAttempts = 100;

// The first maxBytes bytes at most of a UTF-8 name, without splitting a character.
std::string ShortenedName(const std::string& name, size_t maxBytes) {
    if (name.size() <= maxBytes) return name;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.substr(0, cut);
}

std::string RandomChars(size_t count) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::string text;
    for (size_t i = 0; i < count; ++i) text += kAlphabet[pick(generator)];
    return text;
}

}  // namespace

bool File::CreateTemporaryBeside(const std::string& target, std::string* temporaryPath,
                                 uint32_t mode) {
    Close();
    // An unreachable network path must not turn into a file in the current folder.
    const std::string path = ToLocalPath(target);
    if (path.empty()) return false;
    const std::string stem =
        JoinPath(ContainingFolder(path),
                 "." + ShortenedName(AfterLastSeparator(path), kMaxBaseBytes) + ".tv");
    // Made by the kernel with the mask applied, as any new file, so that what the folder's
    // default access list or the process's mask keeps out is kept out of the temporary too.
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::string name = stem + RandomChars(kRandomChars);
        if (CreateNewForWrite(name, /*exclusive=*/false, /*sequential=*/false, mode)) {
            *temporaryPath = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

}  // namespace tv
