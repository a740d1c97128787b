// The radio's side of the clone protocol, as a pure byte machine.
//
// Feed it the host's bytes one at a time; it answers with the bytes a radio
// would send back and keeps the radio's memory. It knows nothing of ports or
// time, so the pty simulator and in-memory test ports share it.
//
// What the radio does:
//  - waits for the wake-up (0x02 "PROGRAM" for ProgramLark, 0x02 "PROGRA"
//    for the Wren family) and answers it with 0x06;
//  - the Wren family then expects 'M'; after the host's 0x02 it sends eight
//    identification bytes, and answers the host's 0x06 with 0x06;
//  - then answers 'R' headers with 12 bytes (the header echoed, then the 8
//    bytes at the address), 'W' header + 8 data bytes with 0x06 (storing the
//    data), and every host 0x06 with 0x06;
//  - a complete wake-up string starts the handshake over from any state
//    outside a frame, so a host that gave up mid-session is picked up again.
// Bytes beyond the memory read as 0xFF; writes beyond it are acknowledged
// and dropped.
#pragma once

#include "MemoryImage.h"
#include "Variant.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radio::sim {

// Misbehaviour on purpose, for tests and for trying the error paths.
enum class FaultKind {
    None,
    NeverAnswer,  // says nothing at all
    NoIdentAck,   // answers the wake-up, not the identification acknowledgement
    ShortReplyAt, // block `block`: 11 bytes of a read reply, no write acknowledgement
    SilenceFrom,  // from block `block` on: nothing more in this session
    HangUpAt,     // block `block`: the line goes dead (the simulator drops the pty)
    FlipByteAt,   // the byte written to address `block` is stored with its lowest bit flipped
};

struct Fault {
    FaultKind kind = FaultKind::None;
    int block =
        0; // counted from 0 over the blocks (headers) of a session; an address for FlipByteAt
    // The sessions (from 1) the fault strikes in; 0 leaves that end open. A
    // bench of radios in a row has one misbehave while the others do not.
    int firstSession = 0;
    int lastSession = 0;
};

// "none", "never-answer", "no-ident-ack", "short-reply:K", "silence-from:K",
// "hang-up:K", "flip-byte:A" (A decimal or 0x hexadecimal), each optionally
// followed by "@N" (session N only) or "@N-" (session N and after). False
// with a message for the user on anything else.
bool ParseFault(std::string_view text, Fault& fault, std::string& error);
std::string FaultName(const Fault& fault);

enum class ReplyKind {
    None,
    WakeUpAnswer,
    Identification,
    IdentAck, // answer to the host's acknowledgement of the identification
    ReadReply,
    BlockAck, // answer to the host's acknowledgement of a read block
    WriteAck,
};

struct Reaction {
    ReplyKind kind = ReplyKind::None;
    std::vector<std::uint8_t> bytes; // to send back, possibly empty
    bool hangUp = false;
};

class RadioEngine {
public:
    static constexpr std::array<std::uint8_t, 8> kIdentification{'S', 'I', 'M', 'R',
                                                                 'A', 'D', 'I', 'O'};

    RadioEngine(const ModelVariant& variant, Image memory, Fault fault = {});
    // Several faults, each in its own sessions (a row of radios, one failing).
    RadioEngine(const ModelVariant& variant, Image memory, std::vector<Fault> faults);

    // The host opened the port anew: handshake from the start, blocks count
    // from 0, a silence fault is lifted. A second wake-up answered in one
    // session counts as a new session too: a host that closes and opens the
    // port again at once may do so before the simulator notices, and the
    // faults' session numbers must not depend on that.
    void StartSession();
    Reaction Receive(std::uint8_t byte);

    const Image& Memory() const { return m_memory; }
    const ModelVariant& Variant() const { return m_variant; }
    // Headers of this session.
    int BlocksRead() const { return m_blocksRead; }
    int BlocksWritten() const { return m_blocksWritten; }

private:
    enum class State { Asleep, AwaitM, AwaitStx, AwaitIdentAck, Ready, Header, Data };

    bool AdvanceWakeUp(std::uint8_t byte);
    void NextConversation();
    // The fault of that kind that strikes in this session, or nullptr.
    const Fault* Striking(FaultKind kind) const;
    bool Faulty(FaultKind kind) const { return Striking(kind) != nullptr; }
    Reaction OnHeader();
    Reaction OnData();
    Reaction Say(ReplyKind kind, std::vector<std::uint8_t> bytes) const;

    const ModelVariant& m_variant;
    Image m_memory;
    std::vector<Fault> m_faults;
    State m_state = State::Asleep;
    std::size_t m_wakeUpMatched = 0;
    std::array<std::uint8_t, 4> m_header{};
    std::array<std::uint8_t, 8> m_data{};
    std::size_t m_frameBytes = 0;
    int m_session = 0;    // from 1; 0 until the first StartSession
    bool m_awake = false; // a wake-up was answered in this session
    int m_blocks = 0;
    int m_blocksRead = 0;
    int m_blocksWritten = 0;
    bool m_silent = false;
};

} // namespace radio::sim
