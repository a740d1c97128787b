// The file dialogs of Open and Save As (and the folder of COM Setup's backups), through the
// services' IFileDialogs: the real dialogs in a running programmer, answers scripted by the tests.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace radio {

enum class FileDialogKind { Open, Save };

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Asks for a ".dat" file; nullopt when the user cancels.
    virtual std::optional<std::string> AskDatFileName(QWidget* owner, FileDialogKind kind,
                                                      const std::string& proposed) = 0;
    // Asks where to save a ".pdf" file; nullopt when the user cancels.
    virtual std::optional<std::string> AskPdfFileName(QWidget* owner,
                                                      const std::string& proposed) = 0;
    // Asks for an existing folder, starting in `proposed`; nullopt when the
    // user cancels.
    virtual std::optional<std::string> AskFolder(QWidget* owner, const std::string& proposed) = 0;
};

class CQtFileDialogs : public IFileDialogs {
public:
    std::optional<std::string> AskDatFileName(QWidget* owner, FileDialogKind kind,
                                              const std::string& proposed) override;
    std::optional<std::string> AskPdfFileName(QWidget* owner, const std::string& proposed) override;
    std::optional<std::string> AskFolder(QWidget* owner, const std::string& proposed) override;
};

} // namespace radio
