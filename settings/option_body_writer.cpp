#include <limits>

#include "settings/credential_cipher.h"
#include "settings/option_body.h"
#include "settings/option_body_bytes.h"
#include "settings/option_body_layout.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

class BodyWriter {
  public:
    explicit BodyWriter(std::string* bytes) : bytes_(bytes) { cipher_.Open(); }

    bool ok() const { return ok_; }

    void Int(int32_t value) { AppendInt32(bytes_, value); }
    void Work(DriveWork work) { Int(static_cast<int32_t>(work)); }
    void Time(const DateTime& time) { Int(MinutesOfTime(time)); }
    void Date(const DateTime& date) { Int(NumberOfDate(date)); }
    void DayCount(const DateTime& date) { Int(DayCountOf(date)); }

    void Text(const std::string& text) {
        if (text.size() > static_cast<size_t>(kMaxBodyTextBytes)) {
            ok_ = false;
            return;
        }
        Int(static_cast<int32_t>(text.size()));
        bytes_->append(text);
    }

    void List(const std::vector<std::string>& entries) {
        if (entries.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
            ok_ = false;
            return;
        }
        Int(static_cast<int32_t>(entries.size()));
        for (const std::string& entry : entries) Text(entry);
    }

    // Encrypted on a copy; were the cipher unavailable, Encrypt leaves the plain bytes.
    void Credential(const std::string& plain) {
        std::string stored = plain;
        cipher_.Encrypt(&stored);
        Text(stored);
    }

  private:
    std::string* bytes_;
    CredentialCipher cipher_;
    bool ok_ = true;
};

}  // namespace

bool WriteOptionBody(const SettingsRecord& record, std::string* bytes) {
    std::string body;
    BodyWriter writer(&body);
    VisitOptionBody(record, writer);
    if (!writer.ok()) return false;
    bytes->append(body);
    return true;
}

}  // namespace tv
