// What a destination's file system refuses in a name, and whether it can hold a name at all.
// Windows media (FAT32, exFAT, NTFS as udisks mounts it) refuse characters that Linux names may
// hold; such names are stored mapped (see name_mapping.h). Some names cannot be held even so:
// the device names of NTFS with Windows names, and every name beyond ASCII on drivers that take
// no other. What a file system refuses is found by trying names in a folder of its own.
#pragma once

#include <bitset>
#include <string>

namespace tv {

class OpenFolder;

// The characters a FAT-family file system may refuse, each mapped when it does: the control
// characters 0x01-0x1F and " * : < > ? \ |.
bool IsMappableCharacter(char c);

struct NameRefusals {
    std::bitset<128> characters;  // refused mappable characters, by code
    bool trailingDot = false;     // a name may not end with '.'
    bool trailingSpace = false;   // a name may not end with ' '
    bool deviceNames = false;     // CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with any extension
    bool nonAscii = false;        // a name with any character beyond ASCII

    // Whether a name may be stored under another than its own.
    bool MapsAny() const { return characters.any() || trailingDot || trailingSpace; }
    bool Any() const { return MapsAny() || deviceNames || nonAscii; }
    bool operator==(const NameRefusals& o) const {
        return characters == o.characters && trailingDot == o.trailingDot &&
               trailingSpace == o.trailingSpace && deviceNames == o.deviceNames &&
               nonAscii == o.nonAscii;
    }
};

// Whether a device name of Windows is the part of name before its first '.' (in any case).
bool IsDeviceName(const std::string& name);
// Whether a file system with these refusals holds a name as it is stored (mapped already).
bool CanHoldName(const std::string& stored, const NameRefusals& refusals);

// Whether the file system of folder is one that holds every name Linux may give (ext4, xfs,
// btrfs, tmpfs …): there is nothing to find out.
bool HoldsEveryName(const std::string& folder);
// What the file system of folder refuses, found by making a new folder probeName in it, trying
// every kind of name inside, and removing it again. A name counts as refused when the driver
// answers for the name (an invalid, too long or badly encoded name, an operation not permitted,
// no such entry in the folder just made) or keeps it under another name; nothing is refused when
// the probe cannot be made or its folder went away meanwhile.
NameRefusals FindNameRefusals(const OpenFolder& folder, const std::string& probeName);
// Removes the folder name of folder when it is a probe's (a folder, not a link), with every
// file or link it holds; true when it is gone. A probe that was killed leaves one behind.
bool RemoveNameProbe(const OpenFolder& folder, const std::string& name);

}  // namespace tv
