// The filling thread of the folder list: enumerates one folder and hands every entry but the
// passed-over system folders to the list, one at a time, yielding after each so the list's
// thread keeps answering; at the end it says whether the folder could be listed.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/file_system.h"

namespace tv {

class FolderListFill {
  public:
    using EntryFound = std::function<void(const FileStatus& entry)>;
    using Finished = std::function<void(bool failed)>;

    FolderListFill() = default;
    ~FolderListFill();  // stops a fill still running and waits for it
    FolderListFill(const FolderListFill&) = delete;
    FolderListFill& operator=(const FolderListFill&) = delete;

    // Waits for the fill before, then fills folder on a new thread. Both callbacks run on that
    // thread; finished runs last, also when the fill was stopped.
    void Start(const std::string& folder, EntryFound found, Finished finished);
    // Stops the running fill and waits for its thread.
    void Stop();

  private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
};

}  // namespace tv
