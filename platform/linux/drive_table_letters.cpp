#include "platform/linux/drive_table_letters.h"

#include <utility>

namespace tv {
namespace {

uint32_t Bit(char letter) { return 1u << (letter - 'A'); }

// The letters a request may have, in the order they are tried.
std::string AllowedLetters(const LetterRequest& request) {
    const std::string fromD = "DEFGHIJKLMNOPQRSTUVWXYZ";
    if (request.systemRoot) return "C" + fromD;
    if (request.floppy) return "AB" + fromD;
    return fromD;
}

class LetterPool {
  public:
    LetterPool(uint32_t taken, const VolumeLetterMemory& memory,
               std::vector<std::string> presentKeys)
        : taken_(taken), memory_(memory), presentKeys_(std::move(presentKeys)) {}

    bool IsFree(char letter) const { return (taken_ & Bit(letter)) == 0; }
    void Take(char letter) { taken_ |= Bit(letter); }

    // The remembered letter of the request when it is allowed and free.
    char Remembered(const LetterRequest& request) const {
        const char letter = request.key.empty() ? 0 : memory_.LetterOf(request.key);
        const bool allowed =
            letter != 0 && AllowedLetters(request).find(letter) != std::string::npos;
        return allowed && IsFree(letter) ? letter : 0;
    }

    char FirstFree(const LetterRequest& request) const {
        const std::string allowed = AllowedLetters(request);
        for (const char letter : allowed) {
            if (IsFree(letter) && !memory_.IsHeldByAbsentVolume(letter, presentKeys_))
                return letter;
        }
        for (const char letter : allowed) {
            if (IsFree(letter)) return letter;
        }
        return 0;
    }

  private:
    uint32_t taken_;
    const VolumeLetterMemory& memory_;
    std::vector<std::string> presentKeys_;
};

std::vector<std::string> KeysOf(const std::vector<LetterRequest>& requests) {
    std::vector<std::string> keys;
    for (const LetterRequest& request : requests) keys.push_back(request.key);
    return keys;
}

}  // namespace

std::vector<char> AssignDriveLetters(const std::vector<LetterRequest>& requests, uint32_t taken,
                                     VolumeLetterMemory* memory) {
    LetterPool pool(taken, *memory, KeysOf(requests));
    std::vector<char> letters(requests.size(), 0);
    // The system root first, then the volumes that come back, so a new volume never takes a
    // letter from one that is present.
    for (size_t i = 0; i < requests.size(); ++i) {
        if (requests[i].systemRoot && pool.IsFree('C')) pool.Take(letters[i] = 'C');
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        if (letters[i] == 0 && (letters[i] = pool.Remembered(requests[i])) != 0)
            pool.Take(letters[i]);
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        if (letters[i] == 0 && (letters[i] = pool.FirstFree(requests[i])) != 0)
            pool.Take(letters[i]);
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        if (letters[i] != 0 && !requests[i].systemRoot)
            memory->Remember(requests[i].key, letters[i]);
    }
    return letters;
}

}  // namespace tv
