// Numbers the rest of the program shares with Windows, kept with their Windows values so that
// stored settings, window messages and result codes mean the same on every platform.
#pragma once

#include <cstdint>

namespace tv {

// File attributes.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Drive types.
constexpr int kDriveUnknown = 0;
constexpr int kDriveNoRootDir = 1;
constexpr int kDriveRemovable = 2;
constexpr int kDriveFixed = 3;
constexpr int kDriveRemote = 4;
constexpr int kDriveCdRom = 5;
constexpr int kDriveRamDisk = 6;

// Message-box flags.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconHand = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbIconInformation = 0x40;

// Message-box answers.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

}  // namespace tv
