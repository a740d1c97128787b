#include "ProcessStarter.h"

#include <QProcess>
#include <QStringList>

namespace radio {

bool CQtProcessStarter::StartDetached(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      std::string& error) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments(list);
    if (!process.startDetached()) {
        error = program + ": " + process.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace radio
