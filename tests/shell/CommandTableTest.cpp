// The command table: what runs, what a transfer holds back, what is disabled.
#include "CommandTable.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

TEST(CommandTable, OnlyCommandsMarkedAllowedRunDuringATransfer) {
    CCommandTable table;
    int saved = 0;
    int helped = 0;
    table.Add({.id = 1, .text = "&Save", .shortcut = "Ctrl+S", .run = [&] { ++saved; }});
    table.Add({.id = 2, .allowedWhileTransferring = true, .run = [&] { ++helped; }});

    EXPECT_EQ(table.Run(1, true), CommandOutcome::Refused);
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(table.Run(2, true), CommandOutcome::Ran);
    EXPECT_EQ(helped, 1);
    EXPECT_EQ(table.Run(1, false), CommandOutcome::Ran);
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(table.Run(99, false), CommandOutcome::Unknown);
    EXPECT_EQ(table.Run(99, true), CommandOutcome::Unknown);
}

TEST(CommandTable, WithoutHandlerOrWhenNotEnabledNothingRuns) {
    CCommandTable table;
    bool enabled = false;
    int runs = 0;
    table.Add({.id = 1, .text = "&Print..."});
    table.Add(
        {.id = 2, .text = "&Read", .run = [&] { ++runs; }, .enabled = [&] { return enabled; }});
    EXPECT_FALSE(table.IsEnabled(1));
    EXPECT_EQ(table.Run(1, false), CommandOutcome::Disabled);
    // A pending command is still held back during a transfer, not "unknown".
    EXPECT_EQ(table.Run(1, true), CommandOutcome::Refused);

    EXPECT_FALSE(table.IsEnabled(2));
    EXPECT_EQ(table.Run(2, false), CommandOutcome::Disabled);
    enabled = true;
    EXPECT_TRUE(table.IsEnabled(2));
    EXPECT_EQ(table.Run(2, false), CommandOutcome::Ran);
    EXPECT_EQ(runs, 1);
}

TEST(CommandTable, AddingAnIdAgainReplacesItInPlace) {
    CCommandTable table;
    int which = 0;
    table.Add({.id = 1, .text = "A", .run = [&] { which = 1; }});
    table.Add({.id = 2, .text = "B"});
    // A handler may replace its own entry while it runs.
    table.Add({.id = 1, .text = "A", .run = [&] {
                   which = 2;
                   table.Add({.id = 1, .text = "A", .run = [&] { which = 3; }});
               }});
    EXPECT_EQ(table.Ids(), (std::vector<int>{1, 2}));
    table.Run(1, false);
    EXPECT_EQ(which, 2);
    table.Run(1, false);
    EXPECT_EQ(which, 3);
}

} // namespace
} // namespace radio
