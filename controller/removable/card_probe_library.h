// The CardProbe library (kCardProbeLibraryName) of the program directory, loaded by its full
// path when the owner is created. Without the library, or without one of its entries, media have no
// serial number files or card names and the drives report no product text: removable runs go on
// with what the volume itself tells.
#pragma once

#include <string>

#include "controller/ports/media_identity.h"
#include "platform/dynamic_library.h"
#include "platform/program_libraries.h"

struct MediaInfo;

namespace tv {

class CardProbeLibrary : public MediaIdentity {
  public:
    // fullPath: the library file, usually the install folder's kCardProbeLibraryName.
    explicit CardProbeLibrary(const std::string& fullPath);
    CardProbeLibrary(const CardProbeLibrary&) = delete;
    CardProbeLibrary& operator=(const CardProbeLibrary&) = delete;

    bool IsLoaded() const { return library_.IsLoaded(); }

    std::optional<std::string> SerialNumber(char letter) override;
    std::string MakeSerialNumber() override;
    bool WriteSerialNumber(char letter, const std::string& serial) override;
    std::optional<std::string> CardName(char letter) override;
    bool WriteCardName(char letter, const std::string& text) override;
    std::string ProductText(char letter) override;

  private:
    using ReadText = int (*)(int letter, char* buffer);
    using MakeText = int (*)(char* buffer);
    using WriteText = int (*)(int letter, const char* text);
    using Probe = int (*)(int letter, ::MediaInfo* info);

    template <typename Function>
    Function Entry(const char* name) const {
        return reinterpret_cast<Function>(library_.Symbol(name));
    }

    DynamicLibrary library_;
    ReadText getSerialNumber_ = nullptr;
    MakeText makeSerialNumber_ = nullptr;
    WriteText setSerialNumber_ = nullptr;
    ReadText getCardName_ = nullptr;
    WriteText setCardName_ = nullptr;
    Probe cardProbe_ = nullptr;
};

}  // namespace tv
