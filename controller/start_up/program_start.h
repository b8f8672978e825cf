// What the program does before its frame exists, and what it has to tell the user about it, as
// values: the single instance and its channel, the program's folders, the settings file (a damaged
// one kept aside) and the user's pinned drives; after the frame has started, whether the tray icon
// found a notification area.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "controller/ports/notifier.h"
#include "platform/drive_table.h"
#include "platform/instance_channel.h"
#include "platform/locations.h"
#include "platform/prompts.h"
#include "platform/registry_store.h"
#include "platform/single_instance.h"

namespace tv {

enum class StartNotice {
    AlreadyRunning,         // another process of the user runs and cannot be reached: this one
                            // ends with failure
    NoSafeLockFolder,       // no lock could be taken where only the user can reach it: ends too
    SettingsFileKeptAside,  // the settings file was damaged and renamed; defaults apply
    SettingsFileNotKeptAside,
    PinnedDrivesDamaged,    // pinned-drives.tsv was ignored as a whole
    NoInstanceChannel,      // a second start cannot reach this instance
    NoNotificationArea,     // the program stays resident without an icon
    NotificationAreaLater,  // the icon is placed as soon as a notification area appears
};

struct StartMessage {
    StartNotice notice;
    std::string text;
    bool operator==(const StartMessage& o) const { return notice == o.notice && text == o.text; }
};

struct ProgramStart {
    bool proceed = false;  // false: the program ends at once, with failure unless handedOver
    // The instance already running was reached and opens its settings: this start has done
    // what the user asked and ends with success.
    bool handedOver = false;
    std::vector<StartMessage> messages;
};

// Takes the single instance first (nothing else is touched when it cannot be had: the instance
// that holds it is asked to open its settings), listens for later starts on listener, then
// makes the program, Log and config folders, removes what killed saves left in the program and
// config folders, loads the settings file into registry and the pinned drives into drives.
ProgramStart StartProgram(const Locations& locations, SingleInstance& instance,
                          InstanceListener& listener, RegistryStore& registry, DriveTable& drives);

// What to say once the frame has tried to add its icon: nothing when it sits in a notification
// area. notificationAreaPresent: whether one is there now.
std::optional<StartMessage> TrayStartMessage(bool iconAdded, bool notificationAreaPresent);

// A second instance is told in a message box, as the user may have started it from a menu; a
// missing lock folder in a box and on the terminal; everything else is one line on the terminal.
void TellUser(const StartMessage& message, Prompts& prompts, std::FILE* terminal);
// TellUser, and once the frame runs: without a notification area the user learns by a desktop
// notice how the settings are reached, since no icon will show it.
void TellUser(const StartMessage& message, Prompts& prompts, Notifier& notifier,
              std::FILE* terminal);

}  // namespace tv
