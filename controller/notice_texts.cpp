#include "controller/notice_texts.h"

namespace tv {

namespace {

std::string Quoted(const std::string& unit) { return "「" + unit + "」"; }

}  // namespace

std::string FailedFilesText(const std::string& unit, uint64_t count) {
    return Quoted(unit) + "で " + std::to_string(count) + " 個のファイルをコピーできませんでした。";
}

std::string RunErrorText(const std::string& unit) {
    return Quoted(unit) + "の実行中にエラーが発生しました。";
}

std::string UnreachableDestinationText(const std::string& unit, const std::string& destination) {
    return Quoted(unit) + "の転送先 " + destination + " に接続できませんでした。";
}

std::string RefusedDestinationText(const std::string& unit, const std::string& destination) {
    return Quoted(unit) + "の転送先 " + destination +
           " は転送先フォルダの外を指すため、コピーしませんでした。";
}

std::string RefusedNamesText(uint64_t count) {
    return "うち " + std::to_string(count) +
           " 個は、転送先のファイルシステムが使えない名前のため保存できませんでした。";
}

std::string CaseClashesText(uint64_t count) {
    return "うち " + std::to_string(count) +
           " 個は、大文字と小文字だけが違う名前を転送先が区別できないため保存できませんでした。";
}

std::string TooLargeText(uint64_t count) {
    return "うち " + std::to_string(count) +
           " 個は、転送先のファイルシステムが扱える大きさを超えるため保存できませんでした。";
}

std::string HeldDeletionText(const std::string& source, uint32_t count,
                             const std::string& destination) {
    return source + " にない " + std::to_string(count) + " 個のファイルとフォルダを " +
           destination +
           " から削除しませんでした。転送先の半分を超えるためです。"
           "手動で同期すると、確認のうえ削除できます。";
}

}  // namespace tv
