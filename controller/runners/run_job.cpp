#include "controller/runners/run_job.h"

namespace tv {

namespace {

// The removable media run keeps its copies in dated folders when DateFolder asks for it.
int32_t JobKindOf(const SettingsRecord& s, RunKind kind) {
    switch (kind) {
        case RunKind::DriveUnit:
            return DriveUnit;
        case RunKind::FileDir:
            return FileDir;
        case RunKind::Removable:
            break;
    }
    return s.DateFolder != 0 ? (Removable | DateFolders) : Removable;
}

uint8_t Flag(int32_t value) { return value != 0 ? 1 : 0; }

}  // namespace

CopyJob MakeCopyJob(const SettingsRecord& settings, RunKind kind, const std::string& source,
                    const std::string& destination, const LogRecord* log) {
    const UnitOptions own = UnitOptionsOf(settings, kind);
    CopyJob job;
    job.Kind = JobKindOf(settings, kind);
    job.Source = source;
    job.Destination = destination;
    job.ForceMirror = Flag(own.forceMirror);
    job.ForceOverWrite = Flag(own.forceOverWrite);
    job.CheckSize = Flag(own.checkSize);
    job.LoadControl = own.loadControl;
    job.BufferSize = BufferSizeForSetting(own.cacheSize);
    job.ExtFolder = Flag(settings.ExtFolder);
    job.ExcludedExtensions = &settings.ExtList;
    job.TargetExtensions = &settings.IncExtList;
    job.ExcludedFolders = &settings.ExceptList;
    job.ExceptSubFolder = Flag(settings.ExceptSubFolder);
    job.ExceptDateFlag = Flag(settings.ExceptDateFlag);
    job.ExceptDate = settings.ExceptDate;
    job.IncludeSubfolders = 1;
    job.ExceptReadOnly = Flag(settings.ExceptReadOnlyFile);
    job.ExceptHidden = Flag(settings.ExceptHiddenFile);
    job.IdleCheck = Flag(settings.IdleCheck);
    job.IgnorTime = settings.IgnorTime;
    job.LogRecord = log;
    job.ShowProgress = Flag(settings.Navigation);
    return job;
}

LogRecord RunLogFields(const DateTime& now, const char* unit, const std::string& target,
                       bool manual, bool known) {
    LogRecord record;
    record.date = now.Format("%Y/%m/%d");
    record.unit = unit;
    record.recognition = " ";
    record.drive = target;
    record.mode = manual ? "手動" : "自動";
    record.work = known ? "ミラーリング" : "バックアップ";
    return record;
}

}  // namespace tv
