#include "FileDialogs.h"

#include <QFileDialog>

namespace radio {

std::optional<std::string> CQtFileDialogs::AskDatFileName(QWidget* owner, FileDialogKind kind,
                                                          const std::string& proposed) {
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

std::optional<std::string> CQtFileDialogs::AskPdfFileName(QWidget* owner,
                                                          const std::string& proposed) {
    QFileDialog dialog(owner);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QString::fromStdString(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> CQtFileDialogs::AskFolder(QWidget* owner, const std::string& proposed) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner, QString(), QString::fromStdString(proposed));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

} // namespace radio
