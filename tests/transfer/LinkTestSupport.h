#pragma once

// A programmer window with the link's commands, a radio simulator on a pty
// for com1 (the profile's "Port1"), and stand-ins for ports and pauses.

#include "GuiTestSupport.h"

#include "ChannelGrid.h"
#include "ProcessDlg.h"
#include "RadioSimulator.h"
#include "SerialPort.h"
#include "TransferCommands.h"

#include <deque>
#include <memory>
#include <string>

// What a silent line saw.
struct LineCounters {
    int opens = 0;
    int closes = 0;
    int attempts = 0; // full purges, one per handshake attempt
};

// A port on which every read times out at once with nothing received.
class SilentPort final : public radio::ISerialPort {
public:
    explicit SilentPort(LineCounters& counters) : m_counters(counters) {}
    void Configure() override {}
    void PurgeAll() override { ++m_counters.attempts; }
    void PurgeBuffers() override {}
    bool Write(const std::uint8_t*, std::size_t) override { return true; }
    bool Read(std::uint8_t*, std::size_t, std::size_t& received) override {
        received = 0;
        return true;
    }
    void Close() override { ++m_counters.closes; }

private:
    LineCounters& m_counters;
};

class SilentOpener final : public radio::IPortOpener {
public:
    explicit SilentOpener(LineCounters& counters) : m_counters(counters) {}
    std::unique_ptr<radio::ISerialPort> Open(const std::string&, std::string&) override {
        ++m_counters.opens;
        return std::make_unique<SilentPort>(m_counters);
    }

private:
    LineCounters& m_counters;
};

class NoWaiter final : public radio::IWaiter {
public:
    void WaitMs(int) override {}
};

// A radio memory with a few channels and a marker in the last byte of the
// read plan.
radio::Image RadioImage(const radio::ModelVariant& variant);

// The first cell of the channel table in which the grid differs from what
// the image shows, as "row r col c: 'grid' != 'image'"; "" when none.
std::string GridDifference(const CMSFlexGrid& grid, const radio::ModelVariant& variant,
                           radio::Image image);

class LinkTest : public ProgrammerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the programmer, and a simulated radio with `memory` behind
    // com1 unless `memory` is empty.
    bool StartWithRadio(radio::Model model, const radio::Image& memory,
                        const std::string& fault = "", const std::string& language = "English");
    // Port and pauses for the transfers from now on.
    void UseSilentLine();

    void SetProfile(const std::string& key, const std::string& value);
    CViewLink* Link() const { return CViewLink::Of(*View()); }
    CProcessDlg* Dialog() const { return Link()->ProcessDlg(); }
    // OK, then the posted transfer runs to its end.
    void PressOkAndRun();
    // The posted transfer, if any, runs to its end.
    void RunPosted();
    // Answers for the message boxes, in order; m_answer after them.
    void AnswerWith(std::deque<radio::MessageResult> answers);
    bool WaitForSessions(int count);

    radio::sim::RadioSimulator m_sim;
    LineCounters m_line;
    std::deque<radio::MessageResult> m_answers;
};
