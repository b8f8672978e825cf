#include "controller/settings_dialog/capacity_figures.h"

namespace tv {

namespace {

constexpr CapacityLook kOverflow = {100, kCapacityOverflowColour, true};

bool IsPastLimit(uint64_t percent, OverflowFrom overflow) {
    return overflow == OverflowFrom::kAt100 ? percent >= 100 : percent > 100;
}

}  // namespace

CapacityLook LookOfCapacity(uint64_t amountMb, uint64_t usableMb, OverflowFrom overflow) {
    if (usableMb == 0) return amountMb == 0 ? CapacityLook{} : kOverflow;
    uint64_t percent = amountMb * 100 / usableMb;
    if (percent == 0 && amountMb != 0) percent = 1;
    if (IsPastLimit(percent, overflow)) return kOverflow;
    return {static_cast<int>(percent), kCapacityNormalColour, false};
}

}  // namespace tv
