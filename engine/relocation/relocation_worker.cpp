#include "engine/relocation/relocation_worker.h"

#include <utility>

#include "engine/job/progress_sink.h"

namespace tv {

RelocationWorker::RelocationWorker(const RelocationRequest& request, const Clock& clock,
                                   const DriveTable& drives, IdleGate* idle, Prompts& prompts,
                                   ProgressSink* window, std::string programDir)
    : request_(request),
      prompts_(prompts),
      window_(window),
      programDir_(std::move(programDir)),
      context_(clock, drives, nullptr, idle) {
    context_.SetState(WorkerState::Idle);
}

void RelocationWorker::Start() {
    thread_.StartRun(context_, [this] { Run(); });
}

void RelocationWorker::Run() {
    const RelocationEnd end = Relocate(request_, context_, prompts_, window_, programDir_);
    end_.store(end);
    if (window_) window_->RunEnded(static_cast<int>(end));
}

}  // namespace tv
