#pragma once

#include <QString>
#include <optional>

#include "app/ShowRecord.h"
#include "files/Journal.h"
#include "platform/Platform.h"

class QWidget;

namespace bis {

// The journal of the show being entered, as the scorecard and the summary keep it: from the
// moment the scorecard opens until the show is saved or given up, every change they make to the
// show is on the disk before the handler that made it returns. A journal that cannot be written
// or flushed is said once, in a "File error" notice, and typing goes on without it. Without a
// journal store in the platform nothing is kept.
class ShowJournal {
  public:
    explicit ShowJournal(Platform &platform) : platform_(platform) {}

    // The scorecard opened with the show as set up: a new journal begins.
    void Begin(QWidget *owner, const ShowRecord &show);

    // A change the scorecard made, or the tabulation reached.
    void Record(QWidget *owner, const JournalRecord &record);

    // The show is saved, or the Tabulator gave it up: its journal is removed.
    void Close();

    // Offers each show left unfinished by a program that stopped, newest first, until the
    // Tabulator takes one up; its journal then goes on growing. Nothing when every show was
    // discarded or none was left. Journals with no whole record are removed without a word;
    // journals of another version are left alone.
    [[nodiscard]] std::optional<ReplayedJournal> ContinueUnfinished(QWidget *owner);

  private:
    void Append(QWidget *owner, const std::string &bytes);
    // Tells the Tabulator, once, that the ballots are no longer kept safe.
    void Warn(QWidget *owner, const FileFailure &failure);

    Platform &platform_;
    std::optional<JournalId> id_;
    bool warned_ = false;
};

}  // namespace bis
