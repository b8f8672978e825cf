// The outcome of one file, with the word written into the result field of its log line and
// the line shown under the file name while it is handled.
#pragma once

namespace tv {

enum class FileResult : int {
    Copied = 0,
    Cancelled = 1,
    OpenError = 2,
    DiskFull = 3,
    SkippedNotNewer = 16,
    SkippedSameSize = 17,
    SkippedByRule = 18,
    SkippedSameContent = 19,  // a full backup found the copy equal to its source
};

// Lines shown for a file that is not copied.
inline constexpr const char* kMessageNotTarget = "転送対象外ですコピーを行いません";
inline constexpr const char* kMessageDestinationNewer = "転送先が新しいためコピーを行いません";
inline constexpr const char* kMessageSameSize = "同一サイズのためコピーを行いません";
inline constexpr const char* kMessageReadOnly = "読取専用ファイルのためコピーを行いません";
inline constexpr const char* kMessageHidden = "隠しファイルのためコピーを行いません";
inline constexpr const char* kMessageOlderThanReference =
    "基準日より古いファイルのためコピーを行いません";
inline constexpr const char* kMessageSameContent = "内容が同じためコピーを行いません";

// The log result word of a result ("ＯＫ", "中止", "エラー", "スキップ").
const char* LogWordOf(FileResult result);
// A skip, which lets the deletion of extras follow the pass.
bool IsSkip(FileResult result);

}  // namespace tv
