#include "platform/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace bis {

namespace {

// Shows one dialog and waits for it. The dialog is asked for no checks of its own: no
// overwrite question, no suffix added, and an open dialog takes a name that does not exist.
std::optional<QString> ChooseFile(QWidget *owner, const FileDialogRequest &request,
                                  QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.title, QDir::homePath());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString());
    // The filter's text names its pattern in brackets, which is where the dialog takes it from.
    dialog.setNameFilters({request.filterText, QStringLiteral("All files (*.*)")});
    dialog.selectNameFilter(request.filterText);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) {
        return std::nullopt;
    }
    return files.first();
}

}  // namespace

std::optional<QString> QtFileDialogs::chooseFileToOpen(QWidget *owner,
                                                       const FileDialogRequest &request) {
    return ChooseFile(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::chooseFileToSave(QWidget *owner,
                                                       const FileDialogRequest &request) {
    return ChooseFile(owner, request, QFileDialog::AcceptSave);
}

}  // namespace bis
