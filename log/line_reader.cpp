#include "log/line_reader.h"

#include <algorithm>

namespace tv {

void LineReader::Reset() {
    buffer_.clear();
    pos_ = 0;
}

bool LineReader::Next(File* file, std::string* line) {
    line->clear();
    bool consumedAny = false;
    for (;;) {
        if (pos_ == buffer_.size() && !Refill(file)) break;
        consumedAny = true;
        const size_t lineEnd = buffer_.find('\n', pos_);
        const size_t end = lineEnd == std::string::npos ? buffer_.size() : lineEnd;
        const size_t room = kMaxLineBytes - line->size();
        line->append(buffer_, pos_, std::min(end - pos_, room));
        if (lineEnd != std::string::npos) {
            pos_ = lineEnd + 1;
            break;
        }
        pos_ = buffer_.size();
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return consumedAny;
}

bool LineReader::Refill(File* file) {
    buffer_.resize(kChunkBytes);
    const int64_t got = file->Read(buffer_.data(), buffer_.size());
    buffer_.resize(got > 0 ? static_cast<size_t>(got) : 0);
    pos_ = 0;
    return got > 0;
}

}  // namespace tv
