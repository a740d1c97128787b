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
    : m_variant(variant), m_memory(std::move(memory)), m_fault(fault) {
    m_memory.resize(static_cast<std::size_t>(m_variant.imageSize), 0xFF);
}

void RadioEngine::StartSession() {
    m_state = State::Asleep;
    m_wakeUpMatched = 0;
    m_frameBytes = 0;
    m_blocks = 0;
    m_blocksRead = 0;
    m_blocksWritten = 0;
    m_silent = false;
}

bool RadioEngine::AdvanceWakeUp(std::uint8_t byte) {
    if (byte == kWakeUp[m_wakeUpMatched]) {
        ++m_wakeUpMatched;
    } else {
        m_wakeUpMatched = byte == kStx ? 1 : 0;
    }
    const std::size_t length = m_variant.wrenHandshake ? 7 : 8;
    if (m_wakeUpMatched == length) {
        m_wakeUpMatched = 0;
        return true;
    }
    return false;
}

Reaction RadioEngine::Receive(std::uint8_t byte) {
    if (m_state == State::Header) {
        m_header[m_frameBytes++] = byte;
        return m_frameBytes == m_header.size() ? OnHeader() : Reaction{};
    }
    if (m_state == State::Data) {
        m_data[m_frameBytes++] = byte;
        return m_frameBytes == m_data.size() ? OnData() : Reaction{};
    }

    if (AdvanceWakeUp(byte)) {
        m_state = m_variant.wrenHandshake ? State::AwaitM : State::AwaitStx;
        return Say(ReplyKind::WakeUpAnswer, {kAck});
    }

    switch (m_state) {
    case State::AwaitM:
        if (byte == kM) {
            m_state = State::AwaitStx;
        }
        break;
    case State::AwaitStx:
        if (byte == kStx) {
            m_state = State::AwaitIdentAck;
            return Say(ReplyKind::Identification, {kIdentification.begin(), kIdentification.end()});
        }
        break;
    case State::AwaitIdentAck:
        if (byte == kAck) {
            if (m_fault.kind == FaultKind::NoIdentAck) {
                m_state = State::Asleep;
                break;
            }
            m_state = State::Ready;
            return Say(ReplyKind::IdentAck, {kAck});
        }
        break;
    case State::Ready:
        // Inside a wake-up string 'R' is a letter, not a command.
        if (m_wakeUpMatched >= 2) {
            break;
        }
        if (byte == kRead || byte == kWrite) {
            m_header[0] = byte;
            m_frameBytes = 1;
            m_state = State::Header;
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
    const int block = m_blocks++;
    const std::size_t address = static_cast<std::size_t>(m_header[1]) << 8 | m_header[2];
    const bool shortReply = m_fault.kind == FaultKind::ShortReplyAt && block == m_fault.block;

    if (m_fault.kind == FaultKind::HangUpAt && block == m_fault.block) {
        m_state = State::Asleep;
        Reaction r;
        r.hangUp = true;
        return r;
    }
    if (m_fault.kind == FaultKind::SilenceFrom && block >= m_fault.block) {
        m_silent = true;
    }

    if (m_header[0] == kWrite) {
        m_frameBytes = 0;
        m_state = State::Data;
        return {};
    }

    m_state = State::Ready;
    if (m_silent) {
        return {};
    }
    ++m_blocksRead;
    std::vector<std::uint8_t> reply(m_header.begin(), m_header.end());
    for (std::size_t i = 0; i < 8; ++i) {
        reply.push_back(address + i < m_memory.size() ? m_memory[address + i] : 0xFF);
    }
    if (shortReply) {
        reply.pop_back();
    }
    return Say(ReplyKind::ReadReply, std::move(reply));
}

Reaction RadioEngine::OnData() {
    const std::size_t address = static_cast<std::size_t>(m_header[1]) << 8 | m_header[2];
    m_state = State::Ready;
    if (m_silent) {
        return {};
    }
    for (std::size_t i = 0; i < m_data.size() && address + i < m_memory.size(); ++i) {
        m_memory[address + i] = m_data[i];
    }
    ++m_blocksWritten;
    if (m_fault.kind == FaultKind::ShortReplyAt && m_blocks - 1 == m_fault.block) {
        return {};
    }
    return Say(ReplyKind::WriteAck, {kAck});
}

Reaction RadioEngine::Say(ReplyKind kind, std::vector<std::uint8_t> bytes) const {
    Reaction r;
    r.kind = kind;
    if (!m_silent && m_fault.kind != FaultKind::NeverAnswer) {
        r.bytes = std::move(bytes);
    }
    return r;
}

} // namespace radio::sim
