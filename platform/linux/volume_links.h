// The file-system UUID and label of a block device, from the links udev keeps under /dev/disk
// (by-uuid/<uuid> and by-label/<label>, each pointing at the device), or asked of libblkid
// when the links do not tell.
#pragma once

#include <string>

namespace tv {

class VolumeLinks {
  public:
    // askBlkid: also probe the real device through libblkid (off for recorded fake trees).
    VolumeLinks(std::string devDiskRoot, bool askBlkid);

    std::string Uuid(const std::string& deviceName) const;   // empty when none
    std::string Label(const std::string& deviceName) const;  // empty when none

  private:
    std::string LinkNameFor(const std::string& folder, const std::string& deviceName) const;
    std::string AskBlkid(const char* tag, const std::string& deviceName) const;
    std::string devDiskRoot_;
    bool askBlkid_;
};

// Decodes the \xHH escapes udev writes into link names ("My\x20Card" -> "My Card").
std::string DecodeUdevLinkName(const std::string& name);

}  // namespace tv
