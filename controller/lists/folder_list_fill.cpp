#include "controller/lists/folder_list_fill.h"

#include <utility>

#include "controller/lists/folder_list_texts.h"

namespace tv {

FolderListFill::~FolderListFill() { Stop(); }

void FolderListFill::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
}

void FolderListFill::Start(const std::string& folder, EntryFound found, Finished finished) {
    Stop();
    thread_ = std::thread([this, folder, found = std::move(found), finished = std::move(finished)] {
        DirectoryEnumerator entries;
        if (!entries.Open(folder, DirectoryEnumerator::Entries::Every)) {
            finished(true);
            return;
        }
        FileStatus entry;
        while (!stop_ && entries.Next(&entry)) {
            if (!IsPassedOverSystemFolder(entry)) found(entry);
            std::this_thread::yield();
        }
        finished(false);
    });
}

}  // namespace tv
