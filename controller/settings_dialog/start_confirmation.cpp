#include "controller/settings_dialog/start_confirmation.h"

#include "platform/win_constants.h"

namespace tv {

bool StartConfirmed(bool capacityWarning, Prompts& prompts) {
    if (!capacityWarning) return true;
    return prompts.MessageBox(
               "転送先の容量が足りない可能性があります\nミラーリング処理を開始しますか？", "確認",
               kMbYesNo | kMbIconExclamation) == kIdYes;
}

}  // namespace tv
