#include "controller/removable/card_kind.h"

#include <climits>

namespace tv {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

// Only hexadecimal digits, and a value that fits: a sign, blanks, a "0x" prefix, trailing text
// or a number too large make the card name no number at all, whatever a medium holds.
int KindOfCardName(const std::string& text) {
    long long value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return 0;
        value = value * 16 + digit;
        if (value > INT_MAX) return 0;
    }
    return static_cast<int>(value);
}

std::optional<int> StoredCardKind(MediaIdentity& media, char letter) {
    const std::optional<std::string> cardName = media.CardName(letter);
    if (!cardName) return std::nullopt;
    const int kind = KindOfCardName(*cardName);
    if (kind == 0) return std::nullopt;
    return kind;
}

}  // namespace tv
