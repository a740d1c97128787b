// The file dialogs of Open and Save As, replaceable so that tests can answer.
#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace radio {

enum class FileDialogKind { Open, Save };

using FileDialogHandler =
    std::function<std::optional<std::string>(FileDialogKind kind, const std::string& proposed)>;

// Asks for a ".dat" file; nullopt when the user cancels.
std::optional<std::string> AskDatFileName(QWidget* owner, FileDialogKind kind,
                                          const std::string& proposed = {});

// Installs a handler in place of the real dialogs and returns the previous
// one; an empty handler restores the real dialogs.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

} // namespace radio
