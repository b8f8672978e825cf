#include "schedule/schedule_secrets.h"

#include "settings/credential_secrets.h"

namespace tv {
namespace {

constexpr const char* kScheduleRecord = "schedule";

SecretKey ScheduleSecretOwner(size_t index, const ScheduleEntry& entry) {
    return SecretKey{kScheduleRecord, static_cast<int>(index), entry.Name, 0, ""};
}

}  // namespace

std::vector<ScheduleEntry> KeepScheduleAccounts(SecretStore& store,
                                                const std::vector<ScheduleEntry>& entries) {
    // Secrets of entries that are gone, or have moved, must not stay behind.
    store.RemoveRecord(kScheduleRecord);
    std::vector<ScheduleEntry> filed = entries;
    for (size_t i = 0; i < filed.size(); ++i) {
        KeepCredentialsInSecretStore(store, ScheduleSecretOwner(i, filed[i]), filed[i].Settings);
    }
    return filed;
}

void TakeScheduleAccounts(SecretStore& store, std::vector<ScheduleEntry>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        TakeCredentialsFromSecretStore(store, ScheduleSecretOwner(i, entries[i]),
                                       entries[i].Settings);
    }
}

}  // namespace tv
