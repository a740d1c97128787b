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
    : variant_(variant), opener_(opener), waiter_(waiter), host_(host) {}

void CloneTransfer::Run(const std::string& portName, bool write, Image& image) {
    result_ = TransferResult{};

    host_.CommitCellEditor();
    if (write) {
        host_.GridToImage();
    }

    std::string reason;
    port_ = opener_.Open(portName, reason);
    if (!port_) {
        result_.detail = reason;
        host_.ShowMessage(LinkMessage::PortOpenFailed, reason.c_str());
        host_.EndProcessDialog();
        result_.outcome = TransferOutcome::Failed;
        result_.message = LinkMessage::PortOpenFailed;
        return;
    }
    port_->Configure();

    if (Handshake() == Step::Stop) {
        return;
    }

    // A read lands in a copy, so the caller's image changes only when the
    // whole plan arrived.
    Image received;
    if (!write) {
        received = image;
        if (received.size() < static_cast<std::size_t>(variant_.imageSize)) {
            received.resize(static_cast<std::size_t>(variant_.imageSize), 0xFF);
        }
    }

    const TransferPlan& plan = write ? variant_.writePlan : variant_.readPlan;
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
                    waiter_.WaitMs(1);
                }
                ok = ReadBlock(address, received);
            }
            if (!ok) {
                host_.ShowMessage(LinkMessage::ProgramInterrupt, "");
                Finish(TransferOutcome::Failed, LinkMessage::ProgramInterrupt);
                return;
            }
        }
        result_.pairsDone = pair + 1;
        host_.StepProgress(result_.pairsDone);
        if (PollCancel(5, false) == Step::Stop) {
            return;
        }
    }

    if (!write) {
        image = std::move(received);
        host_.AfterRead();
    }
    Finish(TransferOutcome::Completed, LinkMessage::ProgramInterrupt);
}

CloneTransfer::Step CloneTransfer::Handshake() {
    const std::size_t wakeUpLength = wire::WakeUpLength(variant_.wrenHandshake);
    int attempt = 1;
    for (;;) {
        if (PollCancel(6, true) == Step::Stop) {
            return Step::Stop;
        }
        port_->PurgeAll();
        // Byte by byte, dropping whatever the radio said to the bytes before.
        for (std::size_t i = 0; i < wakeUpLength; ++i) {
            waiter_.WaitMs(2);
            port_->PurgeBuffers();
            SendByte(wire::kWakeUp[i]);
        }

        if (!WakeUpAnswered()) {
            waiter_.WaitMs(2);
            ++attempt;
            if (attempt <= kSilentAttempts) {
                continue;
            }
        } else {
            waiter_.WaitMs(1);
            port_->PurgeBuffers();
            if (variant_.wrenHandshake) {
                SendByte(wire::kLastWakeUpLetter);
                waiter_.WaitMs(1);
            }
            SendByte(wire::kStx);
            waiter_.WaitMs(1);
            std::array<std::uint8_t, wire::kIdentificationLength> identification{};
            std::size_t got = 0;
            port_->Read(identification.data(), identification.size(), got); // not examined

            port_->PurgeBuffers();
            SendByte(wire::kAck);
            port_->PurgeBuffers();
            waiter_.WaitMs(1);
            if (ReadAck()) {
                return Step::Continue;
            }
            if (attempt > kAskedAttemptsLimit) {
                host_.ShowMessage(LinkMessage::ProgramInterrupt, "");
                Finish(TransferOutcome::Failed, LinkMessage::ProgramInterrupt);
                return Step::Stop;
            }
        }

        if (!host_.AskRetry()) {
            Finish(TransferOutcome::Failed, LinkMessage::CommunicationError);
            return Step::Stop;
        }
        attempt = 1;
    }
}

bool CloneTransfer::WakeUpAnswered() {
    std::uint8_t byte = 0;
    std::size_t got = 0;
    if (!port_->Read(&byte, 1, got)) {
        return false;
    }
    if (!variant_.wrenHandshake) {
        return true; // a time-out is not a failure here, nor is any content
    }
    if (got == 1 && byte == wire::kAck) {
        return true;
    }
    return ReadAck();
}

CloneTransfer::Step CloneTransfer::PollCancel(int pumps, bool waitAfterEach) {
    for (int i = 0; i < pumps; ++i) {
        host_.PumpOneEvent();
        if (host_.CancelRequested()) {
            Finish(TransferOutcome::Cancelled, LinkMessage::ProgramInterrupt);
            return Step::Stop;
        }
        if (waitAfterEach) {
            waiter_.WaitMs(1);
        }
    }
    return Step::Continue;
}

bool CloneTransfer::ReadBlock(std::uint16_t address, Image& into) {
    const std::uint8_t header[4] = {wire::kRead, Hi(address), Lo(address), wire::kBlockLength};
    port_->PurgeBuffers();
    Send(header, sizeof header);

    std::array<std::uint8_t, wire::kReplyLength> reply{};
    std::size_t got = 0;
    if (!port_->Read(reply.data(), reply.size(), got) || got < reply.size()) {
        return false;
    }
    const std::size_t dataOffset = wire::kReplyLength - wire::kBlockLength;
    for (std::size_t i = 0; i < wire::kBlockLength && address + i < into.size(); ++i) {
        into[address + i] = reply[dataOffset + i];
    }

    waiter_.WaitMs(1);
    port_->PurgeBuffers();
    SendByte(wire::kAck);
    return ReadAck();
}

bool CloneTransfer::WriteBlock(std::uint16_t address, bool secondOfPair, const Image& from) {
    const std::uint8_t header[4] = {wire::kWrite, Hi(address), Lo(address), wire::kBlockLength};
    port_->PurgeBuffers();
    Send(header, sizeof header);
    if (variant_.waitBeforeEveryWriteData || secondOfPair) {
        waiter_.WaitMs(1);
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
    return port_->Read(&byte, 1, got) && got == 1 && byte == wire::kAck;
}

void CloneTransfer::Send(const std::uint8_t* data, std::size_t n) {
    port_->Write(data, n); // a failed write shows up as a missing answer
}

void CloneTransfer::SendByte(std::uint8_t byte) {
    Send(&byte, 1);
}

void CloneTransfer::Finish(TransferOutcome outcome, LinkMessage message) {
    if (port_) {
        port_->Close();
        port_.reset();
    }
    host_.EndProcessDialog();
    result_.outcome = outcome;
    result_.message = message;
}

} // namespace radio
