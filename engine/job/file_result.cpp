#include "engine/job/file_result.h"

#include "log/log_record.h"

namespace tv {

const char* LogWordOf(FileResult result) {
    switch (result) {
        case FileResult::Copied:
            return kLogResultOk;
        case FileResult::Cancelled:
            return kLogResultCancelled;
        case FileResult::OpenError:
        case FileResult::DiskFull:
            return kLogResultError;
        case FileResult::SkippedNotNewer:
        case FileResult::SkippedSameSize:
        case FileResult::SkippedByRule:
        case FileResult::SkippedSameContent:
            return kLogResultSkipped;
    }
    return kLogResultError;
}

bool IsSkip(FileResult result) {
    return result == FileResult::SkippedNotNewer || result == FileResult::SkippedSameSize ||
           result == FileResult::SkippedByRule || result == FileResult::SkippedSameContent;
}

}  // namespace tv
