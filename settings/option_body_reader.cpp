#include <unordered_set>

#include "settings/credential_cipher.h"
#include "settings/option_body.h"
#include "settings/option_body_bytes.h"
#include "settings/option_body_layout.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

// Fills a scratch record item by item; after the first refused item it reads nothing more.
class BodyReader {
  public:
    explicit BodyReader(ByteCursor* cursor) : cursor_(cursor) { cipher_.Open(); }

    bool ok() const { return ok_; }

    void Int(int32_t& value) { ok_ = ok_ && cursor_->ReadInt32(&value); }

    void Work(DriveWork& work) {
        int32_t value = 0;
        Int(value);
        if (ok_) work = static_cast<DriveWork>(value);
    }

    void Time(DateTime& time) {
        int32_t minutes = 0;
        Int(minutes);
        if (ok_) time = TimeFromMinutes(minutes);
    }

    void Date(DateTime& date) {
        int32_t number = 0;
        Int(number);
        if (ok_) date = DateFromNumber(number);
    }

    void DayCount(DateTime& date) {
        int32_t number = 0;
        Int(number);
        if (ok_) date = DateOfDayCount(number % 100);
    }

    void Text(std::string& text) {
        int32_t length = 0;
        Int(length);
        ok_ = ok_ && length >= 0 && length <= kMaxBodyTextBytes &&
              cursor_->ReadBytes(static_cast<size_t>(length), &text);
    }

    // The list is replaced by the entries read, each non-empty entry taken once.
    void List(std::vector<std::string>& entries) {
        int32_t count = 0;
        Int(count);
        // Every entry takes at least its length, so a count that cannot fit is refused at once.
        ok_ =
            ok_ && count >= 0 && static_cast<size_t>(count) <= cursor_->Remaining() / kBodyIntBytes;
        if (!ok_) return;
        std::vector<std::string> read;
        std::unordered_set<std::string> seen;
        for (int32_t i = 0; i < count && ok_; ++i) {
            std::string entry;
            Text(entry);
            if (ok_ && !entry.empty() && seen.insert(entry).second) read.push_back(entry);
        }
        if (ok_) entries = std::move(read);
    }

    void Credential(std::string& value) {
        Text(value);
        if (ok_) cipher_.Decrypt(&value);
    }

  private:
    ByteCursor* cursor_;
    CredentialCipher cipher_;
    bool ok_ = true;
};

}  // namespace

bool ReadOptionBody(std::string_view bytes, size_t* offset, SettingsRecord& record) {
    ByteCursor cursor(bytes, *offset);
    SettingsRecord scratch = record;
    BodyReader reader(&cursor);
    VisitOptionBody(scratch, reader);
    if (!reader.ok()) return false;
    record = std::move(scratch);
    *offset = cursor.Offset();
    return true;
}

}  // namespace tv
