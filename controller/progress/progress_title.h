// The progress window's title: the caller's title, or the window's own when there is none,
// followed by the files done out of those listed while a run goes on.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

inline constexpr const char* kDefaultProgressTitle = "コピー進捗情報ダイアログ";

std::string BaseProgressTitle(const std::string& title);
// "title (done/listed)".
std::string ProgressTitle(const std::string& baseTitle, uint64_t done, uint64_t listed);

}  // namespace tv
