#include "RadioEngine.h"

#include <charconv>

namespace radio::sim {

namespace {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';
constexpr std::uint8_t kM = 'M';
constexpr std::array<std::uint8_t, 8> kWakeUp{kStx, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

struct FaultNameEntry {
    std::string_view name;
    FaultKind kind;
    bool takesBlock;
};

constexpr FaultNameEntry kFaultNames[] = {
    {"none", FaultKind::None, false},
    {"never-answer", FaultKind::NeverAnswer, false},
    {"no-ident-ack", FaultKind::NoIdentAck, false},
    {"short-reply", FaultKind::ShortReplyAt, true},
    {"silence-from", FaultKind::SilenceFrom, true},
    {"hang-up", FaultKind::HangUpAt, true},
};

} // namespace

bool ParseFault(std::string_view text, Fault& fault, std::string& error) {
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    for (const FaultNameEntry& e : kFaultNames) {
        if (e.name != name) {
            continue;
        }
        Fault parsed{e.kind, 0};
        if (e.takesBlock) {
            if (colon == std::string_view::npos) {
                error = "fault \"" + std::string(name) + "\" needs a block number, as in \"" +
                        std::string(name) + ":3\"";
                return false;
            }
            const std::string_view number = text.substr(colon + 1);
            const char* end = number.data() + number.size();
            auto [ptr, ec] = std::from_chars(number.data(), end, parsed.block);
            if (ec != std::errc() || ptr != end || number.empty() || parsed.block < 0) {
                error = "bad block number in fault \"" + std::string(text) +
                        "\" (a whole number from 0)";
                return false;
            }
        } else if (colon != std::string_view::npos) {
            error = "fault \"" + std::string(name) + "\" takes no block number";
            return false;
        }
        fault = parsed;
        return true;
    }
    error = "unknown fault \"" + std::string(text) +
            "\" (none, never-answer, no-ident-ack, short-reply:K, silence-from:K, hang-up:K)";
    return false;
}

std::string FaultName(const Fault& fault) {
    for (const FaultNameEntry& e : kFaultNames) {
        if (e.kind == fault.kind) {
            return e.takesBlock ? std::string(e.name) + ":" + std::to_string(fault.block)
                                : std::string(e.name);
        }
    }
    return "none";
}

RadioEngine::RadioEngine(const ModelVariant& variant, Image memory, Fault fault)
    : variant_(variant), memory_(std::move(memory)), fault_(fault) {
    memory_.resize(static_cast<std::size_t>(variant_.imageSize), 0xFF);
}

void RadioEngine::StartSession() {
    state_ = State::Asleep;
    wakeUpMatched_ = 0;
    frameBytes_ = 0;
    blocks_ = 0;
    blocksRead_ = 0;
    blocksWritten_ = 0;
    silent_ = false;
}

bool RadioEngine::AdvanceWakeUp(std::uint8_t byte) {
    if (byte == kWakeUp[wakeUpMatched_]) {
        ++wakeUpMatched_;
    } else {
        wakeUpMatched_ = byte == kStx ? 1 : 0;
    }
    const std::size_t length = variant_.wrenHandshake ? 7 : 8;
    if (wakeUpMatched_ == length) {
        wakeUpMatched_ = 0;
        return true;
    }
    return false;
}

Reaction RadioEngine::Receive(std::uint8_t byte) {
    if (state_ == State::Header) {
        header_[frameBytes_++] = byte;
        return frameBytes_ == header_.size() ? OnHeader() : Reaction{};
    }
    if (state_ == State::Data) {
        data_[frameBytes_++] = byte;
        return frameBytes_ == data_.size() ? OnData() : Reaction{};
    }

    if (AdvanceWakeUp(byte)) {
        state_ = variant_.wrenHandshake ? State::AwaitM : State::AwaitStx;
        return Say(ReplyKind::WakeUpAnswer, {kAck});
    }

    switch (state_) {
    case State::AwaitM:
        if (byte == kM) {
            state_ = State::AwaitStx;
        }
        break;
    case State::AwaitStx:
        if (byte == kStx) {
            state_ = State::AwaitIdentAck;
            return Say(ReplyKind::Identification, {kIdentification.begin(), kIdentification.end()});
        }
        break;
    case State::AwaitIdentAck:
        if (byte == kAck) {
            if (fault_.kind == FaultKind::NoIdentAck) {
                state_ = State::Asleep;
                break;
            }
            state_ = State::Ready;
            return Say(ReplyKind::IdentAck, {kAck});
        }
        break;
    case State::Ready:
        // Inside a wake-up string 'R' is a letter, not a command.
        if (wakeUpMatched_ >= 2) {
            break;
        }
        if (byte == kRead || byte == kWrite) {
            header_[0] = byte;
            frameBytes_ = 1;
            state_ = State::Header;
        } else if (byte == kAck) {
            return Say(ReplyKind::BlockAck, {kAck});
        }
        break;
    default:
        break;
    }
    return {};
}

Reaction RadioEngine::OnHeader() {
    const int block = blocks_++;
    const std::size_t address = static_cast<std::size_t>(header_[1]) << 8 | header_[2];
    const bool shortReply = fault_.kind == FaultKind::ShortReplyAt && block == fault_.block;

    if (fault_.kind == FaultKind::HangUpAt && block == fault_.block) {
        state_ = State::Asleep;
        Reaction r;
        r.hangUp = true;
        return r;
    }
    if (fault_.kind == FaultKind::SilenceFrom && block >= fault_.block) {
        silent_ = true;
    }

    if (header_[0] == kWrite) {
        frameBytes_ = 0;
        state_ = State::Data;
        return {};
    }

    state_ = State::Ready;
    if (silent_) {
        return {};
    }
    ++blocksRead_;
    std::vector<std::uint8_t> reply(header_.begin(), header_.end());
    for (std::size_t i = 0; i < 8; ++i) {
        reply.push_back(address + i < memory_.size() ? memory_[address + i] : 0xFF);
    }
    if (shortReply) {
        reply.pop_back();
    }
    return Say(ReplyKind::ReadReply, std::move(reply));
}

Reaction RadioEngine::OnData() {
    const std::size_t address = static_cast<std::size_t>(header_[1]) << 8 | header_[2];
    state_ = State::Ready;
    if (silent_) {
        return {};
    }
    for (std::size_t i = 0; i < data_.size() && address + i < memory_.size(); ++i) {
        memory_[address + i] = data_[i];
    }
    ++blocksWritten_;
    if (fault_.kind == FaultKind::ShortReplyAt && blocks_ - 1 == fault_.block) {
        return {};
    }
    return Say(ReplyKind::WriteAck, {kAck});
}

Reaction RadioEngine::Say(ReplyKind kind, std::vector<std::uint8_t> bytes) const {
    Reaction r;
    r.kind = kind;
    if (!silent_ && fault_.kind != FaultKind::NeverAnswer) {
        r.bytes = std::move(bytes);
    }
    return r;
}

} // namespace radio::sim
