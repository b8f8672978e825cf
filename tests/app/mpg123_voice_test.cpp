// The voice player with the real recordings of assets/voice, played into libout123's WAV file
// writer: every recording gives sound, what cannot be played gives nothing and says nothing, and
// a recording that is not waited for ends when the next one starts, at Stop and with the player.
#include "app/desktop/mpg123_voice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/spawned_process.h"
#include "tests/support/test_world.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kWavDriver = "wav";
constexpr size_t kWavHeaderBytes = 44;
// The recordings are 16 kHz mono, 16-bit samples.
constexpr size_t kBytesPerSecond = 16000 * 2;

std::string Recording(const std::string& name) { return JoinPath(TV_VOICE_FOLDER, name); }

const char* const kRecordings[] = {"02_compact.mp3",
                                   "03_smart.mp3",
                                   "04_microdrive.mp3",
                                   "05_secure.mp3",
                                   "06_multimedia.mp3",
                                   "07_stick.mp3",
                                   "08_mo.mp3",
                                   "09_usbmemory.mp3",
                                   "10_miniture.mp3",
                                   "11_usbFD.mp3",
                                   "12_FD.mp3",
                                   "13_zip.mp3",
                                   "14_usbHDD.mp3",
                                   "15_new_removable.mp3",
                                   "16_backup_oky.mp3",
                                   "17_error_backup.mp3",
                                   "18_mirroring_oky.mp3",
                                   "19_error_mirroring.mp3",
                                   "20_start_backup.mp3",
                                   "21_start_mirroring.mp3"};

// The 16-bit samples after the 44-byte header the WAV writer puts first; a short file has none.
std::vector<int16_t> Samples(const std::string& wav) {
    std::vector<int16_t> samples;
    if (wav.size() <= kWavHeaderBytes) return samples;
    samples.resize((wav.size() - kWavHeaderBytes) / sizeof(int16_t));
    std::memcpy(samples.data(), wav.data() + kWavHeaderBytes, samples.size() * sizeof(int16_t));
    return samples;
}

bool HasSound(const std::string& wav) {
    for (const int16_t sample : Samples(wav)) {
        if (sample != 0) return true;
    }
    return false;
}

// The whole WAV a recording gives when it plays to its end.
std::string PlayedToTheEnd(const std::string& recording, const std::string& wavFile) {
    Mpg123Voice(kWavDriver, wavFile).Play(recording, true);
    return FileBytes(wavFile);
}

// A named pipe as the WAV writer's file, read slowly from a small pipe buffer, so that a
// recording plays for a while as it does on a sound device. Whatever the player writes into it,
// through one opening or several, is heard as one stream.
class SlowListener {
  public:
    explicit SlowListener(std::string fifo) : fifo_(std::move(fifo)) {
        mkfifo(fifo_.c_str(), 0600);
        reader_ = std::thread([this] { Listen(); });
    }
    ~SlowListener() { Finish(); }

    const std::string& fifo() const { return fifo_; }
    // Waits until at least bytes have been heard; false when they never were.
    bool HeardAtLeast(size_t bytes) {
        return WaitUntil(std::chrono::seconds(10), [&] { return heardBytes_.load() >= bytes; });
    }
    // Stops listening once the player has closed the pipe (the reader waiting for the next
    // opening is let go by opening and closing the pipe here) and returns what was heard.
    std::string Finish() {
        done_ = true;
        if (!reader_.joinable()) return heard_;
        WaitUntil(std::chrono::seconds(10), [this] {
            const int release = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
            if (release >= 0) close(release);
            return finished_.load();
        });
        reader_.join();
        return heard_;
    }

  private:
    void Listen() {
        while (!done_) ListenToOneOpening();
        finished_ = true;
    }
    void ListenToOneOpening() {
        const int fd = open(fifo_.c_str(), O_RDONLY);
        if (fd < 0) return;
        fcntl(fd, F_SETPIPE_SZ, 4096);
        char buffer[512];
        ssize_t got = 0;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) {
            heard_.append(buffer, static_cast<size_t>(got));
            heardBytes_ = heard_.size();
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        close(fd);
    }

    std::string fifo_;
    std::atomic<bool> done_{false};
    std::atomic<bool> finished_{false};
    std::atomic<size_t> heardBytes_{0};
    std::string heard_;
    std::thread reader_;
};

// A stream of WAV files cut at each header.
std::vector<std::string> WavFiles(const std::string& stream) {
    std::vector<size_t> starts;
    for (size_t at = stream.find("RIFF"); at != std::string::npos;
         at = stream.find("RIFF", at + 1)) {
        if (stream.compare(at + 8, 8, "WAVEfmt ") == 0) starts.push_back(at);
    }
    std::vector<std::string> files;
    for (size_t i = 0; i < starts.size(); ++i) {
        const size_t end = i + 1 < starts.size() ? starts[i + 1] : stream.size();
        files.push_back(stream.substr(starts[i], end - starts[i]));
    }
    return files;
}

class Mpg123VoiceTest : public ::testing::Test {
  protected:
    std::string File(const std::string& name) const { return JoinPath(world_.base(), name); }

    TestWorld world_;
};

TEST_F(Mpg123VoiceTest, EveryRecordingPlaysAShortAnnouncement) {
    for (const char* name : kRecordings) {
        SCOPED_TRACE(name);
        const std::string wav = PlayedToTheEnd(Recording(name), File(std::string(name) + ".wav"));
        ASSERT_GT(wav.size(), kWavHeaderBytes);
        EXPECT_EQ(wav.compare(0, 4, "RIFF"), 0);
        EXPECT_TRUE(HasSound(wav));
        EXPECT_GT(wav.size(), kBytesPerSecond / 2);
        EXPECT_LT(wav.size(), kBytesPerSecond * 6);
    }
}

TEST_F(Mpg123VoiceTest, WhatCannotBePlayedIsSilent) {
    PutFileBytes(File("notes.mp3"), "these are no mp3 frames\n");
    struct Case {
        const char* what;
        std::string recording;
        const char* driver;
    };
    const Case cases[] = {
        {"missing file", File("missing.mp3"), kWavDriver},
        {"not an mp3", File("notes.mp3"), kWavDriver},
        {"no such sound device", Recording("02_compact.mp3"), "no-such-driver"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string output = File(std::string(c.what) + ".wav");
        testing::internal::CaptureStderr();
        Mpg123Voice(c.driver, output).Play(c.recording, true);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_NE(access(output.c_str(), F_OK), 0) << "an output was made";
    }
}

// The first recording plays slowly into a pipe; whatever ends it must close it before the
// second starts, having played only part of it.
TEST_F(Mpg123VoiceTest, ARecordingNotWaitedForEndsWhenPlayingIsEnded) {
    const std::string first = Recording("15_new_removable.mp3");
    const std::string second = Recording("20_start_backup.mp3");
    const size_t firstWhole = PlayedToTheEnd(first, File("first.wav")).size();
    const std::string secondWhole = PlayedToTheEnd(second, File("second.wav"));
    struct Case {
        const char* ender;
        std::function<void(std::unique_ptr<Mpg123Voice>&)> end;
        bool followedBySecond;
    };
    const Case cases[] = {
        {"the next recording", [&](auto& voice) { voice->Play(second, true); }, true},
        {"Stop", [](auto& voice) { voice->Stop(); }, false},
        {"the player going", [](auto& voice) { voice.reset(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ender);
        SlowListener listener(File(std::string(c.ender) + ".fifo"));
        auto voice = std::make_unique<Mpg123Voice>(kWavDriver, listener.fifo());
        voice->Play(first, false);
        ASSERT_TRUE(listener.HeardAtLeast(8 * 1024)) << "the first recording never played";
        c.end(voice);
        const std::vector<std::string> heard = WavFiles(listener.Finish());
        ASSERT_EQ(heard.size(), c.followedBySecond ? 2u : 1u);
        EXPECT_LT(heard[0].size(), firstWhole) << "the first recording played to its end";
        if (c.followedBySecond) {
            EXPECT_EQ(heard[1].size(), secondWhole.size());
            EXPECT_TRUE(HasSound(heard[1]));
        }
    }
}

}  // namespace
}  // namespace tv::test
