#include "CommandTable.h"

namespace radio {

void CCommandTable::Add(Command command) {
    const int id = command.id;
    if (m_commands.count(id) == 0) {
        m_order.push_back(id);
    }
    m_commands[id] = std::move(command);
}

const Command* CCommandTable::Find(int id) const {
    const auto it = m_commands.find(id);
    return it != m_commands.end() ? &it->second : nullptr;
}

bool CCommandTable::IsEnabled(int id) const {
    const Command* command = Find(id);
    return command != nullptr && command->run && (!command->enabled || command->enabled());
}

bool CCommandTable::IsChecked(int id) const {
    const Command* command = Find(id);
    return command != nullptr && command->checked && command->checked();
}

CommandOutcome CCommandTable::Run(int id, bool transferring) const {
    const Command* command = Find(id);
    if (command == nullptr) {
        return CommandOutcome::Unknown;
    }
    if (transferring && !command->allowedWhileTransferring) {
        return CommandOutcome::Refused;
    }
    if (!IsEnabled(id)) {
        return CommandOutcome::Disabled;
    }
    // A copy: the handler may replace its own entry.
    const std::function<void()> run = command->run;
    run();
    return CommandOutcome::Ran;
}

} // namespace radio
