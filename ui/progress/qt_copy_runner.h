// Copy jobs and relocations behind the real progress window, modal for the caller.
#pragma once

#include <string>

#include "engine/copy_runner.h"

class QWidget;

namespace tv {

class Clock;
class DriveTable;
class IdleGate;
class Prompts;

class QtCopyRunner : public CopyRunner {
  public:
    // controllerIdle: the gate a relocation waits on (null: none). A copy job's worker loads
    // its own idle library from programDir.
    QtCopyRunner(const Clock& clock, const DriveTable& drives, std::string programDir,
                 Prompts& prompts, IdleGate* controllerIdle, QWidget* parent = nullptr);

    int RunCopyJob(CopyJob& job, const std::string& title) override;
    int RunRelocation(const RelocationRequest& request, const std::string& title) override;

  private:
    const Clock& clock_;
    const DriveTable& drives_;
    std::string programDir_;
    Prompts& prompts_;
    IdleGate* controllerIdle_;
    QWidget* parent_;
};

}  // namespace tv
