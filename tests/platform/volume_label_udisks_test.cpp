// Setting a volume label through udisks2, against a stand-in for it on a private system bus:
// the method, the block object of the device and the label that reach it, and the refusals
// that make the call fail.
#include "platform/linux/volume_label_udisks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/dbus_mock.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kManagerPath = "/org/freedesktop/UDisks2";
constexpr const char* kSystemBus = "DBUS_SYSTEM_BUS_ADDRESS";
constexpr const char* kRefusal =
    "raise dbus.exceptions.DBusException('Not authorized', "
    "name='org.freedesktop.UDisks2.Error.NotAuthorized')";

class VolumeLabelUdisksTest : public ::testing::Test {
  protected:
    // GIO takes the system bus from the environment at its first use of it.
    void SetUp() override {
        ASSERT_TRUE(udisks_.Start()) << "FAILED LOUDLY: " << udisks_.error();
        if (const char* before = std::getenv(kSystemBus)) savedBus_ = before;
        setenv(kSystemBus, udisks_.BusAddress().c_str(), 1);
    }
    void TearDown() override {
        if (savedBus_) {
            setenv(kSystemBus, savedBus_->c_str(), 1);
        } else {
            unsetenv(kSystemBus);
        }
    }

    // A block device udisks2 knows, whose file system answers SetLabel with the Python code
    // given ("" accepts).
    void AddFilesystem(const std::string& device, const std::string& answer = "") {
        const std::string path = UdisksBlockObjectPath(device);
        ASSERT_TRUE(udisks_.Control(
            kManagerPath, "AddObject",
            "('" + path + "', 'org.freedesktop.UDisks2.Block', @a{sv} {}, @a(ssss) [])"))
            << udisks_.error();
        ASSERT_TRUE(udisks_.Control(path, "AddMethod",
                                    "('org.freedesktop.UDisks2.Filesystem', 'SetLabel', "
                                    "'sa{sv}', '', \"" +
                                        answer + "\")"))
            << udisks_.error();
    }
    std::vector<std::string> CallsOf(const std::string& device) {
        return udisks_.CallsOn(UdisksBlockObjectPath(device));
    }

    TestWorld world_;
    DbusMock udisks_{
        world_.base(), {kService, kManagerPath, "org.freedesktop.UDisks2.Manager"}, kService};
    std::optional<std::string> savedBus_;
};

TEST_F(VolumeLabelUdisksTest, TheLabelGoesToTheFilesystemOfTheDevicesBlockObject) {
    struct Case {
        const char* device;
        const char* label;
        const char* call;
    };
    const Case cases[] = {
        {"sdb1", "CAMERA", "SetLabel [<'CAMERA'>, <@a{sv} {}>]"},
        {"dm-0", "写真 2005", "SetLabel [<'写真 2005'>, <@a{sv} {}>]"},
        {"sdc", "", "SetLabel [<''>, <@a{sv} {}>]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        AddFilesystem(c.device);
        EXPECT_TRUE(SetLabelThroughUdisks(c.device, c.label));
        EXPECT_EQ(CallsOf(c.device), std::vector<std::string>{c.call});
    }
}

TEST_F(VolumeLabelUdisksTest, ARefusalFails) {
    AddFilesystem("sdb1", kRefusal);
    EXPECT_FALSE(SetLabelThroughUdisks("sdb1", "CAMERA"));
    EXPECT_EQ(CallsOf("sdb1").size(), 1u);
}

TEST_F(VolumeLabelUdisksTest, ADeviceUdisksDoesNotKnowFails) {
    AddFilesystem("sdb1");
    EXPECT_FALSE(SetLabelThroughUdisks("sdz9", "CAMERA"));
    EXPECT_TRUE(CallsOf("sdb1").empty());
}

// Labels udisks2 could not take are refused before anything is asked.
TEST_F(VolumeLabelUdisksTest, ALabelThatIsNotUtf8OrNoDeviceAsksNothing) {
    AddFilesystem("sdb1");
    EXPECT_FALSE(SetLabelThroughUdisks("sdb1", "\x83\x4a\x83\x81\x83\x89"));
    EXPECT_FALSE(SetLabelThroughUdisks("", "CAMERA"));
    EXPECT_TRUE(CallsOf("sdb1").empty());
}

TEST_F(VolumeLabelUdisksTest, WithoutUdisksItFails) {
    udisks_.StopMock();
    EXPECT_FALSE(SetLabelThroughUdisks("sdb1", "CAMERA"));
}

}  // namespace
}  // namespace tv::test
