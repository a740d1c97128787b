#include "CloneProtocol.h"

#include <algorithm>

namespace radio {

namespace {

constexpr std::uint8_t Hi(std::uint16_t address) {
    return static_cast<std::uint8_t>(address >> 8);
}
constexpr std::uint8_t Lo(std::uint16_t address) {
    return static_cast<std::uint8_t>(address & 0xFF);
}

} // namespace

CloneTransfer::CloneTransfer(const ModelVariant& variant, IPortOpener& opener, IWaiter& waiter,
                             ITransferHost& host)
    : m_variant(variant), m_opener(opener), m_waiter(waiter), m_host(host) {}

void CloneTransfer::Run(const std::string& portName, bool write, Image& image) {
    m_result = TransferResult{};

    std::string reason;
    m_port = m_opener.Open(portName, reason);
    if (!m_port) {
        m_result.detail = reason;
        m_host.ShowMessage(LinkMessage::PortOpenFailed, reason.c_str());
        m_result.outcome = TransferOutcome::Failed;
        m_result.message = LinkMessage::PortOpenFailed;
        return;
    }
    m_port->Configure();
    m_host.BeginTransfer(write, (write ? m_variant.writePlan : m_variant.readPlan).Pairs());

    if (Handshake() == Step::Stop) {
        return;
    }

    // A read lands in a copy, so the caller's image changes only when the
    // whole plan arrived.
    Image received;
    if (!write) {
        received = image;
        if (received.size() < static_cast<std::size_t>(m_variant.imageSize)) {
            received.resize(static_cast<std::size_t>(m_variant.imageSize), 0xFF);
        }
    }

    const TransferPlan& plan = write ? m_variant.writePlan : m_variant.readPlan;
    const int pairs = plan.Pairs();
    for (int pair = 0; pair < pairs; ++pair) {
        const std::uint16_t first = plan.PairAddress(pair);
        for (int block = 0; block < 2; ++block) {
            const auto address = static_cast<std::uint16_t>(first + 8 * block);
            bool ok;
            if (write) {
                ok = WriteBlock(address, block == 1, image);
            } else {
                if (block == 1) {
                    m_waiter.WaitMs(1);
                }
                ok = ReadBlock(address, received);
            }
            if (!ok) {
                m_host.ShowMessage(LinkMessage::ProgramInterrupt, "");
                Finish(TransferOutcome::Failed, LinkMessage::ProgramInterrupt);
                return;
            }
        }
        m_result.pairsDone = pair + 1;
        m_host.StepProgress(m_result.pairsDone);
        if (PollCancel(5, false) == Step::Stop) {
            return;
        }
    }

    if (!write) {
        image = std::move(received);
    }
    Finish(TransferOutcome::Completed, LinkMessage::ProgramInterrupt);
}

CloneTransfer::Step CloneTransfer::Handshake() {
    int attempt = 1;
    for (;;) {
        if (PollCancel(6, true) == Step::Stop) {
            return Step::Stop;
        }
        m_port->PurgeAll();
        SendWakeUp();

        if (!WakeUpAnswered()) {
            m_waiter.WaitMs(2);
            ++attempt;
            if (attempt <= kSilentAttempts) {
                continue;
            }
        } else {
            m_waiter.WaitMs(1);
            m_port->PurgeBuffers();
            if (m_variant.wrenHandshake) {
                SendByte(wire::kLastWakeUpLetter);
                m_waiter.WaitMs(1);
            }
            SendByte(wire::kStx);
            m_waiter.WaitMs(1);
            std::array<std::uint8_t, wire::kIdentificationLength> identification{};
            std::size_t got = 0;
            m_port->Read(identification.data(), identification.size(), got); // not examined

            m_port->PurgeBuffers();
            SendByte(wire::kAck);
            m_port->PurgeBuffers();
            m_waiter.WaitMs(1);
            if (ReadAck()) {
                return Step::Continue;
            }
            if (attempt > kAskedAttemptsLimit) {
                m_host.ShowMessage(LinkMessage::ProgramInterrupt, "");
                Finish(TransferOutcome::Failed, LinkMessage::ProgramInterrupt);
                return Step::Stop;
            }
        }

        if (!m_host.AskRetry()) {
            Finish(TransferOutcome::Failed, LinkMessage::CommunicationError);
            return Step::Stop;
        }
        attempt = 1;
    }
}

void CloneTransfer::SendWakeUp() {
    // Byte by byte, dropping whatever the radio said to the bytes before.
    const std::size_t length = wire::WakeUpLength(m_variant.wrenHandshake);
    for (std::size_t i = 0; i < length; ++i) {
        m_waiter.WaitMs(2);
        m_port->PurgeBuffers();
        SendByte(wire::kWakeUp[i]);
    }
}

bool CloneTransfer::Probe(const std::string& portName) {
    m_result = TransferResult{};
    std::string reason;
    m_port = m_opener.Open(portName, reason);
    if (!m_port) {
        m_result.detail = reason;
        m_result.message = LinkMessage::PortOpenFailed;
        return false;
    }
    m_port->Configure();
    m_port->PurgeAll();
    SendWakeUp();
    std::uint8_t byte = 0;
    std::size_t got = 0;
    // Unlike the handshake, a silent line is no answer even for ProgramLark.
    bool answered = m_port->Read(&byte, 1, got) && got == 1;
    if (answered && m_variant.wrenHandshake && byte != wire::kAck) {
        answered = ReadAck();
    }
    Finish(answered ? TransferOutcome::Completed : TransferOutcome::Failed,
           LinkMessage::CommunicationError);
    return answered;
}

bool CloneTransfer::WakeUpAnswered() {
    std::uint8_t byte = 0;
    std::size_t got = 0;
    if (!m_port->Read(&byte, 1, got)) {
        return false;
    }
    if (!m_variant.wrenHandshake) {
        return true; // a time-out is not a failure here, nor is any content
    }
    if (got == 1 && byte == wire::kAck) {
        return true;
    }
    return ReadAck();
}

CloneTransfer::Step CloneTransfer::PollCancel(int pumps, bool waitAfterEach) {
    for (int i = 0; i < pumps; ++i) {
        m_host.PumpOneEvent();
        if (m_host.CancelRequested()) {
            Finish(TransferOutcome::Cancelled, LinkMessage::ProgramInterrupt);
            return Step::Stop;
        }
        if (waitAfterEach) {
            m_waiter.WaitMs(1);
        }
    }
    return Step::Continue;
}

bool CloneTransfer::ReadBlock(std::uint16_t address, Image& into) {
    const std::uint8_t header[4] = {wire::kRead, Hi(address), Lo(address), wire::kBlockLength};
    m_port->PurgeBuffers();
    Send(header, sizeof header);

    std::array<std::uint8_t, wire::kReplyLength> reply{};
    std::size_t got = 0;
    if (!m_port->Read(reply.data(), reply.size(), got) || got < reply.size()) {
        return false;
    }
    const std::size_t dataOffset = wire::kReplyLength - wire::kBlockLength;
    for (std::size_t i = 0; i < wire::kBlockLength && address + i < into.size(); ++i) {
        into[address + i] = reply[dataOffset + i];
    }

    m_waiter.WaitMs(1);
    m_port->PurgeBuffers();
    SendByte(wire::kAck);
    return ReadAck();
}

bool CloneTransfer::WriteBlock(std::uint16_t address, bool secondOfPair, const Image& from) {
    const std::uint8_t header[4] = {wire::kWrite, Hi(address), Lo(address), wire::kBlockLength};
    m_port->PurgeBuffers();
    Send(header, sizeof header);
    if (m_variant.waitBeforeEveryWriteData || secondOfPair) {
        m_waiter.WaitMs(1);
    }
    std::array<std::uint8_t, wire::kBlockLength> data;
    data.fill(0xFF);
    for (std::size_t i = 0; i < data.size() && address + i < from.size(); ++i) {
        data[i] = from[address + i];
    }
    Send(data.data(), data.size());
    return ReadAck();
}

bool CloneTransfer::ReadAck() {
    // A fresh byte for every acknowledgement: an earlier 0x06 must never
    // count for a read that timed out.
    std::uint8_t byte = 0;
    std::size_t got = 0;
    return m_port->Read(&byte, 1, got) && got == 1 && byte == wire::kAck;
}

void CloneTransfer::Send(const std::uint8_t* data, std::size_t n) {
    m_port->Write(data, n); // a failed write shows up as a missing answer
}

void CloneTransfer::SendByte(std::uint8_t byte) {
    Send(&byte, 1);
}

void CloneTransfer::Finish(TransferOutcome outcome, LinkMessage message) {
    if (m_port) {
        m_port->Close();
        m_port.reset();
    }
    m_result.outcome = outcome;
    m_result.message = message;
}

} // namespace radio
