#pragma once

#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/JournalStore.h"
#include "platform/Messages.h"
#include "platform/Printer.h"
#include "platform/ProgramEnd.h"

namespace bis {

// Everything outside the program that the screens use. The program passes the real ones; tests
// pass fakes that record what was shown and give scripted answers.
struct Platform {
    Messages &messages;
    ProgramEnd &programEnd;
    FileDialogs &fileDialogs;
    FileSystem &fileSystem;
    Printer &printer;
    // The user's regional decimal separator, for screens and the text and printed reports.
    char decimalSeparator = '.';
    // Where the journal of the show being entered is kept; none keeps no journal.
    JournalStore *journalStore = nullptr;
};

}  // namespace bis
