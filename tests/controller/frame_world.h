// A frame on a test's own world: pinned drives, a fake clock, scripted prompts, and fakes of
// the tray, the timers and the settings dialog that record what the frame asked of them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controller/frame_ids.h"
#include "controller/main_frame.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "settings/settings_context.h"
#include "settings/settings_defaults.h"
#include "settings/settings_persistence.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {

class FakeTray : public Tray {
  public:
    bool AddIcon(const std::string& tip) override {
        if (!available) return false;
        present = true;
        tips.push_back(tip);
        return true;
    }
    void ModifyIcon(const std::string& tip) override { tips.push_back(tip); }
    void DeleteIcon() override {
        present = false;
        ++deletions;
    }
    int ShowMenu(const std::vector<TrayMenuItem>& items) override {
        menus.push_back(items);
        return choice;
    }

    bool available = true;  // whether there is a notification area
    int choice = 0;         // what the user picks from every menu
    bool present = false;
    int deletions = 0;
    std::vector<std::string> tips;  // the added icon's tip first, then every change
    std::vector<std::vector<TrayMenuItem>> menus;
};

class FakeTimers : public Timers {
  public:
    void Start(int id, unsigned periodMs) override { running[id] = periodMs; }
    void Stop(int id) override { running.erase(id); }
    std::map<int, unsigned> running;  // id -> period
};

class FakeSettingsDialog : public SettingsDialog {
  public:
    explicit FakeSettingsDialog(const FakeTimers& timers) : timers_(timers) {}
    int Run(SettingsRecord& live) override {
        timersAtOpen.push_back(timers_.running);
        if (edit) edit(live);
        return endCode;
    }

    int endCode = kSettingsCancel;
    std::function<void(SettingsRecord&)> edit;          // what the user changes
    std::vector<std::map<int, unsigned>> timersAtOpen;  // one entry per opening

  private:
    const FakeTimers& timers_;
};

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
        stored.Load();
        const SettingsContext context{world.drives(), stored, world.locations(), clock};
        SettingsRecord record = DefaultSettings(context);
        LoadSettings(record, context);
        return record;
    }

    MainFrame& Start() {
        frame_ = std::make_unique<MainFrame>(FrameServices{clock, world.drives(), registry,
                                                           world.locations(), prompts, tray, timers,
                                                           dialog, idle, [this] { ++closes; }});
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
    IdleFunction idle;
    int closes = 0;

  private:
    std::unique_ptr<MainFrame> frame_;  // last: it goes before everything it uses
};

}  // namespace tv::test
