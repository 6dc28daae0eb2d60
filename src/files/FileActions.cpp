#include "files/FileActions.h"

#include <optional>

#include "app/BusyCursor.h"
#include "app/ScreenTexts.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "files/ShowFileLoad.h"
#include "files/ShowJournal.h"

namespace bis {

namespace {

// One way of choosing a file: the dialog's presets and, for saving, the suffix the file needs.
struct FileUse {
    FileDialogRequest request;
    QString suffix;
};

const FileUse kRecallShowFile{{"Open an OXL file", "OXL files (*.oxl)"}, ""};
const FileUse kSaveShowFile{{"Save as OXL File", "OXL files (*.oxl)"}, ".oxl"};
const FileUse kTextReportFile{{"Save as Text File", "Text files (*.txt)"}, ".txt"};
const FileUse kCsvReportFile{
    {"Save as Comma Separated Variables File", "Comma Separated Variable files (*.csv)"}, ".csv"};

const QString kWrongVersion = QStringLiteral("Wrong version");
const QString kFileDoesNotExist = QStringLiteral("Sorry, file does not exist. Please try again.");
const QString kFileAlreadyExists =
    QStringLiteral("Sorry, file already exists. Please try another name.");
const QString kNoFileSelected = QStringLiteral("Sorry, no file selected. Please try again.");
const QString kDriveNotReady = QStringLiteral("The specified drive is not ready");
const QString kSelectAnotherFile = QStringLiteral("Please select another file");

// The path as the program takes it from a dialog: leading blanks and any NUL characters dropped.
QString TakenPath(const std::optional<QString> &chosen) {
    if (!chosen) {
        return {};
    }
    QString path = *chosen;
    path.remove(QChar(u'\0'));
    qsizetype blanks = 0;
    while (blanks < path.size() && path[blanks] == u' ') {
        ++blanks;
    }
    return path.mid(blanks);
}

void ShowFileError(Platform &platform, QWidget *owner, const QString &text) {
    platform.messages.notice(owner, kFileErrorTitle, text);
}

// Chooses the file to write by the save dialog, the suffix question and the existence check.
// Nothing when the action must stop; its message has then been shown.
std::optional<QString> ChooseFileToSave(Platform &platform, QWidget *owner, const FileUse &use) {
    QString path = TakenPath(platform.fileDialogs.chooseFileToSave(owner, use.request));
    if (!path.isEmpty() && !path.endsWith(use.suffix, Qt::CaseSensitive)) {
        const QString prompt = QStringLiteral("The file may not work properly without the ") +
                               use.suffix + QStringLiteral(" suffix. Do you wish to add it?");
        if (platform.messages.ask(owner, QStringLiteral("Add suffix"), prompt)) {
            path += use.suffix;
        }
    }
    if (path.isEmpty()) {
        ShowFileError(platform, owner, kNoFileSelected);
        return std::nullopt;
    }
    if (platform.fileSystem.exists(path)) {
        ShowFileError(platform, owner, kFileAlreadyExists);
        return std::nullopt;
    }
    return path;
}

// Chooses a file and writes the bytes into it as a new file, telling the journal first when one
// is given. True when it was written; false after its message.
bool WriteNewFile(Platform &platform, QWidget *owner, const FileUse &use, const std::string &bytes,
                  ShowJournal *journal = nullptr) {
    const auto path = ChooseFileToSave(platform, owner, use);
    if (!path) {
        return false;
    }
    if (journal != nullptr) {
        journal->Saving(owner, *path, bytes);
    }
    FileFailure failure;
    {
        const BusyCursor busy;
        failure = platform.fileSystem.createNew(*path, bytes);
    }
    if (!failure.ok()) {
        ShowFileError(platform, owner, FailureMessage(failure, FileDirection::Save));
        return false;
    }
    return true;
}

}  // namespace

QString FailureMessage(const FileFailure &failure, FileDirection direction) {
    const bool saving = direction == FileDirection::Save;
    switch (failure.kind) {
        case FileFailure::Kind::NotFound:
            if (!saving) {
                return kFileDoesNotExist;
            }
            break;
        case FileFailure::Kind::AlreadyExists:
            if (saving) {
                return kFileAlreadyExists;
            }
            break;
        case FileFailure::Kind::DriveNotReady:
            return kDriveNotReady;
        case FileFailure::Kind::None:
        case FileFailure::Kind::Other:
            break;
    }
    return saving ? failure.description + QStringLiteral(" Please select another file name")
                  : kSelectAnotherFile;
}

QString ChooseShowFile(Platform &platform, QWidget *owner) {
    return TakenPath(platform.fileDialogs.chooseFileToOpen(owner, kRecallShowFile.request));
}

std::optional<FileMessage> ReadShowFromPath(FileSystem &fileSystem, const QString &path,
                                            ShowRecord &show) {
    const ShowFileLoad load = LoadShowFile(fileSystem, path, show);
    if (!load.file.ok()) {
        return FileMessage{kFileErrorTitle, FailureMessage(load.file, FileDirection::Open)};
    }
    const ShowFileReadResult &result = load.show;
    switch (result.outcome) {
        case ShowFileReadResult::Outcome::Read:
            return std::nullopt;
        case ShowFileReadResult::Outcome::NotVersioned:
            return FileMessage{
                kWrongVersion,
                QStringLiteral(
                    "This file was prepared with Version 1. Please exit and use this version.")};
        case ShowFileReadResult::Outcome::WrongVersion:
            return FileMessage{kWrongVersion,
                               QStringLiteral("This file was prepared with ") +
                                   QString::fromStdString(result.fileVersion) +
                                   QStringLiteral(" Please exit and use this version.")};
        case ShowFileReadResult::Outcome::Unreadable:
            break;
    }
    // The screens keep one message for every file the reader refuses.
    return FileMessage{kFileErrorTitle, kSelectAnotherFile};
}

bool RecallShowFrom(Platform &platform, QWidget *owner, const QString &path, ShowRecord &show) {
    std::optional<FileMessage> refused;
    {
        const BusyCursor busy;
        refused = ReadShowFromPath(platform.fileSystem, path, show);
    }
    if (refused) {
        platform.messages.notice(owner, refused->title, refused->text);
        return false;
    }
    return true;
}

bool RecallShow(Platform &platform, QWidget *owner, ShowRecord &show) {
    return RecallShowFrom(platform, owner, ChooseShowFile(platform, owner), show);
}

bool SaveShow(Platform &platform, QWidget *owner, ShowRecord &show, ShowJournal *journal) {
    if (!WriteNewFile(platform, owner, kSaveShowFile, ShowFileBytes(show), journal)) {
        return false;
    }
    show.ReportSaved = 1;
    return true;
}

void PrepareTextReport(Platform &platform, QWidget *owner, const ShowRecord &show) {
    if (WriteNewFile(platform, owner, kTextReportFile,
                     TextReportBytes(show, platform.decimalSeparator))) {
        platform.messages.notice(
            owner, QStringLiteral("Caution"),
            QStringLiteral("This report is for viewing the information only. To save the "
                           "information for later use by this program, click the Save Report "
                           "button."));
    }
}

void PrepareCsvReport(Platform &platform, QWidget *owner, const ShowRecord &show) {
    if (WriteNewFile(platform, owner, kCsvReportFile, CsvReportBytes(show))) {
        platform.messages.notice(
            owner, QStringLiteral("Caution"),
            QStringLiteral("This report is for viewing the information only. Use a spreadsheet "
                           "program. To save the information for later use by this program, "
                           "click the Save Report button."));
    }
}

void PrintReport(Platform &platform, QWidget *owner, const ShowRecord &show) {
    PrintFailure failure;
    {
        const BusyCursor busy;
        failure = platform.printer.print(PrintedReportPages(show, platform.decimalSeparator));
    }
    switch (failure.kind) {
        case PrintFailure::Kind::None:
            return;
        case PrintFailure::Kind::NotAvailable:
            ShowFileError(platform, owner, QStringLiteral("Sorry, the printer is not available."));
            return;
        case PrintFailure::Kind::PrinterError:
            ShowFileError(platform, owner, QStringLiteral("Printer error"));
            return;
        case PrintFailure::Kind::Other:
            ShowFileError(platform, owner, failure.description);
            return;
    }
}

}  // namespace bis
