#pragma once

#include <QString>

namespace bis {

// The texts of the messages that more than one screen shows.

// The title of every message that refuses an entry.
inline const QString kInputErrorTitle = QStringLiteral("Input Error");

// The judges box refuses its entry, and the information check refuses to go on without judges.
inline const QString kJudgeCountRefused =
    QStringLiteral("The number of judges must be a positive integer");

// The title of every message of a failed file or printer action.
inline const QString kFileErrorTitle = QStringLiteral("File error");

// The title of the questions asked before the program ends.
inline const QString kWarningTitle = QStringLiteral("WARNING!");

// Exit on the set-up screen and on the scorecard, where nothing has been saved yet.
inline const QString kExitLosesAllInformation =
    QStringLiteral("If you exit, you will lose all information. Do you still wish to exit?");

}  // namespace bis
