#include "app/desktop/mpg123_voice.h"

#include <mpg123.h>
#include <out123.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace tv {

namespace {

// About an eighth of a second of the recordings' sound: Stop waits at most for one chunk to be
// taken by the device.
constexpr size_t kChunkBytes = 4 * 1024;

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
    if (!decoder || mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0) != MPG123_OK ||
        mpg123_open(decoder.get(), path.c_str()) != MPG123_OK ||
        mpg123_getformat(decoder.get(), rate, channels, encoding) != MPG123_OK) {
        return nullptr;
    }
    mpg123_format_none(decoder.get());
    mpg123_format(decoder.get(), *rate, *channels, *encoding);
    return decoder;
}

// The desktop's sound servers, in the order they are tried when no driver is asked for: the
// PulseAudio protocol (which PipeWire serves too), then ALSA. libout123's own default order
// would also try modules such as OpenAL, whose stand-in device on a machine without sound
// takes the first samples and then never finishes playing.
const char* const kDesktopSound[] = {"pulse", "alsa"};

// The drivers libout123 can load here: its built-in writers and the sound modules installed.
std::vector<std::string> ReachableDrivers(out123_handle* output) {
    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = out123_drivers(output, &names, &descriptions);
    if (count <= 0) return {};
    std::vector<std::string> drivers(names, names + count);
    out123_stringlists_free(names, descriptions, count);
    return drivers;
}

// The comma-separated list to open: the driver asked for, or the desktop's sound servers, each
// only when libout123 has it; "" when it has none. libout123 prints to standard error, whatever
// its flags, when it looks for a module in vain (libout123 alone comes without any: the sound
// modules are in Debian's mpg123 package).
std::string DriversToOpen(out123_handle* output, const std::string& driver) {
    const std::vector<std::string> reachable = ReachableDrivers(output);
    const auto has = [&](const std::string& name) {
        return std::find(reachable.begin(), reachable.end(), name) != reachable.end();
    };
    if (!driver.empty()) return has(driver) ? driver : "";
    std::string list;
    for (const char* server : kDesktopSound) {
        if (has(server)) list += (list.empty() ? "" : ",") + std::string(server);
    }
    return list;
}

// The sound device (or file) started for the format; null when there is none. Quiet, as the
// decoder: a desktop without sound is no error worth a message.
Output OpenOutput(const std::string& driver, const std::string& device, long rate, int channels,
                  int encoding) {
    Output output(out123_new());
    if (!output || out123_param_int(output.get(), OUT123_FLAGS, OUT123_QUIET) != OUT123_OK) {
        return nullptr;
    }
    const std::string drivers = DriversToOpen(output.get(), driver);
    if (drivers.empty() ||
        out123_open(output.get(), drivers.c_str(), OrDefault(device)) != OUT123_OK ||
        out123_start(output.get(), rate, channels, encoding) != OUT123_OK) {
        return nullptr;
    }
    return output;
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
    const Output output = OpenOutput(driver_, device_, rate, channels, encoding);
    if (!output) return;
    std::vector<unsigned char> chunk(kChunkBytes);
    int decoding = MPG123_OK;
    while (!stopRequested_ && decoding == MPG123_OK) {
        size_t decoded = 0;
        decoding = mpg123_read(decoder.get(), chunk.data(), chunk.size(), &decoded);
        // The read that reports the end may still hand over the last samples.
        if (decoding == MPG123_OK || decoding == MPG123_DONE) {
            out123_play(output.get(), chunk.data(), decoded);
        }
    }
    // A stopped recording ends at once: what the device still holds is dropped, not played.
    if (stopRequested_) {
        out123_drop(output.get());
    } else {
        out123_drain(output.get());
    }
    out123_stop(output.get());
}

}  // namespace tv
