// Starting another program, detached and without waiting: the restart after
// a language change, the launcher starting a programmer. Tests record the
// starts instead.
#pragma once

#include <string>
#include <vector>

namespace radio {

class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;
    // False with the system's reason when the program could not be started.
    virtual bool StartDetached(const std::string& program,
                               const std::vector<std::string>& arguments, std::string& error) = 0;
};

// Through QProcess.
class CQtProcessStarter : public IProcessStarter {
public:
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       std::string& error) override;
};

} // namespace radio
