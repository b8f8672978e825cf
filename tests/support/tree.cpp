#include "tests/support/tree.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win_constants.h"

namespace tv::test {
namespace {

namespace fs = std::filesystem;

// Longer contents are printed as their size and first bytes so failures stay readable.
constexpr size_t kPrintedContentLimit = 200;

// What a tree holds of one entry, read without following a link.
struct EntryFacts {
    bool folder = false;
    bool file = false;  // a regular file; anything else is passed over
    int64_t mtime = 0;
    bool readOnly = false;
};

#ifdef _WIN32
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;

bool ReadEntryFacts(const fs::path& path, EntryFacts* facts) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts->folder = !link && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts->file = !link && !facts->folder;
    const int64_t ticks =
        static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime);
    facts->mtime = (ticks - kTicksFrom1601To1970) / kTicksPerSecond;
    facts->readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return true;
}

bool SetModificationTime(const fs::path& path, int64_t seconds) {
    const HANDLE handle = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const uint64_t ticks = static_cast<uint64_t>(seconds * kTicksPerSecond + kTicksFrom1601To1970);
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool set = SetFileTime(handle, nullptr, &time, &time);
    CloseHandle(handle);
    return set;
}

bool MakeReadOnly(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
}
#else
bool ReadEntryFacts(const fs::path& path, EntryFacts* facts) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return false;
    facts->folder = S_ISDIR(st.st_mode);
    facts->file = S_ISREG(st.st_mode);
    facts->mtime = st.st_mtim.tv_sec;
    facts->readOnly = (st.st_mode & S_IWUSR) == 0;
    return true;
}

bool SetModificationTime(const fs::path& path, int64_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool MakeReadOnly(const fs::path& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 &&
           chmod(path.c_str(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}
#endif

void WriteFileNode(const fs::path& path, const TreeFile& file) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
        if (!out) ADD_FAILURE() << "cannot write " << path;
    }
    if (!SetModificationTime(path, file.mtime)) {
        ADD_FAILURE() << "cannot set the time of " << path;
    }
    if ((file.attrs & kAttrReadOnly) && !MakeReadOnly(path)) {
        ADD_FAILURE() << "cannot make " << path << " read-only";
    }
}

void WriteTreeAt(const fs::path& folder, const Tree& tree) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) ADD_FAILURE() << "cannot create " << folder << ": " << error.message();
    for (const auto& [name, node] : tree) {
        if (node.isFile) {
            WriteFileNode(folder / fs::u8path(name), node.file);
        } else {
            WriteTreeAt(folder / fs::u8path(name), node.children);
        }
    }
}

TreeFile ReadFileNode(const fs::path& path, const EntryFacts& facts) {
    TreeFile file;
    std::ifstream in(path, std::ios::binary);
    file.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    file.mtime = facts.mtime;
    file.attrs = facts.readOnly ? kAttrReadOnly : 0;
    return file;
}

Tree ReadTreeAt(const fs::path& folder) {
    Tree tree;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path path = it->path();
        EntryFacts facts;
        if (!ReadEntryFacts(path, &facts)) continue;
        const std::string name = path.filename().u8string();
        if (facts.folder) {
            tree[name] = TreeNode(ReadTreeAt(path));
        } else if (facts.file) {
            tree[name] = TreeNode(ReadFileNode(path, facts));
        }
    }
    return tree;
}

void PrintContent(std::ostream& out, const std::string& content) {
    const bool shortened = content.size() > kPrintedContentLimit;
    if (shortened) out << content.size() << " bytes ";
    out << '"';
    const std::string shown = shortened ? content.substr(0, 32) : content;
    for (const unsigned char c : shown) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (c >= 0x20 && c < 0x7F) {
            out << c;
        } else {
            static const char kHex[] = "0123456789abcdef";
            out << "\\x" << kHex[c >> 4] << kHex[c & 15];
        }
    }
    out << (shortened ? "\"..." : "\"");
}

void PrintTree(std::ostream& out, const Tree& tree, int depth) {
    for (const auto& [name, node] : tree) {
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << name;
        if (node.isFile) {
            out << " = ";
            PrintContent(out, node.file.content);
            out << " mtime " << node.file.mtime;
            if (node.file.attrs != 0) out << " attrs 0x" << std::hex << node.file.attrs << std::dec;
            out << '\n';
        } else {
            out << "/\n";
            PrintTree(out, node.children, depth + 1);
        }
    }
}

}  // namespace

void WriteTree(const std::string& folder, const Tree& tree) {
    WriteTreeAt(fs::u8path(folder), tree);
}

Tree ReadTree(const std::string& folder) { return ReadTreeAt(fs::u8path(folder)); }

std::ostream& operator<<(std::ostream& out, const Tree& tree) {
    out << "{\n";
    PrintTree(out, tree, 1);
    return out << "}";
}

void PrintTo(const Tree& tree, std::ostream* out) { *out << tree; }

}  // namespace tv::test
