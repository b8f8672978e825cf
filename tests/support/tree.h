// A folder tree as a value: folders hold named children, files hold their bytes, last-write
// time and attributes. Tests write a tree to disk, read a folder back into a tree and compare
// whole trees with one assertion, so a failure prints the entire difference.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace tv::test {

// 2005-07-01 09:30:00 UTC, a fixed time for files whose time does not matter.
constexpr int64_t kDefaultMtime = 1120210200;

struct TreeFile {
    std::string content;
    int64_t mtime = kDefaultMtime;  // seconds since 1970 (UTC)
    uint32_t attrs = 0;             // only kAttrReadOnly is written and read back off vfat
    bool operator==(const TreeFile& o) const {
        return content == o.content && mtime == o.mtime && attrs == o.attrs;
    }
};

struct TreeNode;
using Tree = std::map<std::string, TreeNode>;

struct TreeNode {
    bool isFile = false;
    TreeFile file;
    Tree children;  // the folder's entries (folders only)

    TreeNode() = default;
    TreeNode(TreeFile f) : isFile(true), file(std::move(f)) {}            // NOLINT
    TreeNode(Tree c) : children(std::move(c)) {}                          // NOLINT
    TreeNode(std::initializer_list<Tree::value_type> c) : children(c) {}  // NOLINT
    bool operator==(const TreeNode& o) const {
        return isFile == o.isFile && (isFile ? file == o.file : children == o.children);
    }
};

// Makes the tree under folder (which is created when missing).
void WriteTree(const std::string& folder, const Tree& tree);
// Reads folder back (an empty tree when it is missing).
Tree ReadTree(const std::string& folder);

std::ostream& operator<<(std::ostream& out, const Tree& tree);
void PrintTo(const Tree& tree, std::ostream* out);

}  // namespace tv::test
