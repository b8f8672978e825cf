// The categories of the settings dialog's left-hand list, top to bottom: the item ids, the
// labels (each the caption of the page it shows) and the rectangles of their button faces in
// the list's own coordinates. The gaps after "スケジュール表示" and after "設定一覧" belong to
// the layout.
#pragma once

namespace tv {

constexpr int kItemNone = -1;
constexpr int kItemDriveUnit = 1;
constexpr int kItemFileDir = 2;
constexpr int kItemRemovable = 3;
constexpr int kItemDetails = 101;
constexpr int kItemNetwork = 102;
constexpr int kItemScheduleList = 103;
constexpr int kItemSettingsList = 200;
constexpr int kItemActivityLog = 201;
constexpr int kItemTestMode = 202;
constexpr int kItemHelp = 203;
constexpr int kItemBrowseDestinations = 205;

// Left, top, right and bottom, the right and bottom edges outside the rectangle.
struct ItemRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct Category {
    int id;
    const char* label;
    ItemRect rect;
};

inline constexpr Category kCategories[] = {
    {kItemDriveUnit, "ドライブ単位", {13, 31, 204, 49}},
    {kItemFileDir, "ファイル・ディレクトリ単位", {13, 58, 204, 76}},
    {kItemRemovable, "リムーバブル類の動作", {13, 85, 204, 103}},
    {kItemDetails, "詳細設定", {13, 157, 204, 175}},
    {kItemScheduleList, "スケジュール表示", {13, 184, 204, 202}},
    {kItemNetwork, "ネットワーク設定", {13, 211, 204, 229}},
    {kItemSettingsList, "設定一覧", {13, 238, 204, 256}},
    {kItemBrowseDestinations, "保存先の閲覧", {13, 317, 204, 334}},
    {kItemActivityLog, "活動ログ表示", {13, 343, 204, 360}},
    {kItemTestMode, "テストモード", {13, 372, 204, 389}},
    {kItemHelp, "ヘルプ", {13, 398, 204, 416}},
};

}  // namespace tv
