#include "PortNames.h"

#ifdef _WIN32
#include "SerialPortWin32.h"
#include <windows.h>
#else
#include "SerialPortPosix.h"
#endif

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <utility>

namespace radio {

namespace {

std::string Trim(std::string s) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
    s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
    return s;
}

#ifndef _WIN32

// N for "comN" in any case with N = 1..4, else 0.
int ComNumber(const std::string& name) {
    if (name.size() != 4)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i])
            return 0;
    }
    return name[3] >= '1' && name[3] <= '4' ? name[3] - '0' : 0;
}

namespace fs = std::filesystem;

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    return Trim(line);
}

// The number after `prefix` in a device name, or -1 when the rest is not digits.
long long SuffixNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    return std::stoll(digits);
}

// Device names with `prefix` in `devDir`, in natural order.
std::vector<std::string> NamesWithPrefix(const fs::path& devDir, const std::string& prefix) {
    std::vector<std::pair<long long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(devDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        const long long number = SuffixNumber(name, prefix);
        if (number >= 0)
            found.emplace_back(number, std::move(name));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    names.reserve(found.size());
    for (auto& f : found)
        names.push_back(std::move(f.second));
    return names;
}

// A built-in port node exists for every possible UART; only those with a
// device behind them and a known UART type are real.
bool IsRealBuiltInPort(const fs::path& sysTty) {
    std::error_code ec;
    if (!fs::exists(sysTty / "device", ec))
        return false;
    // 0 is PORT_UNKNOWN; an unreadable type gives the port the benefit of the doubt.
    return ReadLine(sysTty / "type") != "0";
}

void DescribeFromSysfs(const fs::path& sysTty, SerialDeviceInfo& info) {
    std::error_code ec;
    const fs::path device = fs::canonical(sysTty / "device", ec);
    if (ec)
        return;
    const fs::path driver = fs::canonical(device / "driver", ec);
    if (!ec)
        info.driver = driver.filename().string();
    // The USB device is a few levels above the tty's interface.
    fs::path dir = device;
    for (int level = 0; level < 4 && dir.has_parent_path() && dir != dir.parent_path();
         ++level, dir = dir.parent_path()) {
        if (!fs::exists(dir / "idVendor", ec))
            continue;
        info.manufacturer = ReadLine(dir / "manufacturer");
        info.product = ReadLine(dir / "product");
        info.serialNumber = ReadLine(dir / "serial");
        const std::string vendor = ReadLine(dir / "idVendor");
        const std::string product = ReadLine(dir / "idProduct");
        if (!vendor.empty() && !product.empty())
            info.usbId = vendor + ":" + product;
        break;
    }
}

std::string Describe(const SerialDeviceInfo& info) {
    std::string name = info.manufacturer;
    if (!info.product.empty()) {
        if (name.empty() || info.product.rfind(name, 0) == 0)
            name = info.product; // products often repeat the maker's name
        else
            name += " " + info.product;
    }
    std::vector<std::string> extras;
    if (!info.usbId.empty())
        extras.push_back("USB " + info.usbId);
    if (!info.serialNumber.empty())
        extras.push_back("serial number " + info.serialNumber);
    if (!info.driver.empty())
        extras.push_back("driver " + info.driver);
    if (name.empty())
        name = info.usbId.empty() ? "serial port" : "USB serial adapter";
    if (extras.empty())
        return name;
    std::string text = name + " (";
    for (std::size_t i = 0; i < extras.size(); ++i)
        text += (i ? ", " : "") + extras[i];
    return text + ")";
}

#endif // !_WIN32

} // namespace

#ifdef _WIN32

std::vector<SerialDeviceInfo> ListSerialDevices() {
    std::vector<SerialDeviceInfo> devices;
    char target[512];
    for (int n = 1; n <= 255; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (::QueryDosDeviceA(name.c_str(), target, sizeof target) != 0)
            devices.push_back({name, target, {}, {}, {}, {}, {}});
    }
    return devices;
}

std::vector<SerialDeviceInfo> ListSerialDevices(const std::string&, const std::string&) {
    return ListSerialDevices();
}

#else

std::vector<SerialDeviceInfo> ListSerialDevices() {
    return ListSerialDevices("/dev", "/sys/class/tty");
}

std::vector<SerialDeviceInfo> ListSerialDevices(const std::string& devDir,
                                                const std::string& sysClassTtyDir) {
    const fs::path dev(devDir);
    const fs::path sys(sysClassTtyDir);
    std::vector<SerialDeviceInfo> devices;
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        const bool builtIn = std::string(prefix) == "ttyS";
        for (const std::string& name : NamesWithPrefix(dev, prefix)) {
            if (builtIn && !IsRealBuiltInPort(sys / name))
                continue;
            SerialDeviceInfo info;
            info.path = (dev / name).string();
            DescribeFromSysfs(sys / name, info);
            info.description = Describe(info);
            devices.push_back(std::move(info));
        }
    }
    return devices;
}

#endif

std::string ResolvePortName(const std::string& name, const ProfilePortLookup& profilePort,
                            const DeviceLister& listDevices) {
#ifdef _WIN32
    (void)profilePort;
    (void)listDevices;
    return name;
#else
    const int n = ComNumber(name);
    if (n == 0)
        return name;
    if (profilePort) {
        std::string fromProfile = Trim(profilePort(n));
        if (!fromProfile.empty())
            return fromProfile;
    }
    const std::vector<SerialDeviceInfo> devices = listDevices ? listDevices() : ListSerialDevices();
    if (static_cast<std::size_t>(n) <= devices.size())
        return devices[static_cast<std::size_t>(n) - 1].path;
    return {};
#endif
}

SystemPortOpener::SystemPortOpener(ProfilePortLookup profilePort, DeviceLister listDevices)
    : m_profilePort(std::move(profilePort)), m_listDevices(std::move(listDevices)) {}

std::unique_ptr<ISerialPort> SystemPortOpener::Open(const std::string& name, std::string& reason) {
    if (Trim(name).empty()) {
        reason = "No serial port was chosen";
        return nullptr;
    }
    const std::string device = ResolvePortName(name, m_profilePort, m_listDevices);
    if (device.empty()) {
        reason = "No serial device is known as " + name;
        return nullptr;
    }
#ifdef _WIN32
    return Win32SerialPort::Open(device, reason);
#else
    return PosixSerialPort::Open(device, reason);
#endif
}

} // namespace radio
