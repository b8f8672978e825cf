// The media kind a medium's card name stores: the kind's code in hexadecimal.
#pragma once

#include <optional>
#include <string>

#include "controller/ports/media_identity.h"

namespace tv {

// 0 for a text that is no number or names no kind.
int KindOfCardName(const std::string& text);

// The kind stored on the medium in letter; nothing when it has no card name or names no kind.
std::optional<int> StoredCardKind(MediaIdentity& media, char letter);

}  // namespace tv
