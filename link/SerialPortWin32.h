// The serial port over Win32 file handles, with the calls and values the
// port semantics of SerialPort.h were taken from.
#pragma once

#ifdef _WIN32

#include "SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace radio {

class Win32SerialPort final : public ISerialPort {
public:
    // Opens "COM1", "com12", ... exclusively. nullptr on failure, with
    // `reason` for the user.
    static std::unique_ptr<Win32SerialPort> Open(const std::string& name, std::string& reason);

    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    void Configure() override;
    void PurgeAll() override;
    void PurgeBuffers() override;
    bool Write(const std::uint8_t* data, std::size_t n) override;
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) override;
    void Close() override;

private:
    explicit Win32SerialPort(void* handle) : m_handle(handle) {}

    void* m_handle; // HANDLE; nullptr once closed
};

} // namespace radio

#endif // _WIN32
