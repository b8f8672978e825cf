// The letters volumes had, so a medium that comes back gets its letter again. Kept in a small
// file in the config folder, one line per volume: key (the file-system UUID, or the source of a
// network mount), a tab, the letter; CR LF line ends. The most recently seen volumes come last;
// the oldest are forgotten beyond kMaxRememberedVolumes.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tv {

constexpr size_t kMaxRememberedVolumes = 256;

class VolumeLetterMemory {
  public:
    // Reads the file. A missing file is an empty memory; a damaged one (a line without exactly
    // one tab, a bad key or letter, too many lines, too large) is ignored as a whole and false
    // is returned.
    bool Load(const std::string& path);
    bool Save(const std::string& path) const;

    // The letter remembered for key, or 0.
    char LetterOf(const std::string& key) const;
    // True when a volume not among the present ones is remembered under letter.
    bool IsHeldByAbsentVolume(char letter, const std::vector<std::string>& presentKeys) const;
    // Records that key has letter now; keys that cannot be written (empty, holding a tab or a
    // line end) are not remembered.
    void Remember(const std::string& key, char letter);

    std::string Format() const;
    bool Parse(const std::string& bytes);

  private:
    std::vector<std::pair<std::string, char>> entries_;
};

}  // namespace tv
