#include "app/desktop/mpg123_voice.h"

#include <mpg123.h>
#include <out123.h>

#include <memory>
#include <utility>
#include <vector>

namespace tv {

namespace {

constexpr size_t kChunkBytes = 16 * 1024;

struct DecoderDeleter {
    void operator()(mpg123_handle* decoder) const {
        mpg123_close(decoder);
        mpg123_delete(decoder);
    }
};
struct OutputDeleter {
    void operator()(out123_handle* output) const { out123_del(output); }
};
using Decoder = std::unique_ptr<mpg123_handle, DecoderDeleter>;
using Output = std::unique_ptr<out123_handle, OutputDeleter>;

const char* OrDefault(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The decoder of the file, held to the one format the file starts with; null when the file
// cannot be read as mp3.
Decoder OpenDecoder(const std::string& path, long* rate, int* channels, int* encoding) {
    Decoder decoder(mpg123_new(nullptr, nullptr));
    if (!decoder || mpg123_open(decoder.get(), path.c_str()) != MPG123_OK ||
        mpg123_getformat(decoder.get(), rate, channels, encoding) != MPG123_OK) {
        return nullptr;
    }
    mpg123_format_none(decoder.get());
    mpg123_format(decoder.get(), *rate, *channels, *encoding);
    return decoder;
}

}  // namespace

Mpg123Voice::Mpg123Voice(std::string driver, std::string device)
    : driver_(std::move(driver)), device_(std::move(device)) {}

Mpg123Voice::~Mpg123Voice() { Stop(); }

void Mpg123Voice::Play(const std::string& path, bool wait) {
    Stop();
    stopRequested_ = false;
    player_ = std::thread([this, path] { PlayFile(path); });
    if (wait) player_.join();
}

void Mpg123Voice::Stop() {
    stopRequested_ = true;
    if (player_.joinable()) player_.join();
}

// Anything that fails plays nothing: a missing file or sound device is not an error.
void Mpg123Voice::PlayFile(const std::string& path) {
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    const Decoder decoder = OpenDecoder(path, &rate, &channels, &encoding);
    if (!decoder) return;
    const Output output(out123_new());
    if (!output || out123_open(output.get(), OrDefault(driver_), OrDefault(device_)) != OUT123_OK ||
        out123_start(output.get(), rate, channels, encoding) != OUT123_OK) {
        return;
    }
    std::vector<unsigned char> chunk(kChunkBytes);
    size_t decoded = 0;
    while (!stopRequested_ &&
           mpg123_read(decoder.get(), chunk.data(), chunk.size(), &decoded) == MPG123_OK) {
        out123_play(output.get(), chunk.data(), decoded);
    }
    if (!stopRequested_) out123_drain(output.get());
    out123_stop(output.get());
}

}  // namespace tv
