// What the engine tells the progress window while a run goes on. The window implements it;
// a job without one tells nobody.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/job/file_result.h"

namespace tv {

// The numbers of the worker's notifications, as the window knows them. All but RunEnded are
// sent: the worker waits until the window has handled them. RunEnded is posted.
enum WindowMessage : unsigned {
    kMessageCountDone = 0x4C8,
    kMessageCopyDone = 0x4D2,
    kMessageSetLines = 0x4D3,
    kMessageStep = 0x4D4,
    kMessageRunEnded = 0x4DC,
};

// The phases of a run, with the numbers the window knows them by.
enum class Phase : int {
    Counting = 0x1000,
    Copying = 0x2000,
    Deleting = 0x4000,
};

// Texts of the window's two lines that the engine chooses.
inline constexpr const char* kLineCounting = "事前準備中です...(ファイル数カウント中)";
inline constexpr const char* kLinePleaseWait = "申し訳ありませんが、しばらくお待ちください...";
inline constexpr const char* kLineWaitingForIdle = "待機中です…";
inline constexpr const char* kLineDeleting = "不要ファイルを削除中...";

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // Replaces each line that is given; a line left out keeps its text.
    virtual void SetLines(const std::optional<std::string>& first,
                          const std::optional<std::string>& second) = 0;
    // One more file done.
    virtual void Step() = 0;
    // CountDone: the number of listed files, once the listing is complete.
    virtual void SetTotal(uint64_t files) = 0;
    virtual void SetPhase(Phase phase) = 0;
    // The copy pass is over, with the result of its last file.
    virtual void CopyDone(FileResult /*passResult*/) {}
    // The run is over (posted: the worker does not wait). runResult is the run's result, which
    // the window turns into its own.
    virtual void RunEnded(int /*runResult*/) {}
};

}  // namespace tv
