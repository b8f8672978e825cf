// settings-dialog-size.txt in the config folder: the size the user last gave the settings dialog,
// so that it opens at that size again. One line: the width and the height of the client area in
// logical pixels, in decimal, separated by one space, ending in CR LF ("900 600\r\n"; LF or no
// line end are read too). The file is the program's own and is read whole or not at all: a
// file of any other form (a sign, a leading zero, a number out of range, a byte more) is
// ignored, and the dialog opens at its smallest size.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tv {

constexpr const char* kDialogSizeFileName = "settings-dialog-size.txt";
// Larger than any screen; a number beyond it is not a size the program wrote.
constexpr int kMaxWindowExtent = 65535;
constexpr size_t kMaxWindowSizeFileSize = 16;

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize& other) const {
        return width == other.width && height == other.height;
    }
};

std::optional<WindowSize> ParseWindowSize(const std::string& bytes);
std::string FormatWindowSize(WindowSize size);

// Nothing when the file is missing, unreadable or damaged.
std::optional<WindowSize> ReadWindowSizeFile(const std::string& path);
bool WriteWindowSizeFile(const std::string& path, WindowSize size);

}  // namespace tv
