// One line of the activity log: twelve texts, in the order they are written.
#pragma once

#include <string>

namespace tv {

struct LogRecord {
    std::string date;  // "%Y/%m/%d"; chooses the day file
    std::string unit;  // "File/Directory", "RemovableMedia", "FullSynchrnize", "ドライブの認識"
    std::string recognition;  // media kind name of a recognition line, " " otherwise
    std::string drive;        // drive letter of the run, or the item of a file/directory run
    std::string mode;         // "自動" / "手動"
    std::string work;         // "ミラーリング" / "バックアップ"
    std::string action;       // "ファイル作成", "削除", "フォルダ作成"
    std::string name;         // the destination's name after its last separator
    std::string source;       // source path, or "マスターになし" for a deletion
    std::string destination;  // destination path, or the path deleted
    std::string time;         // "%H:%M:%S"
    std::string result;  // "ＯＫ", "エラー", "中止", "スキップ", "ゴミ箱に移動"

    static constexpr int kFieldCount = 12;
    std::string& Field(int index);
    const std::string& Field(int index) const;
};

// Result words.
inline constexpr const char* kLogResultOk = "ＯＫ";
inline constexpr const char* kLogResultError = "エラー";
inline constexpr const char* kLogResultCancelled = "中止";
inline constexpr const char* kLogResultSkipped = "スキップ";
inline constexpr const char* kLogResultTrashed = "ゴミ箱に移動";
// Action words.
inline constexpr const char* kLogActionFileCreated = "ファイル作成";
inline constexpr const char* kLogActionDeleted = "削除";
inline constexpr const char* kLogActionFolderCreated = "フォルダ作成";
inline constexpr const char* kLogSourceNotInMaster = "マスターになし";

}  // namespace tv
