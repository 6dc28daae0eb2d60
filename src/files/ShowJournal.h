#pragma once

#include <QString>
#include <optional>
#include <string>

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

    // Save Report is about to write the show file at the path with the bytes: the journal says
    // so first, so that a start after a stop can tell whether the show reached the file.
    void Saving(QWidget *owner, const QString &path, const std::string &bytes);

    // The show is saved, or the Tabulator gave it up: the journal ends with its closing record,
    // and is removed. A journal whose removal fails is so never offered, and a later start
    // removes it. Nothing is said when either fails: the show file, whose folder is flushed, or
    // the Tabulator's word, is what makes the show safe or given up.
    void Close();

    // Offers each show left unfinished by a program that stopped, newest first, until the
    // Tabulator takes one up; its journal then goes on growing. Nothing when every show was
    // discarded or none was left. Only the program's files are looked at: those with a
    // journal's name or its magic bytes; others are left alone. Without a word, journals whose
    // writer died before it wrote any score, closed journals and those of a show that reached its
    // show file are removed. Any other journal that cannot be read back (damaged before its
    // set-up could be read, or of another format version) is kept aside as damaged, and the
    // Tabulator is told where in a "WARNING!" notice; one that cannot be read from the disk, or
    // whose bytes cannot be kept aside, stays where it is, and the notice names it. The bytes of a
    // journal damaged further on are kept aside first, and the show goes on in a new journal
    // holding what was read (see TellWhatWasLost).
    [[nodiscard]] std::optional<ReplayedJournal> ContinueUnfinished(QWidget *owner);

    // Once the screen of a show continued up to damage in its journal is shown: tells the
    // Tabulator which ballots to check. Nothing for a journal read whole.
    void TellWhatWasLost(QWidget *owner, const ReplayedJournal &journal);

  private:
    // Whether a show file the summary was saving the show in holds it whole.
    [[nodiscard]] bool ReachedItsShowFile(const ReplayedJournal &journal);
    // Asks whether to continue the show, and once more before it is discarded.
    [[nodiscard]] bool AskToContinue(QWidget *owner, const ReplayedJournal &journal);
    // Goes on with the journal: cut back to its last whole record, or, when it is damaged, in a
    // new journal of those records.
    void GoOnWith(QWidget *owner, const QString &name, const std::string &bytes,
                  const ReplayedJournal &journal, bool damagedKept);
    // Keeps the bytes of a journal that cannot be read back aside, removes it, and tells where.
    void KeepAndTell(QWidget *owner, const QString &journal, const std::string &bytes,
                     const QString &text);
    // A "WARNING!" notice: the text, then the path and a full stop.
    void Tell(QWidget *owner, const QString &text, const QString &path);
    void Append(QWidget *owner, const std::string &bytes);
    // Tells the Tabulator, once, that the ballots are no longer kept safe.
    void Warn(QWidget *owner, const FileFailure &failure);

    Platform &platform_;
    std::optional<JournalId> id_;
    bool warned_ = false;
};

}  // namespace bis
