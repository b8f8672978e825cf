// The voice guidance as the frame sees it: recordings from the folder "voice" beside the
// program, one at a time.
#pragma once

#include <string>

namespace tv {

class Voice {
  public:
    virtual ~Voice() = default;
    // Plays the file at path from its start, after stopping any recording that still plays.
    // With wait, returns when it has ended; otherwise at once. A missing file or sound device
    // plays nothing and is not an error.
    virtual void Play(const std::string& path, bool wait) = 0;
    // Stops what plays; nothing when nothing does.
    virtual void Stop() = 0;
};

}  // namespace tv
