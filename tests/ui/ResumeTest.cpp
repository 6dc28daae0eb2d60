// The show's journal as the screens keep it: a stop after any accepted entry comes back as it
// was, the questions after a stop, when the journal goes, and a journal that cannot be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>

#include "app/frmIntro.h"
#include "ballots/frmScorecard.h"
#include "files/ShowFile.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

// What the Tabulator sees, and the show behind it.
struct ScreenState {
    QStringList controls;
    QString focus;
    std::string show;

    friend bool operator==(const ScreenState &, const ScreenState &) = default;
};

void PrintTo(const ScreenState &state, std::ostream *out) {
    *out << state.controls.join(u'\n').toStdString() << "\nfocus " << state.focus.toStdString();
}

class ResumeTest : public ScreenTest {
  protected:
    ResumeTest() { platform.journalStore = &journal; }

    // A show of four judges, or as many as given; LARGE, SMALL and SPIDER have blooms.
    void OpenScorecard(std::int16_t judges = 4) {
        record.Initialise();
        record.ClubName = "Dahlia Society";
        record.ShowDate = "09/12/2026";
        record.NumJudges = judges;
        record.Blooms(2) = 4;
        record.Blooms(3) = 6;
        record.Blooms(6) = 3;
        auto *card = new frmScorecard(context);
        card->ShowScreen();
        Activate(card);
    }

    Screen *Open() {
        if (auto *card = OpenScreen<frmScorecard>()) {
            return card;
        }
        return OpenScreen<frmSummaryReport>();
    }

    ScreenState Capture(const ShowRecord &show) {
        ScreenState state;
        Screen *screen = Open();
        state.controls << screen->objectName();
        for (auto *box : screen->findChildren<QLineEdit *>()) {
            state.controls << box->objectName() + u'=' + box->text() +
                                  (box->isHidden() ? QStringLiteral(" hidden") : QString());
        }
        for (auto *button : screen->findChildren<CommandButton *>()) {
            state.controls << button->objectName() + u'=' + button->text() + u'/' +
                                  button->toolTip() +
                                  (button->isEnabled() ? QStringLiteral(" on") : QString()) +
                                  (button->isHidden() ? QStringLiteral(" hidden") : QString());
        }
        state.focus = FocusName();
        state.show = ShowFileBytes(show);
        for (int judge = 1; judge <= show.BallotEntered.lastJudge(); ++judge) {
            state.show += std::to_string(show.BallotEntered(judge));
        }
        return state;
    }

    FakeJournalStore journal;
};

TEST_F(ResumeTest, AStopAfterAnyAcceptedEntryComesBackAsItWas) {
    struct Stop {
        std::string journal;
        ScreenState state;
        bool sameFocus;
    };
    std::vector<Stop> stops;
    const auto stop = [&](bool sameFocus = true) {
        Activate(Open());
        stops.push_back({journal.own.value_or("<none>"), Capture(record), sameFocus});
    };
    OpenScorecard();
    stop();
    for (const char *score : {"1", " 2.5 ", "4"}) {
        Type(QString::fromLatin1(score));
        Tab();
        stop();
    }
    Space();  // Next Judge, reached with Tab
    stop();
    Type(".5");
    Tab();
    stop();
    Click(Find<QWidget>(Open(), "cmdPreviousJudge"));
    stop();
    ClearFocusedBox();
    Type("0");
    Tab();
    stop();
    Click(Find<QWidget>(Open(), "cmdNextJudge"));
    stop();
    messages.answers = {true};
    Click(Find<QWidget>(Open(), "cmdRemoveJudge"));
    stop(false);  // the click left the focus on the button
    Click(Find<QWidget>(Open(), "cmdNextJudge"));
    stop();
    messages.answers = {false};
    Click(Find<QWidget>(Open(), "cmdNextJudge"));
    stop(false);
    messages.answers = {true};
    Click(Find<QWidget>(Open(), "cmdNextJudge"));
    stop();
    ASSERT_NE(OpenScreen<frmSummaryReport>(), nullptr);

    for (std::size_t i = 0; i < stops.size(); ++i) {
        Screen::DeleteAll();
        ShowRecord resumed;
        FakeJournalStore left;
        left.left = {{QStringLiteral("stopped"), stops[i].journal}};
        FakeMessages answers;
        answers.answers = {true};
        Platform restarted{
            answers, fakes.programEnd, fakes.fileDialogs, fakes.fileSystem, fakes.printer, '.',
            &left};
        ScreenContext again{resumed, restarted};
        ASSERT_TRUE((new frmIntro(again))->ContinueUnfinishedShow()) << "stop " << i;
        Activate(Open());
        ScreenState state = Capture(resumed);
        if (!stops[i].sameFocus) {
            state.focus = stops[i].state.focus;
        }
        EXPECT_EQ(state, stops[i].state) << "stop " << i;
        EXPECT_EQ(left.own, stops[i].journal) << "the same journal goes on";
        EXPECT_EQ(resumed.ReportSaved, 0);
        Screen::DeleteAll();
    }
}

// The header of a journal of a later format version, whole with its check.
std::string FutureJournal() {
    std::string header = std::string("BISJOURN\x03\0\0\0", 12) + std::string(20, '\7');
    const std::uint32_t crc = Crc32(header);
    for (int shift = 0; shift < 32; shift += 8) {
        header.push_back(static_cast<char>(crc >> shift));
    }
    return header;
}

TEST_F(ResumeTest, EachUnfinishedShowIsOfferedNewestFirstUntilOneIsTakenUp) {
    OpenScorecard();
    const std::string dahlias = *journal.own;
    Type("3");
    Tab();
    const std::string withScore = *journal.own;
    journal.left = {{"newest", dahlias},
                    {"torn", dahlias.substr(0, 40)},
                    {"future", FutureJournal()},
                    {"older", withScore}};
    Screen::DeleteAll();
    messages.shown.clear();
    messages.answers = {false, true, true};

    ASSERT_TRUE((new frmIntro(context))->ContinueUnfinishedShow());
    const ShownMessage offer{"UNFINISHED SHOW",
                             "The program stopped before the show of Dahlia Society on 09/12/2026 "
                             "was saved. Do you want to continue it where it stopped?",
                             true};
    const ShownMessage discard{"WARNING!",
                               "If you do not continue it, the ballots of the unfinished show will "
                               "be lost. Do you still wish to discard them?",
                               true};
    const ShownMessage otherVersion{
        "WARNING!",
        "An unfinished show was kept by another version of the program, and this one cannot read "
        "it back. Its journal is kept as future.damaged.",
        false};
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{offer, discard, otherVersion, offer}));
    EXPECT_EQ(journal.own, withScore) << "the older show was continued";
    EXPECT_TRUE(journal.left.empty()) << "the torn one is removed, the discarded one too";
    EXPECT_EQ(journal.damaged.count(QStringLiteral("future.damaged")), 1U);
    EXPECT_EQ(record.Scores(1, 2), 3.0);

    // Answering No twice continues the show as Yes does.
    Screen::DeleteAll();
    journal.left = {{"again", withScore}};
    messages.answers = {false, false};
    EXPECT_TRUE((new frmIntro(context))->ContinueUnfinishedShow());
    EXPECT_TRUE(journal.left.empty());
}

TEST_F(ResumeTest, TheJournalGoesOnlyWhenTheShowIsSavedOrGivenUp) {
    struct Case {
        const char *name;
        std::vector<bool> answers;
        const char *button;
        bool tabulate;
        bool kept;
        bool closingFails = false;  // the closing record after the saving one fails to be written
    };
    for (const Case &c :
         {Case{"ExitAnsweredNo", {false}, "cmdExit", false, true},
          Case{"ExitAnsweredYes", {true}, "cmdExit", false, false},
          Case{"TabulatedThenExitNo", {false}, "cmdExit", true, true},
          Case{"TabulatedThenExitYes", {true}, "cmdExit", true, false},
          Case{"TabulatedThenSaved", {}, "cmdSave", true, false},
          Case{"SavedButTheClosingRecordFails", {}, "cmdSave", true, false, true}}) {
        Screen::DeleteAll();
        OpenScorecard(1);
        Type("2");
        Tab();
        if (c.tabulate) {
            messages.answers = {true};
            Click(Find<QWidget>(Open(), "cmdNextJudge"));
            ASSERT_NE(OpenScreen<frmSummaryReport>(), nullptr) << c.name;
        }
        fakes.fileDialogs.paths = {QStringLiteral("/shows/dahlias.oxl")};
        messages.answers = {c.answers.begin(), c.answers.end()};
        messages.shown.clear();
        fakes.fileSystem.files.clear();
        if (c.closingFails) {
            journal.appendsBeforeFailure = 1;
        }
        Click(Find<QWidget>(Open(), c.button));
        EXPECT_EQ(journal.own.has_value(), c.kept) << c.name;
        for (const ShownMessage &message : Shown()) {
            EXPECT_NE(message.title, QStringLiteral("File error"))
                << c.name << ": the show is saved";
        }
        fakes.fileDialogs.paths.clear();
        journal.appendsBeforeFailure.reset();
        journal.failure = {};
    }
}

TEST_F(ResumeTest, AJournalThatCannotBeWrittenIsSaidOnceAndTypingGoesOn) {
    journal.failure = {FileFailureKind::Other, QStringLiteral("No space left on device")};
    OpenScorecard();
    Type("2");
    Tab();
    Type("3");
    Tab();
    ASSERT_EQ(Shown().size(), 1U);
    EXPECT_EQ(Shown()[0].title, QStringLiteral("File error"));
    EXPECT_FALSE(Shown()[0].question);
    EXPECT_TRUE(Shown()[0].text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(record.Scores(0, 3), 3.0);
}

}  // namespace
}  // namespace bis::testing
