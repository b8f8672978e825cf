// Every option of the program in one plain value: the drive table, the three kinds of run, the
// detail settings shared by all runs, the four string lists and the network credentials. Each
// field carries its registry value name, so every other part of the program names a setting the
// way it is stored (SyncChacheSize, IgnorTime, Directry2 and PCcardAuto included).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/date_time.h"

namespace tv {

constexpr int kDriveLetterCount = 26;

// The role of a drive. Removable drives take AutoBackup, ManualBackup or NoBackup; fixed and
// CD-ROM drives UnitSource or NotSource. Stored numbers are taken as they are, so a value outside
// the named ones can occur and must be tolerated by readers.
enum class DriveWork : int32_t {
    AutoBackup = 0,    // backed up when inserted
    ManualBackup = 1,  // backed up on request
    NoBackup = 2,      // "作業しない"
    UnitSource = 3,    // the whole drive is a source of the file/directory unit
    NotSource = 4,
};

struct DriveEntry {
    std::string Name;   // the shell's display name ("ラベル (E:)")
    int32_t Kind = -1;  // drive type 2, 3 or 5; -1 when the reset found no usable drive
    DriveWork Work = DriveWork::NoBackup;
    std::string BackupDir;  // destination when this (removable) drive is backed up
};

struct SettingsRecord {
    // Drive bookkeeping (section Directory).
    uint32_t ValidDrive = 0;  // logical-drive mask when last seen, bit 0 = A
    int32_t LastDrive = 0;    // character code of the last drive letter when last seen
    int32_t HardDiskNumber = 0;
    std::array<DriveEntry, kDriveLetterCount> Drives;  // A to Z

    // Drive unit ("ドライブ単位").
    int32_t Synchronize = 0;
    int32_t SyncNoCDCopy = 0;
    std::string SynchroDirectory;
    DateTime SyncInterval;  // a time of day on 1899-12-30
    int32_t SyncLoadControl = 0;
    int32_t SyncChacheSize = 0;  // copy buffer 32 KB << value
    int32_t SyncForceMirror = 0;
    int32_t SyncForceOverWrite = 0;
    int32_t SyncCheckSize = 0;
    int32_t SyncFullBackup = 0;
    int32_t SyncFullBackupCount = 0;
    int32_t SyncNoExcExt = 0;

    // File/directory unit ("ファイル・ディレクトリ単位").
    std::string Directry2;
    DateTime MirrorInterval;
    int32_t MirrorLoadControl = 0;
    int32_t MirrorChacheSize = 0;
    int32_t ForceMirror2 = 0;
    int32_t ForceOverWrite2 = 0;
    int32_t CheckSizeDrive = 0;
    int32_t HDBackupDrive = 0;  // stored and shown, never copied between records

    // Removable media ("リムーバブル類の動作").
    int32_t PCcardAuto = 0;
    int32_t RemLoadControl = 0;
    int32_t RemChacheSize = 0;
    int32_t ForceMirror1 = 0;
    int32_t ForceOverWrite1 = 0;
    int32_t CheckSizeFolder = 0;

    // Network credentials, plain in memory; stored only encrypted.
    std::string User1;
    std::string Pass1;
    std::string User2;
    std::string Pass2;

    // Detail settings ("詳細設定"), shared by all runs.
    int32_t Sound = 0;
    int32_t Navigation = 0;
    int32_t IgnorTime = 0;  // seconds
    int32_t ExceptSubFolder = 0;
    int32_t ExceptDateFlag = 0;
    DateTime ExceptDate;
    int32_t ExceptReadOnlyFile = 0;
    int32_t ExceptHiddenFile = 0;
    int32_t ExtFolder = 0;
    int32_t ExecuteType = 0;  // 0 never, 1 this time only, 2 every time
    int32_t DateFolder = 0;
    int32_t NoIdleTime = 0;  // minutes
    int32_t NoIdleSync = 0;
    int32_t NoIdleMirror = 0;
    int32_t USBCheck = 0;
    int32_t USBCheckInterval = 0;  // seconds
    DateTime BeforeLogDate;        // the day of month is the number of days the log keeps
    int32_t IdleCheck = 0;
    int32_t UseDustBox = 0;

    // The lists of the list file, each without duplicates.
    std::vector<std::string> FileList;    // [FILE]
    std::vector<std::string> ExceptList;  // [EXCEPT]
    std::vector<std::string> ExtList;     // [EXT]
    std::vector<std::string> IncExtList;  // [INCEXT]
};

// The letter of a drive table row: 'A' for index 0.
inline char DriveLetterAt(int index) { return static_cast<char>('A' + index); }

}  // namespace tv
