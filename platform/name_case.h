// Names as a destination that folds case compares them (FAT32, exFAT): two names that differ
// only in the case of their letters lead there to one entry.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The name with every letter in upper case: ASCII letters, and beyond ASCII every character
// that has a simple upper-case form in Unicode (é → É, α → Α, ａ → Ａ), which covers how exFAT
// folds. Bytes that are not well-formed UTF-8 stay as they are. Two names with the same folded
// name may be one entry on such a destination; only the destination itself can tell.
std::string CaseFoldedName(const std::string& name);
// A hash of CaseFoldedName(name), worked out without making it: names that fold together have
// the same hash, so that a folder's names are grouped without folding each into a new string.
uint64_t CaseFoldedHash(const std::string& name);

}  // namespace tv
