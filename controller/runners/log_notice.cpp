#include "controller/runners/log_notice.h"

#include <utility>

#include "controller/main_frame.h"
#include "controller/notice_texts.h"

namespace tv {

void NotifyWithLogAction(MainFrame& frame, Notice notice, const std::string& day) {
    notice.action =
        NoticeAction{kOpenLogKey, kOpenLogLabel, [&frame, day] { frame.OpenActivityLog(day); }};
    frame.services().notifier.Notify(notice);
}

}  // namespace tv
