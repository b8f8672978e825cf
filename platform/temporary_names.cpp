#include "platform/temporary_names.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {
namespace {

// Room left in a 255-byte name for the leading dot, the marker and the random part.
constexpr size_t kMaxBaseBytes = 200;
constexpr size_t kRandomChars = 6;
constexpr const char* kMarker = ".tv";
constexpr const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The first maxBytes bytes at most of a UTF-8 name, without splitting a character.
std::string ShortenedName(const std::string& name, size_t maxBytes) {
    if (name.size() <= maxBytes) return name;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.substr(0, cut);
}

bool IsRandomChar(char c) { return c != '\0' && std::strchr(kAlphabet, c) != nullptr; }

std::string RandomChars(size_t count) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::string text;
    for (size_t i = 0; i < count; ++i) text += kAlphabet[pick(generator)];
    return text;
}

}  // namespace

std::string TemporaryBesideStem(const std::string& path) {
    return JoinPath(ContainingFolder(path),
                    "." + ShortenedName(AfterLastSeparator(path), kMaxBaseBytes) + kMarker);
}

std::string RandomTemporaryPart() { return RandomChars(kRandomChars); }

std::string CreateTemporaryBesideWith(const std::string& path,
                                      const std::function<bool(const std::string&)>& create) {
    const std::string stem = TemporaryBesideStem(path);
    for (int attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
        std::string name = stem + RandomTemporaryPart();
        if (create(name)) return name;
        if (LastFileError() != FileError::Exists) break;
    }
    return std::string();
}

bool IsTemporaryBesideName(const std::string& name) {
    const size_t marker = std::strlen(kMarker);
    const size_t fixed = 1 + marker + kRandomChars;
    if (name.size() <= fixed || name.size() > fixed + kMaxBaseBytes || name[0] != '.') {
        return false;
    }
    const size_t random = name.size() - kRandomChars;
    return name.compare(random - marker, marker, kMarker) == 0 &&
           std::all_of(name.begin() + random, name.end(), IsRandomChar);
}

}  // namespace tv
