#include "controller/ports/copy_runner.h"

#include "engine/job/file_result.h"

namespace tv {

int CopyWindowResult(int runResult, int pressedButton) {
    return runResult == static_cast<int>(FileResult::Cancelled) ? pressedButton : 0;
}

int RelocationWindowResult(int relocationEnd, int pressedButton) {
    switch (static_cast<RelocationEnd>(relocationEnd)) {
        case RelocationEnd::Stopped:
            return pressedButton;
        case RelocationEnd::DestinationFull:
            return kResultDestinationFull;
        case RelocationEnd::Finished:
            break;
    }
    return 0;
}

}  // namespace tv
