#include "settings/unit_options.h"

namespace tv {
namespace {

using R = SettingsRecord;

constexpr UnitFields kUnits[] = {
    {&R::SyncLoadControl, &R::SyncChacheSize, &R::SyncForceMirror, &R::SyncForceOverWrite,
     &R::SyncCheckSize},
    {&R::MirrorLoadControl, &R::MirrorChacheSize, &R::ForceMirror2, &R::ForceOverWrite2,
     &R::CheckSizeDrive},
    {&R::RemLoadControl, &R::RemChacheSize, &R::ForceMirror1, &R::ForceOverWrite1,
     &R::CheckSizeFolder},
};

}  // namespace

const UnitFields& UnitFieldsOf(SettingsUnit unit) { return kUnits[static_cast<int>(unit)]; }

UnitOptions UnitOptionsOf(const SettingsRecord& record, SettingsUnit unit) {
    const UnitFields& fields = UnitFieldsOf(unit);
    return {record.*fields.loadControl, record.*fields.cacheSize, record.*fields.forceMirror,
            record.*fields.forceOverWrite, record.*fields.checkSize};
}

}  // namespace tv
