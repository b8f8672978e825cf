// The world of a unit page test: its own drives, documents folder and share client, scripted
// answers and a folder picker that returns what the test puts in front of it.
#pragma once

#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/share_mounter.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"
#include "ui/settings_dialog/parts/capacity_display.h"
#include "ui/settings_dialog/parts/unit_page_services.h"

namespace tv::test {

// A share client that gives one answer to every mount and counts what it was asked.
class FakeShareMounter : public ShareMounter {
  public:
    MountResult Mount(const std::string& share, const ShareCredentials*) override {
        mounted.push_back(share);
        return answer;
    }
    bool Unmount(const std::string& share) override {
        unmounted.push_back(share);
        return true;
    }
    MountResult answer = MountResult::kUnreachable;
    std::vector<std::string> mounted;
    std::vector<std::string> unmounted;
};

struct PageWorld {
    TestWorld world;
    FakeShareMounter mounter;
    ScriptedPrompts prompts;
    QUrl nextChoice;  // what the folder picker returns
    UnitPageServices services{world.drives(),
                              mounter,
                              prompts,
                              world.locations().documentsDir,
                              {},
                              [this](QWidget*, const QString&) { return nextChoice; }};
};

// Waits until the page's capacity display shows the figures of its latest measurement.
inline CCapacityDisplay* SettledCapacity(const QWidget& page) {
    auto* display = page.findChild<CCapacityDisplay*>();
    if (display == nullptr) return nullptr;
    // One still measuring shows in the figures the caller then checks.
    static_cast<void>(QTest::qWaitFor([display] { return !display->IsMeasuring(); }, 10000));
    return display;
}

}  // namespace tv::test
