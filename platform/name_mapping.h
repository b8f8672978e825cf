// The names of files as a destination that refuses some characters holds them, and back. Each
// refused character c is stored as the private-use character U+F000 + c (UTF-8 in our names),
// and so is a trailing dot or space the file system refuses: the mapping Cygwin and Samba use,
// so the files keep readable names on Windows and the tools that know it show them as they were.
#pragma once

#include <string>

#include "platform/name_refusals.h"

namespace tv {

// The name under which a file system with these refusals holds name.
std::string StoredName(const std::string& name, const NameRefusals& refusals);
// The name that a stored name stands for: what StoredName maps, mapped back. A source name that
// holds such a private-use character itself reads back as the character it stands for.
std::string OriginalName(const std::string& stored, const NameRefusals& refusals);

// path with every name below root stored (StoredName); root and what is not below it as it is.
std::string StoredPathBelow(const std::string& root, const std::string& path,
                            const NameRefusals& refusals);
// stored with every name below root as it stands for (OriginalName).
std::string OriginalPathBelow(const std::string& root, const std::string& stored,
                              const NameRefusals& refusals);
// Whether every name below root in stored can be held (CanHoldName).
bool CanHoldPathBelow(const std::string& root, const std::string& stored,
                      const NameRefusals& refusals);

}  // namespace tv
