// The serial port as the clone protocol sees it.
//
// The protocol's time-out rules are part of its behaviour, so the port layer
// is ours and gives exactly these semantics on every platform:
//  - Read(n) returns as soon as n bytes arrived, or when more than 30 ms pass
//    after a received byte, or after 500 ms * n + 90 ms in all. A time-out is
//    success with a short count; only an I/O error is a failure.
//  - Write returns when the bytes have left the program.
//  - PurgeAll drops pending input and output and aborts pending operations;
//    PurgeBuffers drops the transmit and the receive buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace radio {

class ISerialPort {
public:
    virtual ~ISerialPort() = default;

    // Buffer sizes (1024 in, 512 out), time-outs and 9600 baud 8N1 from the
    // port's current settings. Failures go unnoticed by the protocol.
    virtual void Configure() = 0;
    virtual void PurgeAll() = 0;
    virtual void PurgeBuffers() = 0;
    // Result ignored by the protocol; false on an I/O error.
    virtual bool Write(const std::uint8_t* data, std::size_t n) = 0;
    // False only on an I/O error; `received` tells how many bytes arrived.
    virtual bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) = 0;
    virtual void Close() = 0;
};

// Opens ports by the name the user chose ("COM1", "com2", a device path).
class IPortOpener {
public:
    virtual ~IPortOpener() = default;
    // nullptr when the port cannot be opened; `reason` then says why, for the
    // user (no such device, permission denied, in use).
    virtual std::unique_ptr<ISerialPort> Open(const std::string& name, std::string& reason) = 0;
};

// The protocol's fixed pauses (1 ms, 2 ms), injectable so tests can count them.
class IWaiter {
public:
    virtual ~IWaiter() = default;
    virtual void WaitMs(int ms) = 0;
};

} // namespace radio
