#include "files/ShowJournal.h"

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

void ShowJournal::Close() {
    if (platform_.journalStore != nullptr) {
        platform_.journalStore->remove();
    }
    id_.reset();
}

std::optional<ReplayedJournal> ShowJournal::ContinueUnfinished(QWidget *owner) {
    JournalStore *store = platform_.journalStore;
    if (store == nullptr) {
        return std::nullopt;
    }
    for (const QString &name : store->leftBehind()) {
        std::string bytes;
        if (!store->read(name, bytes).ok()) {
            continue;
        }
        ReplayedJournal journal = ReplayJournal(bytes);
        if (journal.outcome == ReplayedJournal::Outcome::NoWholeRecord) {
            store->discard(name);
            continue;
        }
        if (journal.outcome != ReplayedJournal::Outcome::Resumable) {
            continue;
        }
        const bool continueShow =
            platform_.messages.ask(
                owner, QStringLiteral("UNFINISHED SHOW"),
                QStringLiteral("The program stopped before the show of ") +
                    QString::fromStdString(journal.show.ClubName) + QStringLiteral(" on ") +
                    QString::fromStdString(journal.show.ShowDate) +
                    QStringLiteral(" was saved. Do you want to continue it where it stopped?")) ||
            !platform_.messages.ask(owner, kWarningTitle,
                                    QStringLiteral("If you do not continue it, the ballots of the "
                                                   "unfinished show will be lost. Do you still "
                                                   "wish to discard them?"));
        if (!continueShow) {
            store->discard(name);
            continue;
        }
        // What follows the last whole record is cut away, so the records added from here on
        // are read after it.
        if (const FileFailure failure = store->adopt(name, journal.validLength); failure.ok()) {
            id_ = journal.id;
        } else {
            Warn(owner, failure);
        }
        store->release();
        return journal;
    }
    store->release();
    return std::nullopt;
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
