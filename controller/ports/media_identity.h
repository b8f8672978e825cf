// What a removable medium says of itself beyond its volume: the serial number and the card name
// kept in small files on the medium, and the product text its drive reports. The program reaches
// them through the CardProbe library; tests may give a fake.
#pragma once

#include <optional>
#include <string>

namespace tv {

class MediaIdentity {
  public:
    virtual ~MediaIdentity() = default;
    // The 16-digit serial number stored on the medium in letter, if any.
    virtual std::optional<std::string> SerialNumber(char letter) = 0;
    // A new 16-digit serial number; "" when none can be made.
    virtual std::string MakeSerialNumber() = 0;
    // Stores serial on the medium; false when it cannot be written (write-protected, gone).
    virtual bool WriteSerialNumber(char letter, const std::string& serial) = 0;
    // The card name text stored on the medium, if any.
    virtual std::optional<std::string> CardName(char letter) = 0;
    virtual bool WriteCardName(char letter, const std::string& text) = 0;
    // The product text the drive's storage device reports ("" when it reports none).
    virtual std::string ProductText(char letter) = 0;
};

}  // namespace tv
