#include "FileDialogs.h"

#include <QFileDialog>

namespace radio {

namespace {

FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}

} // namespace

std::optional<std::string> AskDatFileName(QWidget* owner, FileDialogKind kind,
                                          const std::string& proposed) {
    if (Handler()) {
        return Handler()(kind, proposed);
    }
    QFileDialog dialog(owner);
    dialog.setNameFilter(QStringLiteral("*.dat (*.dat)"));
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(QString::fromStdString(proposed));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace radio
