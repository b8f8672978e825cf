#include "engine/deletion/mass_deletion_guard.h"

#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/win_constants.h"

namespace tv {

bool IsMassDeletion(size_t removals, size_t listedFiles) {
    return removals > kMassDeletionMinimum && removals > listedFiles;
}

std::string MassDeletionQuestion(size_t removals) {
    return "マスターにない " + std::to_string(removals) +
           " 個のファイルとフォルダを転送先からゴミ箱に移動します。\n"
           "転送先にあるものの半分を超えています。移動してよろしいですか？\n"
           "［いいえ］を選ぶと、転送先のものはすべてそのまま残ります。";
}

std::string MassDeletionLogText(size_t removals) {
    return "大量削除のため保留(" + std::to_string(removals) + "個)";
}

bool MayRemove(const CopyJob& job, RunContext& context, size_t removals) {
    if (!IsMassDeletion(removals, context.files().size())) return true;
    const char* result = kLogResultCancelled;
    if (job.AskBeforeMassDeletion && context.prompts()) {
        const int answer = context.prompts()->MessageBox(
            MassDeletionQuestion(removals), kMassDeletionCaption, kMbYesNo | kMbIconExclamation);
        if (answer == kIdYes) return true;
    } else {
        context.NoteError();
        context.outcome().MassDeletionHeld = static_cast<uint32_t>(removals);
        result = kLogResultError;
    }
    LogStep(context, kLogActionDeleted, MassDeletionLogText(removals),
            WithTrailingSeparator(job.Destination), result);
    return false;
}

}  // namespace tv
