// The media kind a medium's card name stores: the kind's code in hexadecimal.
#pragma once

#include <optional>
#include <string>

#include "controller/ports/media_identity.h"

namespace tv {

// The card name read as a hexadecimal number; 0 for a text that is not only hexadecimal digits
// or whose value does not fit a kind code (an int).
int KindOfCardName(const std::string& text);

// The kind stored on the medium in letter; nothing when it has no card name or names no kind.
std::optional<int> StoredCardKind(MediaIdentity& media, char letter);

}  // namespace tv
