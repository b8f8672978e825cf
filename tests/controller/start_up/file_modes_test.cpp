// Who may read what the program makes, under a private and a common file mode mask: files that
// hold credentials are the user's alone whatever the mask, the other files follow the mask, the
// folders the program makes for its own files are private, and a file the user set up keeps the
// permissions the user gave it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <string>

#include "controller/runners/decision_file.h"
#include "controller/start_up/program_start.h"
#include "log/flat_log.h"
#include "log/log_store.h"
#include "platform/date_time.h"
#include "platform/file_system.h"
#include "platform/linux/volume_letter_memory.h"
#include "platform/paths.h"
#include "platform/pinned_drives_file.h"
#include "platform/registry_store.h"
#include "schedule/schedule_list.h"
#include "settings/list_file.h"
#include "settings/option_file.h"
#include "settings/settings_dump.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_umask.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// Each maker makes one thing the way the program does and gives its path ("" when it failed).
using Maker = std::function<std::string(TestWorld&)>;

// The program's folders as on a first start: none of them, nor the data folder's parent, exists.
Locations FirstStartLocations(const TestWorld& world) {
    Locations locations = world.locations();
    locations.programDir = JoinPath(world.base(), "share/tessaravine");
    locations.configDir = JoinPath(world.base(), "config/OstrelSystem");
    return locations;
}

// The folder that pick chooses, after a first start of the program.
Maker StartedFolder(std::function<std::string(const Locations&)> pick) {
    return [pick](TestWorld& world) {
        const Locations locations = FirstStartLocations(world);
        SingleInstance instance;
        InstanceListener listener;
        RegistryStore registry(JoinPath(locations.configDir, kRegistryFileName));
        DriveTable drives(locations.configDir);
        drives.SetPinnedOnly(true);
        return StartProgram(locations, instance, listener, registry, drives).proceed
                   ? pick(locations)
                   : "";
    };
}

// A data folder that was there before the program first started keeps its permissions.
std::string DataFolderThatWasThere(TestWorld& world) {
    const std::string folder = FirstStartLocations(world).programDir;
    if (!EnsureFolder(folder) || chmod(folder.c_str(), 0755) != 0) return "";
    return StartedFolder([](const Locations& l) { return l.programDir; })(world);
}

// The lock the program takes where no runtime folder is set.
Maker FallbackLock(bool file) {
    return [file](TestWorld&) -> std::string {
        SingleInstance instance;
        if (instance.Acquire(FallbackLockDir()) != InstanceLock::Held) return "";
        return file ? JoinPath(FallbackLockDir(), kInstanceLockName) : FallbackLockDir();
    };
}

LogRecord ARecord() {
    LogRecord record;
    record.date = "2026/12/09";
    record.unit = "File/Directory";
    record.action = "ファイル作成";
    record.name = "a.txt";
    record.time = "10:00:00";
    record.result = "ＯＫ";
    return record;
}

std::string FlatLogRebuilt(TestWorld& world, const char* name) {
    if (!AppendFlatLog(world.programDir(), ARecord())) return "";
    RebuildLogIndex(world.programDir());
    return JoinPath(world.programDir(), name);
}

std::string PinnedFileRelabelled(TestWorld& world) {
    const std::string path = JoinPath(world.configDir(), "pinned-drives.tsv");
    PutFileBytes(path, "E\tremovable\t" + world.MakeFolder("card") + "\t-\tSDCARD\r\n");
    chmod(path.c_str(), 0640);
    return WritePinnedLabel(path, 'E', "CAMERA") ? path : "";
}

// sch.dat as an earlier version left it: readable by everyone.
std::string OldScheduleFileRewritten(TestWorld& world) {
    const ScheduleList schedules(world.programDir());
    PutFileBytes(schedules.path(), "");
    chmod(schedules.path().c_str(), 0644);
    return schedules.Save() ? schedules.path() : "";
}

// Permission bits as they are written in octal, so a failure reads like ls -l; "none" when
// nothing is there.
std::string Octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "0%03o", static_cast<unsigned>(mode));
    return text;
}

std::string ModeOf(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? Octal(st.st_mode & 07777) : "none";
}

TEST(FileModes, EveryFileAndFolderTheProgramMakesHasItsModeUnderEitherMask) {
    const struct {
        const char* what;
        Maker make;
        mode_t under077;
        mode_t under022;
    } cases[] = {
        {"the config folder", StartedFolder([](const Locations& l) { return l.configDir; }), 0700,
         0700},
        {"the config folder's missing parent",
         StartedFolder([](const Locations& l) { return ContainingFolder(l.configDir); }), 0700,
         0700},
        {"the data folder", StartedFolder([](const Locations& l) { return l.programDir; }), 0700,
         0700},
        {"the data folder's missing parent",
         StartedFolder([](const Locations& l) { return ContainingFolder(l.programDir); }), 0700,
         0700},
        {"the Log folder",
         StartedFolder([](const Locations& l) { return JoinPath(l.programDir, "Log"); }), 0700,
         0700},
        {"a data folder that was there 0755", DataFolderThatWasThere, 0755, 0755},
        {"the fallback lock folder", FallbackLock(false), 0700, 0700},
        {"the lock file", FallbackLock(true), 0600, 0600},
        {"the settings file",
         [](TestWorld& world) {
             RegistryStore registry(JoinPath(world.configDir(), kRegistryFileName));
             return registry.WriteDword("Mirroring", "SyncInterval", 90) ? registry.path() : "";
         },
         0600, 0600},
        {"drives.tsv",
         [](TestWorld& world) {
             world.drives().Refresh();
             return JoinPath(world.configDir(), "drives.tsv");
         },
         0600, 0644},
        {"the volume letter memory",
         [](TestWorld& world) -> std::string {
             const std::string path = JoinPath(world.configDir(), "drive-letters.tsv");
             VolumeLetterMemory memory;
             memory.Remember("uuid:0123-4567", 'D');
             return memory.Save(path) ? path : "";
         },
         0600, 0644},
        {"sch.dat",
         [](TestWorld& world) {
             const ScheduleList schedules(world.programDir());
             return schedules.Save() ? schedules.path() : "";
         },
         0600, 0600},
        {"sch.dat of an earlier version", OldScheduleFileRewritten, 0600, 0600},
        {"the list file",
         [](TestWorld& world) {
             const DateTime now = DateTime::FromParts(2026, 12, 9, 10, 0);
             return WriteListFile(SettingsRecord{}, world.programDir(), now)
                        ? ListFilePath(world.programDir())
                        : "";
         },
         0600, 0644},
        {"log.txt", [](TestWorld& world) { return FlatLogRebuilt(world, "log.txt"); }, 0600, 0644},
        {"log.idx", [](TestWorld& world) { return FlatLogRebuilt(world, "log.idx"); }, 0600, 0644},
        {"a day file of the log",
         [](TestWorld& world) {
             LogStore store(world.programDir());
             return store.Append(ARecord()) ? JoinPath(world.programDir(), "Log/20261209.txt") : "";
         },
         0600, 0644},
        {"Decision.txt",
         [](TestWorld& world) {
             DecisionFile decisions;
             return decisions.Open(world.programDir()) &&
                            decisions.Append(0x1234ABCD, DecisionLayout::Tabs, false,
                                             DateTime::FromParts(2026, 12, 9))
                        ? JoinPath(world.programDir(), DecisionFile::kFileName)
                        : "";
         },
         0600, 0644},
        {"an option file",
         [](TestWorld& world) {
             const std::string path = JoinPath(world.base(), "options.dat");
             return ExportOptions(SettingsRecord{}, path) ? path : "";
         },
         0600, 0600},
        {"the settings report",
         [](TestWorld& world) {
             ScriptedPrompts prompts;
             return WriteSettingsDump(SettingsRecord{}, world.programDir(), prompts)
                        ? JoinPath(world.programDir(), kSettingsDumpFileName)
                        : "";
         },
         0600, 0600},
        {"pinned-drives.tsv the user made 0640", PinnedFileRelabelled, 0640, 0640},
    };
    for (const mode_t mask : {mode_t{077}, mode_t{022}}) {
        for (const auto& c : cases) {
            TestWorld world;
            const ScopedUmask scoped(mask);
            const std::string path = c.make(world);
            ASSERT_FALSE(path.empty()) << c.what << " under umask " << Octal(mask);
            EXPECT_EQ(ModeOf(path), Octal(mask == 077 ? c.under077 : c.under022))
                << c.what << " under umask " << Octal(mask);
        }
    }
}

}  // namespace
}  // namespace tv::test
