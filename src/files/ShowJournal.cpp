#include "files/ShowJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include "app/ScreenTexts.h"

namespace bis {

void ShowJournal::Begin(QWidget *owner, const ShowRecord &show) {
    JournalStore *store = platform_.journalStore;
    if (store == nullptr) {
        return;
    }
    JournalId id;
    QRandomGenerator::system()->generate(id.begin(), id.end());
    JournalBegin begin{show.ClubName, show.ShowLocation, show.ShowDate, show.NumJudges, {}};
    for (int c = 1; c <= kCategoryCount; ++c) {
        begin.blooms[static_cast<std::size_t>(c - 1)] = show.Blooms(c);
    }
    id_.reset();
    if (const FileFailure failure = store->create(JournalStart(id, begin)); !failure.ok()) {
        Warn(owner, failure);
        return;
    }
    id_ = id;
}

void ShowJournal::Record(QWidget *owner, const JournalRecord &record) {
    if (id_) {
        Append(owner, JournalRecordBytes(*id_, record));
    }
}

void ShowJournal::Saving(QWidget *owner, const QString &path, const std::string &bytes) {
    Record(owner, JournalSaving{path.toStdString(), bytes.size(), Crc32(bytes)});
}

void ShowJournal::Close() {
    JournalStore *store = platform_.journalStore;
    if (store == nullptr) {
        return;
    }
    // The show is in its file, with the file's folder flushed, or given up: a closing record that
    // does not reach the disk says nothing, since the saving record before it lets the next start
    // recognise the saved show.
    if (id_) {
        (void)store->append(JournalRecordBytes(*id_, JournalClosed{}));
    }
    store->remove();
    id_.reset();
}

std::optional<ReplayedJournal> ShowJournal::ContinueUnfinished(QWidget *owner) {
    JournalStore *store = platform_.journalStore;
    if (store == nullptr) {
        return std::nullopt;
    }
    const QString damaged = QStringLiteral(
        "An unfinished show could not be read back: its journal is damaged. It is "
        "kept as ");
    for (const QString &name : store->leftBehind()) {
        const std::string fileName = QFileInfo(name).fileName().toStdString();
        // A creation that never reached its journal's name: it holds no score.
        if (IsJournalCreationName(fileName)) {
            store->discard(name);
            continue;
        }
        const bool journalName = IsJournalName(fileName);
        std::string bytes;
        if (!store->read(name, bytes).ok()) {
            // Where it is, for a later start to try again.
            if (journalName) {
                Tell(owner, damaged, name);
            }
            continue;
        }
        // The program's files have a journal's name or its magic bytes; others are left alone.
        if (!journalName && !HasJournalMagic(bytes)) {
            continue;
        }
        ReplayedJournal journal = ReplayJournal(bytes);
        using Outcome = ReplayedJournal::Outcome;
        switch (journal.outcome) {
            case Outcome::Unfinished:
            case Outcome::Closed:
                store->discard(name);
                continue;
            case Outcome::NotAJournal:
            case Outcome::Unreadable:
                KeepAndTell(owner, name, bytes, damaged);
                continue;
            case Outcome::OtherVersion:
                KeepAndTell(owner, name, bytes,
                            QStringLiteral("An unfinished show was kept by another version of the "
                                           "program, and this one cannot read it back. Its journal "
                                           "is kept as "));
                continue;
            case Outcome::Resumable:
                break;
        }
        if (ReachedItsShowFile(journal)) {
            store->discard(name);
            continue;
        }
        // Damaged bytes are kept before anything else happens to the journal; when they cannot
        // be, the journal stays as it is for a later start.
        QString kept;
        const bool damagedKept = journal.damaged() && store->keepDamaged(name, bytes, kept).ok();
        if (!AskToContinue(owner, journal)) {
            if (!journal.damaged() || damagedKept) {
                store->discard(name);
            }
            continue;
        }
        GoOnWith(owner, name, bytes, journal, damagedKept);
        store->release();
        return journal;
    }
    store->release();
    return std::nullopt;
}

void ShowJournal::TellWhatWasLost(QWidget *owner, const ReplayedJournal &journal) {
    if (!journal.damaged()) {
        return;
    }
    platform_.messages.notice(
        owner, kWarningTitle,
        QStringLiteral("Part of the unfinished show could not be read back. Check the scores of "
                       "judge ") +
            QString::number(journal.scorecard.currentJudge) +
            QStringLiteral(" and of the judges after it against their ballots."));
}

bool ShowJournal::ReachedItsShowFile(const ReplayedJournal &journal) {
    for (auto saving = journal.savedTo.rbegin(); saving != journal.savedTo.rend(); ++saving) {
        std::string bytes;
        if (platform_.fileSystem.readAll(QString::fromStdString(saving->path), bytes).ok() &&
            bytes.size() == saving->size && Crc32(bytes) == saving->crc) {
            return true;
        }
    }
    return false;
}

bool ShowJournal::AskToContinue(QWidget *owner, const ReplayedJournal &journal) {
    return platform_.messages.ask(
               owner, QStringLiteral("UNFINISHED SHOW"),
               QStringLiteral("The program stopped before the show of ") +
                   QString::fromStdString(journal.show.ClubName) + QStringLiteral(" on ") +
                   QString::fromStdString(journal.show.ShowDate) +
                   QStringLiteral(" was saved. Do you want to continue it where it stopped?")) ||
           !platform_.messages.ask(owner, kWarningTitle,
                                   QStringLiteral("If you do not continue it, the ballots of the "
                                                  "unfinished show will be lost. Do you still "
                                                  "wish to discard them?"));
}

void ShowJournal::GoOnWith(QWidget *owner, const QString &name, const std::string &bytes,
                           const ReplayedJournal &journal, bool damagedKept) {
    JournalStore &store = *platform_.journalStore;
    FileFailure failure;
    if (journal.damaged()) {
        // A new journal of the records read; the damaged one goes once its bytes are kept aside.
        failure = store.create(bytes.substr(0, journal.validLength));
        if (failure.ok() && damagedKept) {
            store.discard(name);
        }
    } else {
        // What follows the last whole record, a writer's torn tail, is cut away, so the records
        // added from here on are read after it.
        failure = store.adopt(name, journal.validLength);
    }
    if (failure.ok()) {
        id_ = journal.id;
    } else {
        Warn(owner, failure);
    }
}

void ShowJournal::KeepAndTell(QWidget *owner, const QString &journal, const std::string &bytes,
                              const QString &text) {
    // Told once: the kept bytes are never read again. Should they fail to be kept aside, the
    // journal itself stays where it is, and the next start tells again.
    QString kept;
    if (platform_.journalStore->keepDamaged(journal, bytes, kept).ok()) {
        platform_.journalStore->discard(journal);
    } else {
        kept = journal;
    }
    Tell(owner, text, kept);
}

void ShowJournal::Tell(QWidget *owner, const QString &text, const QString &path) {
    platform_.messages.notice(owner, kWarningTitle, text + QDir::toNativeSeparators(path) + u'.');
}

void ShowJournal::Append(QWidget *owner, const std::string &bytes) {
    if (const FileFailure failure = platform_.journalStore->append(bytes); !failure.ok()) {
        // A record that did not reach the disk whole may have left a torn one: nothing more is
        // added after it.
        id_.reset();
        Warn(owner, failure);
    }
}

void ShowJournal::Warn(QWidget *owner, const FileFailure &failure) {
    if (warned_) {
        return;
    }
    warned_ = true;
    platform_.messages.notice(
        owner, kFileErrorTitle,
        QStringLiteral("The ballots are no longer being kept safe against a stop of the program: "
                       "its journal of this show could not be written (") +
            failure.description +
            QStringLiteral("). Go on typing, and save the show with Save Report as soon as it is "
                           "tabulated."));
}

}  // namespace bis
