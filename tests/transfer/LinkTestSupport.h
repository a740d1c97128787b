#pragma once

// A programmer window with the link's commands, a radio simulator on a pty
// for com1 (the profile's "Port1"), and stand-ins for ports and pauses.

#include "GuiTestSupport.h"

#include "ChannelGrid.h"
#include "PortNames.h"
#include "ProcessDlg.h"
#include "RadioSimulator.h"
#include "SerialPort.h"
#include "SystemWaiter.h"
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

// The programmer's line: the real ports (com1 is the profile's "Port1")
// and pauses, or once silenced a line on which nothing ever answers and no
// pause takes time.
class TestLine final : public radio::IPortOpener, public radio::IWaiter {
public:
    TestLine(LineCounters& counters, radio::ProfilePortLookup profilePort)
        : m_silentOpener(counters), m_system(std::move(profilePort)) {}

    std::unique_ptr<radio::ISerialPort> Open(const std::string& name,
                                             std::string& reason) override {
        return silent ? m_silentOpener.Open(name, reason) : m_system.Open(name, reason);
    }
    void WaitMs(int ms) override {
        if (!silent) {
            m_waiter.WaitMs(ms);
        }
    }

    bool silent = false;

private:
    SilentOpener m_silentOpener;
    radio::SystemPortOpener m_system;
    radio::SystemWaiter m_waiter;
};

// A radio memory with a few channels the test product holds and a marker in
// the last byte of the read plan.
radio::Image RadioImage(const radio::ModelVariant& variant);

// The first cell of the channel table in which the grid differs from what
// the image shows, as "row r col c: 'grid' != 'image'"; "" when none.
std::string GridDifference(const CMSFlexGrid& grid, const radio::ModelVariant& variant,
                           radio::Image image);

class LinkTest : public ProgrammerTest {
protected:
    void SetUp() override;
    void TearDown() override;
    radio::MessageResult Answer(const radio::MessageRequest& request) override;

    // Starts the programmer, and a simulated radio with `memory` behind
    // com1 unless `memory` is empty.
    bool StartWithRadio(radio::Model model, const radio::Image& memory,
                        const std::string& fault = "", const std::string& language = "English");
    // Port and pauses for the transfers from now on.
    void UseSilentLine();

    void SetProfile(const std::string& key, const std::string& value);
    CViewLink* Link() const { return Frame()->ActiveLink(); }
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
    TestLine m_testLine{m_line, [this](int n) {
                            return m_app ? m_app->Profile().GetValue(radio::kPortSection,
                                                                     radio::ProfilePortKey(n), "")
                                         : std::string();
                        }};
    std::deque<radio::MessageResult> m_answers;
};
