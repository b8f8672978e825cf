#include "controller/runners/held_deletion_notice.h"

#include <string>

namespace tv {

namespace {
constexpr const char* kSummary = "Tessaravine ミラーリングの削除を保留しました";
}  // namespace

void NotifyHeldDeletion(const CopyJob& job, Notifier& notifier) {
    if (job.MassDeletionHeld == 0) return;
    notifier.Notify(kSummary, job.Source + " にない " + std::to_string(job.MassDeletionHeld) +
                                  " 個のファイルとフォルダを " + job.Destination +
                                  " から削除しませんでした。転送先の半分を超えるためです。"
                                  "手動で同期すると、確認のうえ削除できます。");
}

}  // namespace tv
