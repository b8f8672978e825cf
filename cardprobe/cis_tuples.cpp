#include "cardprobe/cis_tuples.h"

#include <cstring>

#include "cardprobe/small_file.h"

namespace tv::cardprobe {

namespace {

constexpr uint8_t kTupleEnd = 0xFF;
constexpr uint8_t kTupleVersion1 = 0x15;
// As much of the structure as the socket's driver hands over in one reply.
constexpr std::size_t kMaxStructureSize = 512;

struct Span {
    const uint8_t* data;
    std::size_t size;
};

// The data of the first complete version-1 tuple; data is null when there is none.
Span FindVersionTuple(const uint8_t* bytes, std::size_t size) {
    std::size_t at = 0;
    while (at + 2 <= size && bytes[at] != kTupleEnd) {
        const uint8_t code = bytes[at];
        const std::size_t length = bytes[at + 1];
        const std::size_t data = at + 2;
        if (length > size - data) break;
        if (code == kTupleVersion1) return Span{bytes + data, length};
        at = data + length;
    }
    return Span{nullptr, 0};
}

// Copies the text that starts at *at (ended by NUL, by the 0xFF that ends the list of texts,
// or by the end of the tuple) into field, cut to fit with its NUL. Moves *at past the NUL;
// after a list end or the end of the tuple there are no more texts.
void TakeText(Span tuple, std::size_t* at, char* field, std::size_t fieldSize) {
    std::size_t length = 0;
    while (*at < tuple.size && tuple.data[*at] != 0 && tuple.data[*at] != kTupleEnd) {
        if (length + 1 < fieldSize) field[length++] = static_cast<char>(tuple.data[*at]);
        ++*at;
    }
    field[length] = '\0';
    if (*at < tuple.size && tuple.data[*at] == 0) {
        ++*at;
    } else {
        *at = tuple.size;
    }
}

}  // namespace

bool ParseVersionTuple(const uint8_t* bytes, std::size_t size, PcmciaTupleInfo* info) {
    const Span tuple = FindVersionTuple(bytes, size);
    if (tuple.data == nullptr || tuple.size < 2) return false;
    PcmciaTupleInfo parsed;
    std::memset(&parsed, 0, sizeof parsed);
    parsed.major = tuple.data[0];
    parsed.minor = tuple.data[1];
    std::size_t at = 2;
    TakeText(tuple, &at, parsed.manufacturer, sizeof parsed.manufacturer);
    TakeText(tuple, &at, parsed.product, sizeof parsed.product);
    *info = parsed;
    return true;
}

bool ReadPcmciaVersion(const std::string& sysfsRoot, unsigned short selector,
                       PcmciaTupleInfo* info) {
    const std::string path =
        sysfsRoot + "/class/pcmcia_socket/pcmcia_socket" + std::to_string(selector) + "/cis";
    std::string structure;
    if (!ReadFilePrefix(path, kMaxStructureSize, &structure)) return false;
    return ParseVersionTuple(reinterpret_cast<const uint8_t*>(structure.data()), structure.size(),
                             info);
}

}  // namespace tv::cardprobe
