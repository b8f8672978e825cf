// The built program on an X server and on a Wayland compositor of the test's own, beside a
// notification area that draws its items' menus itself: the icon carries the frame's menu for
// the area to draw, the area's clicks do what the frame's items and icon say, and every request
// of the area is answered at once, also when it opens the settings dialog.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "controller/frame_ids.h"
#include "controller/removable_drives.h"
#include "controller/tray_menu.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "settings/settings_dump.h"
#include "tests/app/headless_wayland.h"
#include "tests/app/private_x_server.h"
#include "tests/app/program_process.h"
#include "tests/app/status_notifier_host.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

#ifdef TV_PROGRAM_PATH

enum class SessionKind { X11, Wayland };

std::string NameOf(SessionKind kind) { return kind == SessionKind::X11 ? "X11" : "Wayland"; }

std::string KindName(const testing::TestParamInfo<SessionKind>& info) { return NameOf(info.param); }

void PrintTo(SessionKind kind, std::ostream* out) { *out << NameOf(kind); }

bool HasQtWaylandPlugin() {
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    return PathExists((plugins + "/platforms/libqwayland-generic.so").toStdString());
}

// The menu protocol marks a mnemonic with "_" where Qt's texts have "&".
std::string AsMenuLabel(std::string text) {
    for (char& c : text) {
        if (c == '&') c = '_';
    }
    return text;
}

// The items the frame offers for the settings and the drives the program finds.
std::vector<TrayMenuItem> FrameItems(const TestWorld& world) {
    DriveTable drives(world.configDir());
    drives.Refresh();
    RegistryStore registry(JoinPath(world.configDir(), kRegistryFileName));
    const SettingsContext context{drives, registry, world.locations(), RealClock()};
    SettingsRecord settings;
    ResetToDefaults(settings, context);
    LoadSettings(settings, context);
    RefreshRemovableDrives(settings, drives);
    return TrayMenuItems(settings, drives);
}

std::vector<std::string> Labels(const std::vector<HostMenuEntry>& entries) {
    std::vector<std::string> labels;
    for (const HostMenuEntry& entry : entries) labels.push_back(entry.label);
    return labels;
}

bool NoneEnabled(const std::vector<HostMenuEntry>& entries) {
    for (const HostMenuEntry& entry : entries) {
        if (entry.enabled) return false;
    }
    return !entries.empty();
}

class TrayMenuOnDesktopTest : public testing::TestWithParam<SessionKind> {
  protected:
    void SetUp() override {
        StoreSettingsOfAnEarlierRun(world_);
        ASSERT_TRUE(host_.Start()) << host_.error();
        std::string missing;
        std::optional<std::vector<std::string>> display = StartSession(&missing);
        if (!display) {
            std::fprintf(stderr, "*** %s session SKIPPED: %s ***\n", NameOf(GetParam()).c_str(),
                         missing.c_str());
            GTEST_SKIP() << missing;
        }
        display->push_back("DBUS_SESSION_BUS_ADDRESS=" + host_.BusAddress());
        process_.emplace(program_, errors_, *display);
        ASSERT_TRUE(process_->started());
        std::vector<std::string> items;
        ASSERT_TRUE(WaitFor([&] {
            items = host_.RegisteredItems();
            return !items.empty();
        })) << "no item registered: "
            << Errors();
        item_ = items.front();
        menu_ = host_.MenuPath(item_);
    }

    // The variables that put the program on the session; nothing, with what is missing, when
    // the session cannot be had here.
    std::optional<std::vector<std::string>> StartSession(std::string* missing) {
        if (GetParam() == SessionKind::X11) {
            x11_.emplace();
            if (x11_->display().empty()) {
                *missing = "no X server for the program (package xvfb)";
                return std::nullopt;
            }
            return std::vector<std::string>{"DISPLAY=" + x11_->display(), "QT_QPA_PLATFORM=xcb"};
        }
        if (!HasQtWaylandPlugin()) {
            *missing = "Qt has no Wayland platform plugin (package qt6-wayland)";
            return std::nullopt;
        }
        wayland_.emplace(world_.base());
        if (!wayland_->Start(missing)) return std::nullopt;
        return std::vector<std::string>{"WAYLAND_DISPLAY=" + wayland_->display(),
                                        "QT_QPA_PLATFORM=wayland"};
    }

    std::string Errors() const {
        std::string text;
        ReadWholeFile(errors_, &text);
        return text;
    }

    // The host's entry labelled with the frame's item id, or -1.
    static int EntryFor(const std::vector<HostMenuEntry>& entries,
                        const std::vector<TrayMenuItem>& items, int id) {
        for (size_t i = 0; i < items.size() && i < entries.size(); ++i) {
            if (items[i].id == id) return entries[i].id;
        }
        return -1;
    }

    // The settings dialog is open: the frame is busy, and the menu the host draws then has only
    // disabled entries.
    bool SettingsDialogOpens() {
        return WaitFor([this] {
            const std::optional<std::vector<HostMenuEntry>> entries = host_.OpenMenu(item_, menu_);
            return entries && NoneEnabled(*entries);
        });
    }

    int argc_ = 1;
    char name_[16] = "tray_menu";
    char* argv_[1] = {name_};
    QCoreApplication application_{argc_, argv_};
    TestWorld world_;
    std::string errors_ = JoinPath(world_.base(), "errors.txt");
    StatusNotifierHost host_{world_.MakeFolder("bus")};
    std::optional<PrivateXServer> x11_;
    std::optional<HeadlessWayland> wayland_;
    std::string program_ = CopyProgramInto(world_);
    std::optional<ProgramProcess> process_;
    std::string item_;
    std::string menu_;
};

TEST_P(TrayMenuOnDesktopTest, TheHostDrawsTheFramesMenuAndItsEntriesDoWhatTheySay) {
    ASSERT_FALSE(menu_.empty()) << Errors();
    EXPECT_NE(menu_, "/NO_DBUSMENU");
    const std::vector<TrayMenuItem> items = FrameItems(world_);
    std::vector<std::string> expected;
    for (const TrayMenuItem& item : items) expected.push_back(AsMenuLabel(item.text));
    // A host that read the layout when the item appeared, and shows that, shows it whole.
    const std::optional<std::vector<HostMenuEntry>> read = host_.ReadMenu(item_, menu_);
    ASSERT_TRUE(read) << host_.error();
    EXPECT_EQ(Labels(*read), expected);
    const std::optional<std::vector<HostMenuEntry>> entries = host_.OpenMenu(item_, menu_);
    ASSERT_TRUE(entries) << host_.error();
    EXPECT_EQ(Labels(*entries), expected);
    for (const HostMenuEntry& entry : *entries) EXPECT_TRUE(entry.enabled) << entry.label;

    const std::string report =
        JoinPath(std::filesystem::path(program_).parent_path(), kSettingsDumpFileName);
    ASSERT_TRUE(host_.Click(item_, menu_, EntryFor(*entries, items, kCommandSettingsReport)))
        << host_.error();
    EXPECT_TRUE(WaitFor([&] { return PathExists(report); })) << Errors();

    // The request is answered before the dialog's own loop runs.
    ASSERT_TRUE(host_.Click(item_, menu_, EntryFor(*entries, items, kCommandSettings)))
        << host_.error();
    EXPECT_TRUE(SettingsDialogOpens()) << Errors();
    EXPECT_TRUE(process_->IsRunning());
}

// The area reports a click on the icon as an activation, and waits for its answer.
TEST_P(TrayMenuOnDesktopTest, ActivatingTheIconOpensTheSettingsDialog) {
    ASSERT_TRUE(host_.Activate(item_)) << host_.error();
    EXPECT_TRUE(SettingsDialogOpens()) << Errors();
    // Another click while the dialog is open is answered too, and changes nothing.
    EXPECT_TRUE(host_.Activate(item_)) << host_.error();
    EXPECT_TRUE(SettingsDialogOpens()) << Errors();
    EXPECT_TRUE(process_->IsRunning());
}

INSTANTIATE_TEST_SUITE_P(Sessions, TrayMenuOnDesktopTest,
                         testing::Values(SessionKind::X11, SessionKind::Wayland), KindName);

#endif

}  // namespace
}  // namespace tv::test
