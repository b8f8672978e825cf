#include "cardprobe/storage_texts.h"

#include <cstring>

namespace tv::cardprobe {

namespace {

void CopyText(const std::string& text, char (&field)[128]) {
    const std::size_t length = text.size() < sizeof field ? text.size() : sizeof field - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

void PutStorageTexts(const StorageTexts& texts, MediaInfo* info) {
    CopyText(texts.vendor, info->vendor);
    CopyText(texts.product, info->product);
    info->mediaKind = Classify(info->product);
}

}  // namespace tv::cardprobe
