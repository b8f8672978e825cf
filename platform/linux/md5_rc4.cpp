// MD5 and RC4 through nettle.
#include "platform/md5_rc4.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

namespace tv {
namespace {

const uint8_t* BytesOf(const std::string& text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}

}  // namespace

bool ComputeMd5(const std::string& bytes, Md5Digest* digest) {
    md5_ctx context;
    md5_init(&context);
    md5_update(&context, bytes.size(), BytesOf(bytes));
    md5_digest(&context, digest->size(), digest->data());
    return true;
}

bool ApplyRc4(const std::string& key, const std::string& data, std::string* result) {
    if (key.empty() || key.size() > kMaxRc4KeyBytes) return false;
    arcfour_ctx context;
    arcfour_set_key(&context, key.size(), BytesOf(key));
    std::string crypted(data.size(), '\0');
    arcfour_crypt(&context, data.size(), reinterpret_cast<uint8_t*>(crypted.data()), BytesOf(data));
    *result = std::move(crypted);
    return true;
}

}  // namespace tv
