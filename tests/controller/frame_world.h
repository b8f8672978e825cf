// A frame on a test's own world: pinned drives, a fake clock, scripted prompts, and fakes of
// every desktop port that record what the frame asked of them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controller/frame_ids.h"
#include "controller/main_frame.h"
#include "controller/removable/card_probe_library.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "settings/settings_context.h"
#include "settings/settings_defaults.h"
#include "settings/settings_persistence.h"
#include "tests/controller/frame_fakes.h"
#include "tests/support/fake_clock.h"
#include "tests/support/new_process_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {

class FrameWorld {
  public:
    FrameWorld() : registry(JoinPath(world.configDir(), kRegistryFileName)) {
        clock.SetLocal(2005, 7, 31, 9, 30, 0);
    }

    SettingsContext Context() {
        return SettingsContext{world.drives(), registry, world.locations(), clock};
    }

    // The settings a previous run left for the drives present now, changed by change.
    void StoreSettings(const std::function<void(SettingsRecord&)>& change = {}) {
        SettingsRecord record = DefaultSettings(Context());
        if (change) change(record);
        SaveSettings(record, Context());
    }

    // The settings as a new process would read them from the registry.
    SettingsRecord StoredSettings() {
        RegistryStore stored(JoinPath(world.configDir(), kRegistryFileName));
        return NewProcessSettings(
            SettingsContext{world.drives(), stored, world.locations(), clock});
    }

    // A frame started anew replaces the previous one, as a new process would.
    MainFrame& Start() {
        frame_.reset();
        frame_ = std::make_unique<MainFrame>(
            FrameServices{clock, world.drives(), registry, world.locations(), prompts, tray, timers,
                          *settingsDialog, copyRunner, voice, session, mediaWatch, *mediaIdentity,
                          *notifierPort, shares, idle, [this] { ++closes; }});
        frame_->Start();
        return *frame_;
    }
    MainFrame& frame() { return *frame_; }

    TestWorld world;
    FakeClock clock;
    RegistryStore registry;
    ScriptedPrompts prompts;
    FakeTray tray;
    FakeTimers timers;
    FakeSettingsDialog dialog{timers};
    SettingsDialog* settingsDialog =
        &dialog;  // what the frame is given; a test may use the real one
    FakeCopyRunner copyRunner;
    FakeVoice voice;
    FakeSession session;
    FakeMediaWatch mediaWatch;
    // The built CardProbe library, on this world's drives.
    CardProbeLibrary media{CARDPROBE_LIBRARY_PATH};
    MediaIdentity* mediaIdentity = &media;  // what the frame is given; a test may wrap media
    FakeNotifier notifier;
    Notifier* notifierPort = &notifier;  // what the frame is given; a test may use the real one
    FakeShareMounter shares;
    IdleGate* idle = nullptr;  // no idle library
    int closes = 0;

  private:
    std::unique_ptr<MainFrame> frame_;  // last: it goes before everything it uses
};

}  // namespace tv::test
