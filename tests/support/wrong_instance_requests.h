// What a caller of the running instance may say instead of its one request: nothing, part of
// it, more than it, something else, far too much, and the request with a zero byte inside.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

inline std::vector<std::string> WrongInstanceRequests() {
    return {"",
            "open",
            "open-settings",
            "open-settings\nmore",
            "close\n",
            std::string(4096, 'x'),
            std::string("open-settings\0\n", 15)};
}

}  // namespace tv::test
