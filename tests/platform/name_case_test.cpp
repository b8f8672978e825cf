// How names fold together on a destination that folds case.
#include "platform/name_case.h"

#include <gtest/gtest.h>

#include <string>

namespace tv {
namespace {

TEST(NameCase, LettersFoldToUpperCaseAndEverythingElseStays) {
    struct Case {
        const char* what;
        std::string name;
        std::string folded;
    };
    const Case cases[] = {
        {"ascii", "photo.jpg", "PHOTO.JPG"},
        {"mixed ascii", "Photo.JPG", "PHOTO.JPG"},
        {"no letters", "2005-07_01 (3).~", "2005-07_01 (3).~"},
        {"latin-1", "caf\xC3\xA9.txt", "CAF\xC3\x89.TXT"},                     // é → É
        {"greek", "\xCE\xB1\xCE\xB2", "\xCE\x91\xCE\x92"},                     // αβ → ΑΒ
        {"cyrillic", "\xD0\xB0", "\xD0\x90"},                                  // а → А
        {"fullwidth", "\xEF\xBD\x81", "\xEF\xBC\xA1"},                         // ａ → Ａ
        {"japanese", "\xE5\x86\x99\xE7\x9C\x9F", "\xE5\x86\x99\xE7\x9C\x9F"},  // 写真
        {"private use",
         "a\xEF\x80\xBA"
         "b",
         "A\xEF\x80\xBA"
         "B"},                                                     // U+F03A stays
        {"four bytes", "\xF0\x9F\x93\xB7x", "\xF0\x9F\x93\xB7X"},  // 📷
        {"not utf-8",
         "a\xFF\x82"
         "b",
         "A\xFF\x82"
         "B"},  // CP932 bytes stay
        {"cut sequence", "x\xC3", "X\xC3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaseFoldedName(c.name), c.folded) << c.what;
        EXPECT_EQ(CaseFoldedHash(c.name), CaseFoldedHash(c.folded)) << c.what;
    }
    EXPECT_NE(CaseFoldedHash("a.txt"), CaseFoldedHash("b.txt"));
    // A byte that starts no character is not the character of the same number.
    EXPECT_NE(CaseFoldedHash("\xE9"), CaseFoldedHash("\xC3\xA9"));
}

}  // namespace
}  // namespace tv
