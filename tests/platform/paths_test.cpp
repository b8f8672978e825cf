// The rules that keep a name taken from outside the program, once joined to a folder, inside
// that folder.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace tv {
namespace {

TEST(Paths, OnlyAPlainNameIsOneComponent) {
    struct Case {
        std::string name;
        bool plain;
    };
    const Case cases[] = {
        {"1050401307090042", true},
        {"写真 2005年", true},
        {"バックアップ.tq", true},
        {"...", true},
        {"..a", true},
        {".hidden", true},
        {"", false},
        {".", false},
        {"..", false},
        {"/", false},
        {"a/b", false},
        {"../.././././././", false},
        {"/etc", false},
        {"name/", false},
        {std::string("a\0b", 3), false},
        {"tab\there", false},
        {"line\nend", false},
        {"esc\x1b[31m", false},
        {"del\x7f", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPlainComponent(c.name), c.plain) << '"' << c.name << '"';
    }
}

TEST(Paths, BelowAFolderIsJudgedWithDotsResolved) {
    struct Case {
        const char* path;
        const char* folder;
        bool strictlyBelow;
        bool sameOrBelow;
    };
    const Case cases[] = {
        {"/home/u/Documents/RMF/1050401307090042", "/home/u/Documents/RMF", true, true},
        {"/home/u/Documents/RMF/a/b", "/home/u/Documents/RMF/", true, true},
        {"/home/u/Documents/RMF", "/home/u/Documents/RMF", false, true},
        {"/home/u/Documents/RMF/", "/home/u/Documents/RMF", false, true},
        {"/home/u/Documents/RMF/.", "/home/u/Documents/RMF", false, true},
        {"/home/u/Documents/RMF/../.././././././", "/home/u/Documents/RMF", false, false},
        {"/home/u/Documents/RMF/..", "/home/u/Documents/RMF", false, false},
        {"/home/u/Documents/RMF/x/../../RMG", "/home/u/Documents/RMF", false, false},
        {"/home/u/Documents/RMF/x/../y", "/home/u/Documents/RMF", true, true},
        {"/home/u/Documents/RMF2", "/home/u/Documents/RMF", false, false},
        {"/home/u/Documents/RMF//x", "/home/u/Documents/./RMF", true, true},
        {"/../../x", "/", true, true},
        {"/x", "/a/..", true, true},
        {"//server/share/RMF/x", "//server/share/RMF", true, true},
        {"/server/share/RMF/x", "//server/share/RMF", false, false},
        {"../x", ".", false, false},
        {"a/x", "a", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsStrictlyBelow(c.path, c.folder), c.strictlyBelow)
            << c.path << " below " << c.folder;
        EXPECT_EQ(IsSameOrBelow(c.path, c.folder), c.sameOrBelow)
            << c.path << " same as or below " << c.folder;
    }
}

}  // namespace
}  // namespace tv
