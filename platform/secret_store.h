// The desktop's store of secrets: where the program keeps the share accounts so that no file of
// its own holds them. Each secret is named by a SecretKey; the store answers only while a
// service of the session serves it. A store may ask the user to unlock it through its own
// prompt, so a call can take as long as the user does.
#pragma once

#include <memory>
#include <string>

namespace tv {

// Names one secret: the record it belongs to ("settings", or "schedule" with the schedule's
// place and name), the account slot (1 or 2) and its half ("user" or "password").
struct SecretKey {
    std::string record;
    int index = 0;
    std::string name;
    int slot = 1;
    std::string field;
};

enum class SecretLookup {
    kFound,
    kAbsent,  // the store answered and holds no such secret
    kFailed,  // no answer, a locked store the user left locked, or a timeout
};

class SecretStore {
  public:
    virtual ~SecretStore() = default;
    // True when a service answers; asked once at start-up.
    virtual bool Answers() = 0;
    // Replaces the secret; false when the store did not take it.
    virtual bool Store(const SecretKey& key, const std::string& secret) = 0;
    virtual SecretLookup Read(const SecretKey& key, std::string* secret) = 0;
    // True when no such secret remains (also when there was none).
    virtual bool Remove(const SecretKey& key) = 0;
    // Removes every secret of the record (key.record), whatever its other attributes.
    virtual bool RemoveRecord(const std::string& record) = 0;
};

// The store of the user's desktop session.
std::unique_ptr<SecretStore> OpenDesktopSecretStore();

}  // namespace tv
