#include "platform/linux/volume_letter_memory.h"

#include <algorithm>

#include "platform/file_system.h"

namespace tv {
namespace {

constexpr size_t kMaxKeyLength = 1024;
constexpr size_t kMaxFileSize = kMaxRememberedVolumes * (kMaxKeyLength + 4);

bool IsWritableKey(const std::string& key) {
    return !key.empty() && key.size() <= kMaxKeyLength &&
           key.find_first_of("\t\r\n") == std::string::npos;
}

bool IsLetter(char letter) { return letter >= 'A' && letter <= 'Z'; }

bool ParseLine(std::string line, std::pair<std::string, char>* entry) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 2 != line.size()) return false;
    entry->first = line.substr(0, tab);
    entry->second = line[tab + 1];
    return IsWritableKey(entry->first) && IsLetter(entry->second);
}

}  // namespace

bool VolumeLetterMemory::Load(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) {
        entries_.clear();
        return !PathExists(path);
    }
    if (Parse(bytes)) return true;
    entries_.clear();
    return false;
}

bool VolumeLetterMemory::Parse(const std::string& bytes) {
    if (bytes.size() > kMaxFileSize) return false;
    std::vector<std::pair<std::string, char>> entries;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t end = std::min(bytes.find('\n', pos), bytes.size());
        std::pair<std::string, char> entry;
        if (!ParseLine(bytes.substr(pos, end - pos), &entry)) return false;
        entries.push_back(std::move(entry));
        pos = end + 1;
    }
    if (entries.size() > kMaxRememberedVolumes) return false;
    entries_ = std::move(entries);
    return true;
}

std::string VolumeLetterMemory::Format() const {
    std::string bytes;
    for (const auto& [key, letter] : entries_) bytes += key + '\t' + letter + "\r\n";
    return bytes;
}

bool VolumeLetterMemory::Save(const std::string& path) const {
    return WriteFileAtomically(path, Format());
}

char VolumeLetterMemory::LetterOf(const std::string& key) const {
    for (const auto& entry : entries_) {
        if (entry.first == key) return entry.second;
    }
    return 0;
}

bool VolumeLetterMemory::IsHeldByAbsentVolume(char letter,
                                              const std::vector<std::string>& presentKeys) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
        return entry.second == letter &&
               std::find(presentKeys.begin(), presentKeys.end(), entry.first) == presentKeys.end();
    });
}

void VolumeLetterMemory::Remember(const std::string& key, char letter) {
    if (!IsWritableKey(key) || !IsLetter(letter)) return;
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const auto& entry) { return entry.first == key; }),
                   entries_.end());
    entries_.emplace_back(key, letter);
    if (entries_.size() > kMaxRememberedVolumes) entries_.erase(entries_.begin());
}

}  // namespace tv
