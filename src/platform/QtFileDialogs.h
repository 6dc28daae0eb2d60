#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/FileDialogs.h"

namespace bis {

// The toolkit's file dialogs. Each dialog is modal over its owner, starts in the user's home
// folder with an empty name, lists the request's filter (preselected) and then
// "All files (*.*)", and accepts any name the user types: whether the file exists, and whether it
// has a suffix, is for the program to check afterwards.
class QtFileDialogs : public FileDialogs {
  public:
    [[nodiscard]] std::optional<QString> chooseFileToOpen(
        QWidget *owner, const FileDialogRequest &request) override;
    [[nodiscard]] std::optional<QString> chooseFileToSave(
        QWidget *owner, const FileDialogRequest &request) override;
};

}  // namespace bis
