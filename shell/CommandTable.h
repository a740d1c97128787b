// The one table of a programmer's commands: for each command id its menu
// text and key, its handler, whether it may run while a transfer with the
// radio is running, and when it is enabled. The main frame fills it once;
// menus (and later the toolbar and accelerators) are made from it, and every
// command, from a menu, a key or a test, runs through Run.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace radio {

struct Command {
    int id = 0;
    std::string text{};     // menu text with its mnemonic ("&Read"); "" when in no menu
    std::string shortcut{}; // portable key text ("Ctrl+R"); "" when none
    // The status bar text, a newline, the tooltip ("Read Data From Radio\nRead");
    // "" when none.
    std::string prompt{};
    // While a transfer runs the program pumps events, so a command could
    // take the document, the view or the port away, or open a modal window
    // whose loop stalls the transfer until the radio gives up. Only what is
    // marked here runs then.
    bool allowedWhileTransferring = false;
    // Empty: nobody handles the command (yet); it shows disabled.
    std::function<void()> run{};
    // Empty: enabled whenever it has a handler.
    std::function<bool()> enabled{};
    // Set for a command with a check mark (View, Toolbar): whether it shows one.
    std::function<bool()> checked{};
};

enum class CommandOutcome {
    Ran,
    Refused,  // a transfer is running and the command is not allowed then
    Disabled, // known, but without a handler or not enabled now
    Unknown,
};

class CCommandTable {
public:
    // Adds a command, or replaces the one with its id.
    void Add(Command command);
    const Command* Find(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command unless a transfer forbids it or it is disabled.
    CommandOutcome Run(int id, bool transferring) const;
    // Ids in the order they were first added.
    const std::vector<int>& Ids() const { return m_order; }

private:
    std::map<int, Command> m_commands;
    std::vector<int> m_order;
};

} // namespace radio
