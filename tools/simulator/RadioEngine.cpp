#include "RadioEngine.h"

#include <algorithm>
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
    {"flip-byte", FaultKind::FlipByteAt, true},
};

} // namespace

namespace {

// A whole number from 0: decimal, or hexadecimal after "0x".
bool ParseNumber(std::string_view text, int& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && ec == std::errc() && ptr == end && value >= 0;
}

// "@N" or "@N-" after a fault: the sessions it strikes in.
bool ParseSessions(std::string_view text, Fault& fault) {
    const bool open = !text.empty() && text.back() == '-';
    if (open) {
        text.remove_suffix(1);
    }
    int first = 0;
    if (!ParseNumber(text, first) || first < 1) {
        return false;
    }
    fault.firstSession = first;
    fault.lastSession = open ? 0 : first;
    return true;
}

} // namespace

bool ParseFault(std::string_view text, Fault& fault, std::string& error) {
    const std::size_t at = text.find('@');
    const std::string_view body = text.substr(0, at);
    const std::size_t colon = body.find(':');
    const std::string_view name = body.substr(0, colon);
    for (const FaultNameEntry& e : kFaultNames) {
        if (e.name != name) {
            continue;
        }
        Fault parsed{e.kind, 0};
        if (e.takesBlock) {
            if (colon == std::string_view::npos) {
                error = "fault \"" + std::string(name) + "\" needs a number, as in \"" +
                        std::string(name) + ":3\"";
                return false;
            }
            if (!ParseNumber(body.substr(colon + 1), parsed.block)) {
                error = "bad number in fault \"" + std::string(text) +
                        "\" (a whole number from 0, decimal or 0x hexadecimal)";
                return false;
            }
        } else if (colon != std::string_view::npos) {
            error = "fault \"" + std::string(name) + "\" takes no number";
            return false;
        }
        if (at != std::string_view::npos && !ParseSessions(text.substr(at + 1), parsed)) {
            error = "bad sessions in fault \"" + std::string(text) +
                    "\" (\"@N\" for session N only, \"@N-\" for session N and after, N from 1)";
            return false;
        }
        fault = parsed;
        return true;
    }
    error = "unknown fault \"" + std::string(text) +
            "\" (none, never-answer, no-ident-ack, short-reply:K, silence-from:K, hang-up:K, "
            "flip-byte:A, each with an optional @N or @N-)";
    return false;
}

std::string FaultName(const Fault& fault) {
    for (const FaultNameEntry& e : kFaultNames) {
        if (e.kind != fault.kind) {
            continue;
        }
        std::string name(e.name);
        if (e.takesBlock) {
            name += ":" + std::to_string(fault.block);
        }
        if (fault.firstSession > 0) {
            name += "@" + std::to_string(fault.firstSession) + (fault.lastSession == 0 ? "-" : "");
        }
        return name;
    }
    return "none";
}

RadioEngine::RadioEngine(const ModelVariant& variant, Image memory, Fault fault)
    : RadioEngine(variant, std::move(memory), std::vector<Fault>{fault}) {}

RadioEngine::RadioEngine(const ModelVariant& variant, Image memory, std::vector<Fault> faults)
    : m_variant(variant), m_memory(std::move(memory)), m_faults(std::move(faults)) {
    m_memory.resize(static_cast<std::size_t>(m_variant.imageSize), 0xFF);
}

void RadioEngine::StartSession() {
    m_state = State::Asleep;
    m_wakeUpMatched = 0;
    m_frameBytes = 0;
    m_awake = false;
    NextConversation();
}

void RadioEngine::NextConversation() {
    ++m_session;
    m_blocks = 0;
    m_blocksRead = 0;
    m_blocksWritten = 0;
    m_silent = false;
}

const Fault* RadioEngine::Striking(FaultKind kind) const {
    const int session = std::max(m_session, 1);
    for (const Fault& f : m_faults) {
        if (f.kind == kind && (f.firstSession == 0 || session >= f.firstSession) &&
            (f.lastSession == 0 || session <= f.lastSession)) {
            return &f;
        }
    }
    return nullptr;
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
        // A radio gone silent stays so until the port is opened anew.
        if (m_awake && !m_silent) {
            NextConversation();
        }
        m_awake = true;
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
            if (Faulty(FaultKind::NoIdentAck)) {
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
    const Fault* shortFault = Striking(FaultKind::ShortReplyAt);
    const Fault* hangUp = Striking(FaultKind::HangUpAt);
    const Fault* silence = Striking(FaultKind::SilenceFrom);
    const bool shortReply = shortFault != nullptr && block == shortFault->block;

    if (hangUp != nullptr && block == hangUp->block) {
        m_state = State::Asleep;
        Reaction r;
        r.hangUp = true;
        return r;
    }
    if (silence != nullptr && block >= silence->block) {
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
    const Fault* flip = Striking(FaultKind::FlipByteAt);
    for (std::size_t i = 0; i < m_data.size() && address + i < m_memory.size(); ++i) {
        m_memory[address + i] = m_data[i];
        if (flip != nullptr && address + i == static_cast<std::size_t>(flip->block)) {
            m_memory[address + i] ^= 0x01; // a cell that does not keep what it was given
        }
    }
    ++m_blocksWritten;
    const Fault* shortFault = Striking(FaultKind::ShortReplyAt);
    if (shortFault != nullptr && m_blocks - 1 == shortFault->block) {
        return {};
    }
    return Say(ReplyKind::WriteAck, {kAck});
}

Reaction RadioEngine::Say(ReplyKind kind, std::vector<std::uint8_t> bytes) const {
    Reaction r;
    r.kind = kind;
    if (!m_silent && !Faulty(FaultKind::NeverAnswer)) {
        r.bytes = std::move(bytes);
    }
    return r;
}

} // namespace radio::sim
