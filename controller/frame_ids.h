// The numbers the frame shares with its menu, its timers and the settings dialog. They keep the
// values they have always had, so stored settings and dialogs built against them agree.
#pragma once

namespace tv {

// Tray menu commands.
constexpr int kCommandSettingsReport = 7;  // "Tessaravine設定内容を出力(&S)"
constexpr int kCommandSettings = 133;      // "設定(&C)"
constexpr int kCommandExit = 57665;        // "アプリケーションの終了(&X)"
// The manual run of a removable drive: the first id is drive A, the last drive Z.
constexpr int kCommandMirrorFirst = 11024;
constexpr int kCommandMirrorLast = kCommandMirrorFirst + 25;

// How the settings dialog ended.
constexpr int kSettingsApply = 1002;
constexpr int kSettingsRunDriveUnit = 1074;
constexpr int kSettingsRunFileDir = 1078;
constexpr int kSettingsCancel = 2;

// The frame's timers.
constexpr int kTimerExitRun = 1;         // one-shot: the run before the session ends
constexpr int kTimerTick = 2;            // interval runs and schedules
constexpr int kTimerMediaPoll = 3;       // newly present removable media
constexpr int kTimerMediaNotify = 4;     // one-shot: register the media notification
constexpr int kTimerBeforeShutdown = 5;  // one-shot: the work before the system shuts down
constexpr unsigned kTickPeriodMs = 10000;
constexpr unsigned kMediaNotifyDelayMs = 1;
constexpr unsigned kExitRunDelayMs = 1000;
// The system waits only a few seconds for the program: its work starts at once, but outside the
// handler of the system's announcement.
constexpr unsigned kBeforeShutdownDelayMs = 0;

}  // namespace tv
