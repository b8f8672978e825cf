// The texts of a storage device's descriptor as a driver returns it: offsets into the same
// buffer, texts ended by NUL, and answers that are short, damaged or point anywhere.
#include "cardprobe/device_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tv::cardprobe {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes* bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A header of 36 bytes whose size field covers everything, then the vendor and product texts
// (each with its NUL) at the offsets the header names.
Bytes Descriptor(const std::string& vendor, const std::string& product) {
    Bytes bytes(36, 0);
    Put32(&bytes, 12, 36);
    bytes.insert(bytes.end(), vendor.begin(), vendor.end());
    bytes.push_back(0);
    Put32(&bytes, 16, static_cast<uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), product.begin(), product.end());
    bytes.push_back(0);
    Put32(&bytes, 4, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

StorageTexts TextsOfFirst(const Bytes& bytes, std::size_t size) {
    const std::optional<DeviceDescriptor> descriptor = ParseDeviceDescriptor(bytes.data(), size);
    EXPECT_TRUE(descriptor.has_value());
    return descriptor ? descriptor->texts : StorageTexts{};
}

StorageTexts Texts(const Bytes& bytes) { return TextsOfFirst(bytes, bytes.size()); }

TEST(DeviceDescriptorTest, VendorAndProductComeFromTheirOffsets) {
    const StorageTexts texts = Texts(Descriptor("Generic ", "USB SD Reader   "));
    EXPECT_EQ(texts.vendor, "Generic ");
    EXPECT_EQ(texts.product, "USB SD Reader   ");
}

TEST(DeviceDescriptorTest, AbsentOrStrayOffsetsGiveEmptyTexts) {
    Bytes bytes = Descriptor("Vendor", "Product");
    Put32(&bytes, 12, 0);   // no vendor text
    Put32(&bytes, 16, 20);  // into the header
    StorageTexts texts = Texts(bytes);
    EXPECT_EQ(texts.vendor, "");
    EXPECT_EQ(texts.product, "");

    bytes = Descriptor("Vendor", "Product");
    Put32(&bytes, 16, 0xFFFFFFF0u);  // far past the end
    texts = Texts(bytes);
    EXPECT_EQ(texts.vendor, "Vendor");
    EXPECT_EQ(texts.product, "");
}

TEST(DeviceDescriptorTest, TextsStopAtTheBytesReturnedAndTheDeclaredSize) {
    Bytes bytes = Descriptor("Vendor", "Product");
    bytes.pop_back();  // the product's NUL
    EXPECT_EQ(Texts(bytes).product, "Product");
    EXPECT_EQ(TextsOfFirst(bytes, bytes.size() - 3).product, "Prod");

    bytes = Descriptor("Vendor", "Product");
    Put32(&bytes, 4, static_cast<uint32_t>(bytes.size() - 5));
    EXPECT_EQ(Texts(bytes).product, "Pro");
    EXPECT_EQ(Texts(bytes).vendor, "Vendor");
}

TEST(DeviceDescriptorTest, ShortAnswersAndLongTexts) {
    const Bytes whole = Descriptor("Vendor", std::string(300, 'P'));
    EXPECT_EQ(Texts(whole).product, std::string(kMaxStorageText, 'P'));
    EXPECT_FALSE(ParseDeviceDescriptor(whole.data(), 35).has_value());
    EXPECT_FALSE(ParseDeviceDescriptor(nullptr, 0).has_value());
}

// Byte 10 is the removable media flag, bytes 28 to 31 the bus type (7 for USB).
TEST(DeviceDescriptorTest, FixedDisksOnUsbOrWithRemovableMediaAreRemovable) {
    Bytes bytes = Descriptor("Vendor", "USB HDD");
    std::optional<DeviceDescriptor> descriptor = ParseDeviceDescriptor(bytes.data(), bytes.size());
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_FALSE(descriptor->removableMedia || descriptor->onUsb);
    EXPECT_EQ(ProgramDriveType(3, descriptor), 3);
    EXPECT_EQ(ProgramDriveType(3, std::nullopt), 3);

    Put32(&bytes, 28, 7);
    descriptor = ParseDeviceDescriptor(bytes.data(), bytes.size());
    EXPECT_TRUE(descriptor->onUsb);
    EXPECT_EQ(ProgramDriveType(3, descriptor), 2);
    Put32(&bytes, 28, 0x107);  // not USB
    bytes[10] = 1;
    descriptor = ParseDeviceDescriptor(bytes.data(), bytes.size());
    EXPECT_FALSE(descriptor->onUsb);
    EXPECT_TRUE(descriptor->removableMedia);
    EXPECT_EQ(ProgramDriveType(3, descriptor), 2);
    // Only a fixed disk changes: the other types are what the system says.
    for (const int type : {0, 1, 2, 4, 5, 6}) EXPECT_EQ(ProgramDriveType(type, descriptor), type);
}

}  // namespace
}  // namespace tv::cardprobe
