// Every text of the program's desktop notifications, in one place, so they read alike: a short
// summary of what happened and a body that names the unit, the drive or the folder.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The units as the settings dialog names them; a removable run goes by its drive's name.
inline constexpr const char* kDriveUnitName = "ドライブ単位";
inline constexpr const char* kFileDirUnitName = "ファイル・ディレクトリ単位";

// A run that failed in part or could not start.
inline constexpr const char* kRunFailedSummary = "バックアップに失敗しました";
std::string FailedFilesText(const std::string& unit, uint64_t count);
std::string RunErrorText(const std::string& unit);
std::string UnreachableDestinationText(const std::string& unit, const std::string& destination);
std::string RefusedDestinationText(const std::string& unit, const std::string& destination);
// Why some of the failed files could not be held by the destination.
std::string RefusedNamesText(uint64_t count);
std::string CaseClashesText(uint64_t count);
std::string TooLargeText(uint64_t count);

// An unattended mirror deletion held back.
inline constexpr const char* kHeldDeletionSummary = "Tessaravine ミラーリングの削除を保留しました";
std::string HeldDeletionText(const std::string& source, uint32_t count,
                             const std::string& destination);

// The action of the notices above: the activity log of the day they happened.
inline constexpr const char* kOpenLogKey = "open-log";
inline constexpr const char* kOpenLogLabel = "ログを開く";

// The end of the session: refused by the desktop, or put off until a run has ended.
inline constexpr const char* kSessionEndSummary = "Tessaravine";
inline constexpr const char* kPowerOffRefused = "コンピュータをシャットダウンできませんでした。";
inline constexpr const char* kLogOffRefused = "ログオフできませんでした。";
inline constexpr const char* kPowerOffAfterRun =
    "実行中のバックアップが終わってからシャットダウンします。";
inline constexpr const char* kLogOffAfterRun = "実行中のバックアップが終わってからログオフします。";

}  // namespace tv
