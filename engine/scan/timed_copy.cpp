#include "engine/scan/timed_copy.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace tv {

namespace {

constexpr size_t kTextBytes = sizeof kTestFileText - 1;
static_assert(kTestMegabyte % kTextBytes == 0, "the file is whole copies of the text");

void Pause(int32_t milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint64_t ElapsedMs(std::chrono::steady_clock::time_point start) {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
}

bool Stopped(const std::atomic<bool>* stop) { return stop != nullptr && *stop; }

bool CopyBlocks(File& from, File& to, int32_t blockSize, int32_t pauseMs,
                const std::atomic<bool>* stop) {
    std::vector<char> block(static_cast<size_t>(blockSize));
    for (;;) {
        if (Stopped(stop)) return false;
        const int64_t read = from.Read(block.data(), block.size());
        if (read < 0) return false;
        Pause(pauseMs);
        if (read > 0 && !to.Write(block.data(), static_cast<size_t>(read))) return false;
        Pause(pauseMs);
        if (static_cast<size_t>(read) < block.size()) return true;
    }
}

}  // namespace

uint64_t TestFileBytes(uint32_t megabytes) { return uint64_t{megabytes} * kTestMegabyte; }

bool WriteTestFile(const std::string& path, uint32_t megabytes, const std::atomic<bool>* stop) {
    File file;
    if (!file.CreateForWrite(path, false, true)) return false;
    // One test megabyte of text at a time: 32,000 copies of it.
    std::string chunk;
    chunk.reserve(kTestMegabyte);
    while (chunk.size() < kTestMegabyte) chunk.append(kTestFileText, kTextBytes);
    for (uint32_t written = 0; written < megabytes; ++written) {
        if (Stopped(stop) || !file.Write(chunk.data(), chunk.size())) return false;
    }
    return true;
}

uint64_t TimedCopy(const TimedCopyOrder& order, const std::atomic<bool>* stop) {
    File from;
    File to;
    if (order.blockSize <= 0 || !from.OpenForRead(order.source, false, true) ||
        !to.CreateForWrite(order.destination, false, true)) {
        Pause(1);
        return 0;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool copied = CopyBlocks(from, to, order.blockSize, order.pauseMs, stop);
    from.Close();
    to.Close();
    const uint64_t elapsed = ElapsedMs(start);
    return copied ? elapsed : 0;
}

}  // namespace tv
