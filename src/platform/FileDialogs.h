#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace bis {

// What a file dialog is preset with. The filter list has two entries: the use's own, which is
// preselected, then "All files (*.*)". The dialog starts in the user's home folder with an empty
// name, and makes no checks of its own: no overwrite prompt, no default suffix.
struct FileDialogRequest {
    QString title;       // "Save as OXL File"
    QString filterText;  // "OXL files (*.oxl)"
};

// The platform's file dialogs. Each call shows one dialog, modal over the screen that asks.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;

    // The path chosen to open, or nothing when the user cancels or the dialog fails.
    [[nodiscard]] virtual std::optional<QString> chooseFileToOpen(
        QWidget *owner, const FileDialogRequest &request) = 0;

    // The path chosen to save under, or nothing when the user cancels or the dialog fails.
    [[nodiscard]] virtual std::optional<QString> chooseFileToSave(
        QWidget *owner, const FileDialogRequest &request) = 0;
};

}  // namespace bis
