#pragma once

#include "app/ShowRecord.h"
#include "platform/Platform.h"

class QWidget;

namespace bis {

// The actions of the file buttons. Each runs to its end inside one click: it chooses the file,
// reads or writes it, and shows its own messages (title "File error" for every failure). No
// failure changes the show in memory.

// Recall Existing Report: chooses a show file and reads it into the record. True when the show
// was read (ReportSaved is then 1); false after a message, with the record as it was.
[[nodiscard]] bool RecallShow(Platform &platform, QWidget *owner, ShowRecord &show);

// Save Report: writes the show file and sets ReportSaved to 1 when it is written.
void SaveShow(Platform &platform, QWidget *owner, ShowRecord &show);

// Prepare Report to View: writes the text report and then shows its "Caution" notice.
void PrepareTextReport(Platform &platform, QWidget *owner, const ShowRecord &show);

// Prepare CSV Report: writes the CSV report and then shows its "Caution" notice.
void PrepareCsvReport(Platform &platform, QWidget *owner, const ShowRecord &show);

// Print Report: prints the two pages on the default printer; shows a message only on failure.
void PrintReport(Platform &platform, QWidget *owner, const ShowRecord &show);

}  // namespace bis
