#include "controller/removable/card_kind.h"

#include <cstdlib>

namespace tv {

int KindOfCardName(const std::string& text) {
    return static_cast<int>(std::strtoul(text.c_str(), nullptr, 16));
}

std::optional<int> StoredCardKind(MediaIdentity& media, char letter) {
    const std::optional<std::string> cardName = media.CardName(letter);
    if (!cardName) return std::nullopt;
    const int kind = KindOfCardName(*cardName);
    if (kind == 0) return std::nullopt;
    return kind;
}

}  // namespace tv
