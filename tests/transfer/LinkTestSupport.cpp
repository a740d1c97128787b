#include "LinkTestSupport.h"

#include "MemoryImage.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>

radio::Image RadioImage(const radio::ModelVariant& variant) {
    // Channels as the program itself would store them.
    radio::Image image = radio::MakeDefaultImage(variant);
    radio::CellTable table = radio::MakeChannelTable(variant, radio::Language::English);
    radio::ImageToGrid(variant, image, table, radio::Language::English);
    const std::vector<std::string> defaults =
        radio::NewChannelDefaults(variant, radio::Language::English);
    const auto put = [&](int row, const char* rx, const char* tx) {
        table.SetTextMatrix(row, 1, rx);
        table.SetTextMatrix(row, 2, tx);
        for (std::size_t i = 0; i < defaults.size(); ++i) {
            table.SetTextMatrix(row, 3 + static_cast<int>(i), defaults[i]);
        }
    };
    put(1, "146.52000", "146.52000");
    put(3, "150.00000", "155.00000");
    // Within the test product's band (136 - 174 MHz): a read checks the
    // channels against it.
    put(variant.channelRows, "173.99375", "170.00625");
    radio::GridToImage(variant, table, image);
    const radio::TransferPlan& plan = variant.readPlan;
    image[static_cast<std::size_t>(plan.PairAddress(plan.Pairs() - 1) + 15)] = 0x5A;
    return image;
}

std::string GridDifference(const CMSFlexGrid& grid, const radio::ModelVariant& variant,
                           radio::Image image) {
    radio::CellTable expected = radio::MakeChannelTable(variant, radio::Language::English);
    radio::ImageToGrid(variant, image, expected, radio::Language::English);
    for (int r = 1; r <= variant.channelRows; ++r) {
        for (int c = 1; c < variant.Cols(); ++c) {
            if (grid.TextMatrix(r, c) != expected.TextMatrix(r, c)) {
                return "row " + std::to_string(r) + " col " + std::to_string(c) + ": '" +
                       grid.TextMatrix(r, c) + "' != '" + expected.TextMatrix(r, c) + "'";
            }
        }
    }
    return {};
}

void LinkTest::SetUp() {
    ProgrammerTest::SetUp();
    m_services.ports = &m_testLine;
    m_services.waiter = &m_testLine;
}

void LinkTest::TearDown() {
    ProgrammerTest::TearDown();
    m_sim.Stop();
}

radio::MessageResult LinkTest::Answer(const radio::MessageRequest& request) {
    m_messages.push_back(request);
    if (m_answers.empty()) {
        return m_answer;
    }
    const radio::MessageResult answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool LinkTest::StartWithRadio(radio::Model model, const radio::Image& memory,
                              const std::string& fault, const std::string& language) {
    if (!Start(model, language)) {
        return false;
    }
    if (memory.empty()) {
        return true;
    }
    radio::sim::SimulatorOptions options;
    std::string error;
    radio::sim::Fault parsed;
    if (!fault.empty() && !radio::sim::ParseFault(fault, parsed, error)) {
        ADD_FAILURE() << error;
        return false;
    }
    options.faults = {parsed};
    if (!m_sim.Start(radio::VariantFor(model), memory, options, error)) {
        ADD_FAILURE() << error;
        return false;
    }
    SetProfile("Port1", m_sim.DevicePath());
    return true;
}

void LinkTest::UseSilentLine() {
    m_testLine.silent = true;
}

void LinkTest::SetProfile(const std::string& key, const std::string& value) {
    m_app->Profile().SetValue("Setup", key, value);
}

void LinkTest::PressOkAndRun() {
    QTest::mouseClick(Dialog()->OkButton(), Qt::LeftButton);
    RunPosted();
}

void LinkTest::RunPosted() {
    QCoreApplication::sendPostedEvents(View(), QEvent::MetaCall);
}

void LinkTest::AnswerWith(std::deque<radio::MessageResult> answers) {
    m_answers = std::move(answers);
}

bool LinkTest::WaitForSessions(int count) {
    return m_sim.WaitForSessions(count, std::chrono::seconds(60));
}
