// What the capacity display of the drive unit and file/directory pages shows for an amount to
// save and a usable capacity (both in MB): the estimated utilisation in percent, the bar's
// colour and whether the destination may be too small.
#pragma once

#include <cstdint>

namespace tv {

// Bar colours as colour references: 0x00BBGGRR.
constexpr uint32_t kCapacityNormalColour = 0xFF6633;
constexpr uint32_t kCapacityOverflowColour = 0x0000FF;

// Where a page starts to count the destination as too small: the drive unit page above
// 100 %, the file/directory page already at 100 %.
enum class OverflowFrom { kAbove100, kAt100 };

struct CapacityLook {
    int position = 0;  // the bar, 0 to 100
    uint32_t colour = kCapacityNormalColour;
    bool warning = false;  // CapacityWarning
    bool operator==(const CapacityLook& o) const {
        return position == o.position && colour == o.colour && warning == o.warning;
    }
};

// amount × 100 / usable, truncated, with anything to save counting at least 1 %; a full
// destination with something to save, or a result past the page's limit, overflows.
CapacityLook LookOfCapacity(uint64_t amountMb, uint64_t usableMb, OverflowFrom overflow);

// Bytes in whole MB (2^20 bytes), truncated.
constexpr uint64_t WholeMegabytes(uint64_t bytes) { return bytes >> 20; }

}  // namespace tv
