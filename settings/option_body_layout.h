// The order of the items of the option-file body, written down once for both directions. A
// visitor is handed every item in turn: Int, Work, Text, List, Time (hours x 60 + minutes), Date
// (year x 10000 + month x 100 + day), DayCount and Credential (the encrypted bytes). The writer
// visits a const record, the reader a scratch record it fills.
#pragma once

#include "settings/settings_record.h"

namespace tv {

template <typename Record, typename Visitor>
void VisitDriveTable(Record& record, Visitor& visitor) {
    for (auto& drive : record.Drives) {
        visitor.Text(drive.Name);
        visitor.Int(drive.Kind);
        visitor.Work(drive.Work);
        visitor.Text(drive.BackupDir);
    }
}

template <typename Record, typename Visitor>
void VisitDriveUnit(Record& r, Visitor& visitor) {
    visitor.Int(r.Synchronize);
    visitor.Int(r.SyncNoCDCopy);
    visitor.Text(r.SynchroDirectory);
    visitor.Time(r.SyncInterval);
    visitor.Int(r.SyncLoadControl);
    visitor.Int(r.SyncChacheSize);
    visitor.Int(r.SyncForceMirror);
    visitor.Int(r.SyncForceOverWrite);
    visitor.Int(r.SyncCheckSize);
    visitor.Int(r.SyncFullBackup);
    visitor.Int(r.SyncFullBackupCount);
    visitor.Int(r.SyncNoExcExt);
}

template <typename Record, typename Visitor>
void VisitFileDirUnit(Record& r, Visitor& visitor) {
    visitor.List(r.FileList);
    visitor.Text(r.Directry2);
    visitor.Time(r.MirrorInterval);
    visitor.Int(r.MirrorLoadControl);
    visitor.Int(r.MirrorChacheSize);
    visitor.Int(r.ForceMirror2);
    visitor.Int(r.ForceOverWrite2);
    visitor.Int(r.CheckSizeDrive);
}

template <typename Record, typename Visitor>
void VisitRemovable(Record& r, Visitor& visitor) {
    visitor.Int(r.PCcardAuto);
    visitor.Int(r.RemLoadControl);
    visitor.Int(r.RemChacheSize);
    visitor.Int(r.ForceMirror1);
    visitor.Int(r.ForceOverWrite1);
    visitor.Int(r.CheckSizeFolder);
}

template <typename Record, typename Visitor>
void VisitNetwork(Record& r, Visitor& visitor) {
    visitor.Credential(r.User1);
    visitor.Credential(r.Pass1);
    visitor.Credential(r.User2);
    visitor.Credential(r.Pass2);
}

template <typename Record, typename Visitor>
void VisitDetails(Record& r, Visitor& visitor) {
    visitor.Int(r.Sound);
    visitor.Int(r.Navigation);
    visitor.Int(r.IgnorTime);
    visitor.List(r.ExceptList);
    visitor.Int(r.ExceptSubFolder);
    visitor.Int(r.ExceptDateFlag);
    visitor.Date(r.ExceptDate);
    visitor.Int(r.ExceptReadOnlyFile);
    visitor.Int(r.ExceptHiddenFile);
    visitor.List(r.ExtList);
    visitor.List(r.IncExtList);
    visitor.Int(r.ExtFolder);
    visitor.Int(r.ExecuteType);
    visitor.Int(r.DateFolder);
    visitor.Int(r.NoIdleTime);
    visitor.Int(r.NoIdleSync);
    visitor.Int(r.NoIdleMirror);
    visitor.Int(r.USBCheck);
    visitor.Int(r.USBCheckInterval);
    visitor.DayCount(r.BeforeLogDate);
    visitor.Int(r.IdleCheck);
}

// ValidDrive, LastDrive, HardDiskNumber, HDBackupDrive and UseDustBox are not part of the body.
template <typename Record, typename Visitor>
void VisitOptionBody(Record& record, Visitor& visitor) {
    VisitDriveTable(record, visitor);
    VisitDriveUnit(record, visitor);
    VisitFileDirUnit(record, visitor);
    VisitRemovable(record, visitor);
    VisitNetwork(record, visitor);
    VisitDetails(record, visitor);
}

}  // namespace tv
