#pragma once

#include <QString>
#include <optional>

#include "app/ShowRecord.h"
#include "platform/Platform.h"

class QWidget;

namespace bis {

class ShowJournal;

// The actions of the file buttons. Each runs to its end inside one click: it chooses the file,
// reads or writes it, and shows its own messages (titled "Wrong version" for a show file of another
// version, "File error" for every other failure). No failure changes the show in memory. The busy
// cursor shows while a file is read or written or the report printed, and is gone before any
// message appears.

// A message box of the file actions: its title and text.
struct FileMessage {
    QString title;
    QString text;
};

// Whether a file is being read (a show file recalled) or written (a show file or a report).
enum class FileDirection { Open, Save };

// The text of the message for a failed file operation. The open side and the save side word
// their catch-all differently; only the save side quotes the system's own description.
[[nodiscard]] QString FailureMessage(const FileFailure &failure, FileDirection direction);

// Recall Existing Report's open dialog: the path chosen, as the program takes it (leading blanks
// and NUL characters dropped); empty when the user cancels.
[[nodiscard]] QString ChooseShowFile(Platform &platform, QWidget *owner);

// Reads the show file at the path into the record as Recall Existing Report does: nothing when
// the show was read (ReportSaved is then 1), otherwise the message that says why not, with the
// record as it was. An empty path is a file that does not exist.
[[nodiscard]] std::optional<FileMessage> ReadShowFromPath(FileSystem &fileSystem,
                                                          const QString &path, ShowRecord &show);

// Reads the show file at the path into the record, with the busy cursor while it reads, and
// shows the message of a failure. True when the show was read.
[[nodiscard]] bool RecallShowFrom(Platform &platform, QWidget *owner, const QString &path,
                                  ShowRecord &show);

// Recall Existing Report: chooses a show file and reads it into the record. True when the show
// was read (ReportSaved is then 1); false after a message, with the record as it was.
[[nodiscard]] bool RecallShow(Platform &platform, QWidget *owner, ShowRecord &show);

// Save Report: writes the show file and sets ReportSaved to 1 when it is written. True when it
// was written. The show's journal, when given, is told the file's name and bytes before the file
// is written.
bool SaveShow(Platform &platform, QWidget *owner, ShowRecord &show, ShowJournal *journal = nullptr);

// Prepare Report to View: writes the text report and then shows its "Caution" notice.
void PrepareTextReport(Platform &platform, QWidget *owner, const ShowRecord &show);

// Prepare CSV Report: writes the CSV report and then shows its "Caution" notice.
void PrepareCsvReport(Platform &platform, QWidget *owner, const ShowRecord &show);

// Print Report: prints the two pages on the default printer; shows a message only on failure.
void PrintReport(Platform &platform, QWidget *owner, const ShowRecord &show);

}  // namespace bis
