#include "PortNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

using namespace radio;
namespace fs = std::filesystem;

namespace {

std::vector<SerialDeviceInfo> TwoDevices() {
    return {{"/dev/ttyUSB0", "", "", "", "", "", ""}, {"/dev/ttyS0", "", "", "", "", "", ""}};
}

} // namespace

#ifndef _WIN32

TEST(ResolvePortNameTest, ComNamesMapToTheProfileThenToTheDevicesPresent) {
    const std::map<int, std::string> profile{{1, "/dev/ttyRadio"}, {3, "  "}};
    const ProfilePortLookup lookup = [&](int n) {
        auto it = profile.find(n);
        return it == profile.end() ? std::string() : it->second;
    };
    int listed = 0;
    const DeviceLister lister = [&] {
        ++listed;
        return TwoDevices();
    };

    EXPECT_EQ(ResolvePortName("com1", lookup, lister), "/dev/ttyRadio"); // profile key wins
    EXPECT_EQ(ResolvePortName("COM1", lookup, lister), "/dev/ttyRadio");
    EXPECT_EQ(listed, 0);
    EXPECT_EQ(ResolvePortName("COM2", lookup, lister), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortName("cOm1", {}, lister), "/dev/ttyUSB0");
    EXPECT_EQ(ResolvePortName("com3", lookup, lister), ""); // blank key, no third device
    EXPECT_EQ(ResolvePortName("com4", lookup, lister), "");

    listed = 0;
    EXPECT_EQ(ResolvePortName("/dev/ttyACM3", lookup, lister), "/dev/ttyACM3");
    EXPECT_EQ(ResolvePortName("com5", lookup, lister), "com5");
    EXPECT_EQ(ResolvePortName("com0", lookup, lister), "com0");
    EXPECT_EQ(ResolvePortName("com12", lookup, lister), "com12");
    EXPECT_EQ(listed, 0);
}

class SysfsTree : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/link_ports_XXXXXX";
        ASSERT_TRUE(::mkdtemp(dir));
        root_ = dir;
        fs::create_directories(root_ / "dev");
        fs::create_directories(root_ / "class");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Node(const std::string& name) { std::ofstream(root_ / "dev" / name).put('\0'); }
    void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text << "\n";
    }
    std::string Dev() const { return (root_ / "dev").string(); }
    std::string Class() const { return (root_ / "class").string(); }

    fs::path root_;
};

TEST_F(SysfsTree, DevicesComeUsbFirstInNaturalOrderThenRealBuiltInPorts) {
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS2", "ttyS10",
                             "ttyUSBx", "ttyS", "tty0", "ttyprintk"})
        Node(name);
    // ttyS0 has a UART; ttyS1 is a node with nothing behind it; ttyS2 has no device.
    fs::create_directories(root_ / "class/ttyS0/device");
    Write(root_ / "class/ttyS0/type", "4");
    fs::create_directories(root_ / "class/ttyS1/device");
    Write(root_ / "class/ttyS1/type", "0");
    fs::create_directories(root_ / "class/ttyS2");
    fs::create_directories(root_ / "class/ttyS10/device"); // type unreadable: kept

    std::vector<std::string> paths;
    for (const auto& d : ListSerialDevices(Dev(), Class()))
        paths.push_back(d.path);
    EXPECT_EQ(paths,
              (std::vector<std::string>{Dev() + "/ttyUSB2", Dev() + "/ttyUSB10", Dev() + "/ttyACM0",
                                        Dev() + "/ttyS0", Dev() + "/ttyS10"}));
}

TEST_F(SysfsTree, UsbAdaptersAreDescribedFromSysfs) {
    Node("ttyUSB0");
    const fs::path usb = root_ / "devices/usb1/1-1";
    const fs::path tty = usb / "1-1:1.0/ttyUSB0";
    fs::create_directories(tty);
    fs::create_directories(root_ / "drivers/ftdi_sio");
    fs::create_directory_symlink(root_ / "drivers/ftdi_sio", tty / "driver");
    Write(usb / "idVendor", "0403");
    Write(usb / "idProduct", "6001");
    Write(usb / "manufacturer", "Acme");
    Write(usb / "product", "USB Serial Cable");
    Write(usb / "serial", "A1B2");
    fs::create_directories(root_ / "class/ttyUSB0");
    fs::create_directory_symlink(tty, root_ / "class/ttyUSB0/device");

    const auto devices = ListSerialDevices(Dev(), Class());
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].usbId, "0403:6001");
    EXPECT_EQ(devices[0].driver, "ftdi_sio");
    EXPECT_EQ(devices[0].description,
              "Acme USB Serial Cable (USB 0403:6001, serial number A1B2, driver ftdi_sio)");
}

TEST(SystemPortOpenerTest, OpensAComNameThroughTheProfileAndExplainsFailures) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);

    SystemPortOpener opener([&](int n) { return n == 2 ? slave : std::string(); },
                            [] { return std::vector<SerialDeviceInfo>{}; });
    std::string reason;
    auto port = opener.Open("COM2", reason);
    EXPECT_TRUE(port) << reason;

    EXPECT_FALSE(opener.Open("com2", reason)); // still held by the first
    EXPECT_EQ(reason, slave + ": in use by another program");
    EXPECT_FALSE(opener.Open("com3", reason));
    EXPECT_EQ(reason, "No serial device is known as com3");
    EXPECT_FALSE(opener.Open("/dev/ttyUSB99", reason));
    EXPECT_EQ(reason, "/dev/ttyUSB99: no such device");
    EXPECT_FALSE(opener.Open("", reason));
    EXPECT_FALSE(reason.empty());

    port.reset();
    ::close(master);
}

#else

TEST(ResolvePortNameTest, WindowsOpensNamesAsTheyAre) {
    EXPECT_EQ(ResolvePortName(
                  "com1", [](int) { return std::string("x"); }, TwoDevices),
              "com1");
}

#endif
