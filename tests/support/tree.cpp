#include "tests/support/tree.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win_constants.h"

namespace tv::test {
namespace {

namespace fs = std::filesystem;

// Longer contents are printed as their size and first bytes so failures stay readable.
constexpr size_t kPrintedContentLimit = 200;

void WriteFileNode(const fs::path& path, const TreeFile& file) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
        if (!out) ADD_FAILURE() << "cannot write " << path;
    }
    const struct timespec times[2] = {{file.mtime, 0}, {file.mtime, 0}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        ADD_FAILURE() << "cannot set the time of " << path;
    }
    if (file.attrs & kAttrReadOnly) {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0 ||
            chmod(path.c_str(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) != 0) {
            ADD_FAILURE() << "cannot make " << path << " read-only";
        }
    }
}

void WriteTreeAt(const fs::path& folder, const Tree& tree) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) ADD_FAILURE() << "cannot create " << folder << ": " << error.message();
    for (const auto& [name, node] : tree) {
        if (node.isFile) {
            WriteFileNode(folder / name, node.file);
        } else {
            WriteTreeAt(folder / name, node.children);
        }
    }
}

TreeFile ReadFileNode(const fs::path& path, const struct stat& st) {
    TreeFile file;
    std::ifstream in(path, std::ios::binary);
    file.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    file.mtime = st.st_mtim.tv_sec;
    file.attrs = (st.st_mode & S_IWUSR) ? 0 : kAttrReadOnly;
    return file;
}

Tree ReadTreeAt(const fs::path& folder) {
    Tree tree;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path path = it->path();
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0) continue;
        const std::string name = path.filename().string();
        if (S_ISDIR(st.st_mode)) {
            tree[name] = TreeNode(ReadTreeAt(path));
        } else if (S_ISREG(st.st_mode)) {
            tree[name] = TreeNode(ReadFileNode(path, st));
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

void WriteTree(const std::string& folder, const Tree& tree) { WriteTreeAt(folder, tree); }

Tree ReadTree(const std::string& folder) { return ReadTreeAt(folder); }

std::ostream& operator<<(std::ostream& out, const Tree& tree) {
    out << "{\n";
    PrintTree(out, tree, 1);
    return out << "}";
}

void PrintTo(const Tree& tree, std::ostream* out) { *out << tree; }

}  // namespace tv::test
