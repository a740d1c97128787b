// From the port name the user chose to an open serial port.
//
// The port choice offers com1 to com4. Windows opens those names as they are.
// Elsewhere comN (any case, N = 1..4) is the device named by key "PortN" in
// section "Setup" of the programmer's profile when that is set, else the N-th
// serial device present (see ListSerialDevices); any other name is a device
// path and opens as it is.
#pragma once

#include "SerialPort.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace radio {

// A serial device present on this machine, with what the system tells of it.
struct SerialDeviceInfo {
    std::string path;         // "/dev/ttyUSB0", "COM3"
    std::string description;  // one line for people, may be empty
    std::string driver;       // kernel driver, e.g. "ftdi_sio"
    std::string manufacturer; // USB devices only
    std::string product;      // USB devices only
    std::string serialNumber; // USB devices only
    std::string usbId;        // "vvvv:pppp", USB devices only
};

// The serial devices present, in the order com1, com2, ... take them: USB
// adapters (/dev/ttyUSB*, then /dev/ttyACM*) first, then the built-in ports
// (/dev/ttyS*) that have hardware behind them; each group in natural name
// order (ttyUSB2 before ttyUSB10). On Windows the COM ports the system knows.
std::vector<SerialDeviceInfo> ListSerialDevices();
// The same on another device and sysfs tree (for tests).
std::vector<SerialDeviceInfo> ListSerialDevices(const std::string& devDir,
                                                const std::string& sysClassTtyDir);

// Where a profile names the device behind comN: key "PortN" of "Setup".
inline constexpr const char* kPortSection = "Setup";
inline std::string ProfilePortKey(int n) {
    return "Port" + std::to_string(n);
}

// The profile's device for comN (key "PortN" in section "Setup"), "" if unset.
using ProfilePortLookup = std::function<std::string(int n)>;
// The serial devices to number com1..com4 by; ListSerialDevices when empty.
using DeviceLister = std::function<std::vector<SerialDeviceInfo>()>;

// The device to open for `name`; "" when comN has no device behind it.
std::string ResolvePortName(const std::string& name, const ProfilePortLookup& profilePort,
                            const DeviceLister& listDevices = {});

// Opens ports by the user's name on this system.
class SystemPortOpener final : public IPortOpener {
public:
    explicit SystemPortOpener(ProfilePortLookup profilePort = {}, DeviceLister listDevices = {});
    // `reason` names the device and the system's reason: no such device,
    // permission denied (with the group to join), in use by another program.
    std::unique_ptr<ISerialPort> Open(const std::string& name, std::string& reason) override;

private:
    ProfilePortLookup m_profilePort;
    DeviceLister m_listDevices;
};

} // namespace radio
