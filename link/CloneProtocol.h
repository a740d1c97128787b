// The clone transfer: the whole exchange of one Read or Write with the radio.
//
// Use:
//   radio::CloneTransfer transfer(variant, opener, waiter, host);
//   transfer.Run(portName, /*write=*/false, image);
//   if (transfer.Result().outcome == radio::TransferOutcome::Completed) ...
//
// Run opens the port, wakes the radio up, identifies it, then moves the
// transfer plan in 8-byte blocks, two blocks per progress step, and always
// closes the port before it returns. Messages go to the host as they happen;
// Result() tells the same story to callers that need a status.
//
// A read fills a copy of the image and replaces `image` only when every block
// arrived, so a failed or cancelled read leaves the caller's image exactly as
// it was. A write sends `image` as it is: a window brings it up to date from
// the grid before calling Run.
#pragma once

#include "MemoryImage.h"
#include "SerialPort.h"
#include "TransferHost.h"
#include "Variant.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace radio {

enum class TransferOutcome {
    Completed, // every block moved (after a read the image was replaced)
    Cancelled, // the user pressed Cancel in the Process dialog
    Failed,    // ended with `message` (61451 answered Cancel, 61453, 61454)
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Failed;
    LinkMessage message = LinkMessage::ProgramInterrupt; // Failed only
    std::string detail;                                  // why the port did not open
    int pairsDone = 0;
};

// The protocol's bytes.
namespace wire {
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kRead = 0x52;             // 'R'
inline constexpr std::uint8_t kWrite = 0x57;            // 'W'
inline constexpr std::uint8_t kLastWakeUpLetter = 0x4D; // 'M'
inline constexpr std::uint8_t kBlockLength = 8;
inline constexpr std::size_t kReplyLength = 12; // 4 bytes not examined + 8 data bytes
inline constexpr std::size_t kIdentificationLength = 8;
// 0x02 "PROGRAM"; the Wren family sends all but the 'M' as the wake-up.
inline constexpr std::array<std::uint8_t, 8> kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::size_t WakeUpLength(bool wrenHandshake) {
    return wrenHandshake ? 7 : 8;
}
} // namespace wire

class CloneTransfer {
public:
    CloneTransfer(const ModelVariant& variant, IPortOpener& opener, IWaiter& waiter,
                  ITransferHost& host);

    // One transfer from start to end; see the top of this file.
    void Run(const std::string& portName, bool write, Image& image);

    // Opens the port, sends the wake-up, reads the answer and closes the
    // port: true when a radio answered (ProgramLark: any byte; the Wren
    // family: 0x06 in the next 1 or 2 bytes). Shows no message.
    bool Probe(const std::string& portName);

    // How the last Run ended.
    const TransferResult& Result() const { return m_result; }

    // Handshake attempts made silently before the user is asked.
    static constexpr int kSilentAttempts = 15;
    // Above this attempt count a missing identification acknowledgement no
    // longer asks but ends the transfer.
    static constexpr int kAskedAttemptsLimit = 5;

private:
    enum class Step { Continue, Stop };

    Step Handshake();
    void SendWakeUp();
    bool WakeUpAnswered();
    Step PollCancel(int pumps, bool waitAfterEach);
    bool ReadBlock(std::uint16_t address, Image& into);
    bool WriteBlock(std::uint16_t address, bool secondOfPair, const Image& from);
    bool ReadAck();
    void Send(const std::uint8_t* data, std::size_t n);
    void SendByte(std::uint8_t byte);
    void Finish(TransferOutcome outcome, LinkMessage message);

    const ModelVariant& m_variant;
    IPortOpener& m_opener;
    IWaiter& m_waiter;
    ITransferHost& m_host;
    std::unique_ptr<ISerialPort> m_port;
    TransferResult m_result;
};

} // namespace radio
