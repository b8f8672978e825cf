// The desktop store through the freedesktop Secret Service (GNOME Keyring, KWallet, KeePassXC),
// with libsecret's asynchronous calls run on a main context of their own, so that neither the
// program's event loop nor the thread that calls matters. A locked collection is unlocked by
// the service's own prompt: the program never holds a password for the keyring.
#include <libsecret/secret.h>

#include "platform/linux/glib_owners.h"
#include "platform/linux/private_main_loop.h"
#include "platform/secret_store.h"

namespace tv {
namespace {

// Whether a service is there should be known at once; a call that needs the user to unlock
// the keyring waits for the user.
constexpr auto kAnswerPatience = std::chrono::seconds(5);
constexpr auto kPromptPatience = std::chrono::minutes(2);

// The program's own schema: a secret is found again only by every one of these attributes.
const SecretSchema* ShareAccountSchema() {
    static const SecretSchema schema = {"org.ostrel.Tessaravine.ShareAccount",
                                        SECRET_SCHEMA_NONE,
                                        {
                                            {"record", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                            {"index", SECRET_SCHEMA_ATTRIBUTE_INTEGER},
                                            {"name", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                            {"slot", SECRET_SCHEMA_ATTRIBUTE_INTEGER},
                                            {"field", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
                                        },
                                        0,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};
    return &schema;
}

struct HashTableUnref {
    void operator()(GHashTable* table) const { g_hash_table_unref(table); }
};
using AttributesPtr = std::unique_ptr<GHashTable, HashTableUnref>;

AttributesPtr NewAttributes() {
    return AttributesPtr(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
}

void Put(const AttributesPtr& table, const char* name, const std::string& value) {
    g_hash_table_insert(table.get(), g_strdup(name), g_strdup(value.c_str()));
}

AttributesPtr AttributesOf(const SecretKey& key) {
    AttributesPtr table = NewAttributes();
    Put(table, "record", key.record);
    Put(table, "index", std::to_string(key.index));
    Put(table, "name", key.name);
    Put(table, "slot", std::to_string(key.slot));
    Put(table, "field", key.field);
    return table;
}

std::string LabelOf(const SecretKey& key) {
    std::string label = "Tessaravine share account " + std::to_string(key.slot) + " " + key.field;
    if (key.record != "settings") label += " (schedule " + key.name + ")";
    return label;
}

struct SecretValueUnref {
    void operator()(SecretValue* value) const { secret_value_unref(value); }
};
using SecretValuePtr = std::unique_ptr<SecretValue, SecretValueUnref>;

// Texts are stored as text, so that the keyring's own tools show them; other bytes as they are.
SecretValuePtr ValueOf(const std::string& secret) {
    const char* type = g_utf8_validate(secret.data(), static_cast<gssize>(secret.size()), nullptr)
                           ? "text/plain"
                           : "application/octet-stream";
    return SecretValuePtr(
        secret_value_new(secret.data(), static_cast<gssize>(secret.size()), type));
}

// The end of one call: whether it succeeded and, for a lookup, the value found.
struct Outcome {
    explicit Outcome(detail::PrivateMainLoop* owner) : loop(owner) {}
    detail::PrivateMainLoop* loop;
    bool succeeded = false;
    SecretValuePtr value;
};

void OnServiceGot(GObject*, GAsyncResult* result, gpointer data) {
    auto* outcome = static_cast<Outcome*>(data);
    GError* error = nullptr;
    const detail::GObjectPtr<SecretService> service(secret_service_get_finish(result, &error));
    const detail::GErrorPtr owned(error);
    outcome->succeeded = service != nullptr;
    outcome->loop->Finished();
}

void OnStored(GObject*, GAsyncResult* result, gpointer data) {
    auto* outcome = static_cast<Outcome*>(data);
    GError* error = nullptr;
    outcome->succeeded = secret_password_store_finish(result, &error);
    const detail::GErrorPtr owned(error);
    outcome->loop->Finished();
}

void OnLookedUp(GObject*, GAsyncResult* result, gpointer data) {
    auto* outcome = static_cast<Outcome*>(data);
    GError* error = nullptr;
    outcome->value.reset(secret_password_lookup_binary_finish(result, &error));
    const detail::GErrorPtr owned(error);
    outcome->succeeded = error == nullptr;
    outcome->loop->Finished();
}

void OnCleared(GObject*, GAsyncResult* result, gpointer data) {
    auto* outcome = static_cast<Outcome*>(data);
    GError* error = nullptr;
    secret_password_clear_finish(result, &error);  // false also when there was nothing to clear
    const detail::GErrorPtr owned(error);
    outcome->succeeded = error == nullptr;
    outcome->loop->Finished();
}

class LibsecretStore final : public SecretStore {
  public:
    bool Answers() override {
        detail::PrivateMainLoop loop(kAnswerPatience);
        Outcome outcome(&loop);
        secret_service_get(SECRET_SERVICE_OPEN_SESSION, loop.cancellable(), OnServiceGot, &outcome);
        return loop.Run() && outcome.succeeded;
    }

    bool Store(const SecretKey& key, const std::string& secret) override {
        if (awayFromPrompt_) return false;
        detail::PrivateMainLoop loop(kPromptPatience);
        Outcome outcome(&loop);
        const AttributesPtr attributes = AttributesOf(key);
        const SecretValuePtr value = ValueOf(secret);
        secret_password_storev_binary(ShareAccountSchema(), attributes.get(),
                                      SECRET_COLLECTION_DEFAULT, LabelOf(key).c_str(), value.get(),
                                      loop.cancellable(), OnStored, &outcome);
        return Ran(loop) && outcome.succeeded;
    }

    SecretLookup Read(const SecretKey& key, std::string* secret) override {
        if (awayFromPrompt_) return SecretLookup::kFailed;
        detail::PrivateMainLoop loop(kPromptPatience);
        Outcome outcome(&loop);
        const AttributesPtr attributes = AttributesOf(key);
        secret_password_lookupv(ShareAccountSchema(), attributes.get(), loop.cancellable(),
                                OnLookedUp, &outcome);
        if (!Ran(loop) || !outcome.succeeded) return SecretLookup::kFailed;
        if (!outcome.value) return SecretLookup::kAbsent;
        gsize length = 0;
        const gchar* bytes = secret_value_get(outcome.value.get(), &length);
        secret->assign(bytes, length);
        return SecretLookup::kFound;
    }

    bool Remove(const SecretKey& key) override { return Clear(AttributesOf(key)); }

    bool RemoveRecord(const std::string& record) override {
        AttributesPtr attributes = NewAttributes();
        Put(attributes, "record", record);
        return Clear(std::move(attributes));
    }

  private:
    // False when the time ran out: the user did not answer the service's unlock prompt, and
    // is not asked again by every later call of this process, each of which would wait as long.
    bool Ran(detail::PrivateMainLoop& loop) {
        if (!loop.Run()) awayFromPrompt_ = true;
        return !awayFromPrompt_;
    }

    // Removes every secret that has all of these attributes.
    bool Clear(AttributesPtr attributes) {
        if (awayFromPrompt_) return false;
        detail::PrivateMainLoop loop(kPromptPatience);
        Outcome outcome(&loop);
        secret_password_clearv(ShareAccountSchema(), attributes.get(), loop.cancellable(),
                               OnCleared, &outcome);
        return Ran(loop) && outcome.succeeded;
    }

    bool awayFromPrompt_ = false;
};

}  // namespace

std::unique_ptr<SecretStore> OpenDesktopSecretStore() { return std::make_unique<LibsecretStore>(); }

}  // namespace tv
