// Whole shows typed in with the keyboard alone, from the introduction screen to the summary, as
// a new user would type them: Tab from box to box and Space on the focused button, or Return
// (or the keypad's Enter) for both, as on a numeric keypad; Alt with an access key. The shows are
// made up from a seed, and the expected summary is worked out here from the ballots,
// independently of the program's own tabulation.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include <array>
#include <ostream>
#include <random>
#include <string>
#include <tuple>

#include "app/frmIntro.h"
#include "ballots/frmScorecard.h"
#include "setup/frmInfoCheck.h"
#include "setup/frmSetUp.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

struct MadeUpShow {
    int judges = 0;
    std::array<int, 11> blooms{};                // by category 1..10
    std::vector<std::array<double, 11>> scores;  // by judge 1..judges, category 1..10
};

MadeUpShow MakeShow(unsigned seed) {
    std::mt19937 random(seed);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    MadeUpShow show;
    show.judges = 1 + below(6);
    // Some shows have no eligible category, some a few, some nearly all.
    const int eligibleChance = below(5) - 1;
    for (int c = 1; c <= 10; ++c) {
        show.blooms[c] = below(4) <= eligibleChance ? 1 + below(2) : 0;
    }
    show.scores.resize(static_cast<std::size_t>(show.judges) + 1);
    for (int j = 1; j <= show.judges; ++j) {
        for (int c = 1; c <= 10; ++c) {
            // Scores crowd at the low end, so that ties on the total happen.
            show.scores[j][c] = show.blooms[c] > 0 ? 0.5 * below(1 + below(5)) : 0.0;
        }
    }
    return show;
}

// The way a user might type a score: "3", "2.5", ".5", blank for 0, blanks around, "4.50".
QString ScoreAsTyped(double score, std::mt19937 &random) {
    const int form = static_cast<int>(random() % 4);
    if (score == 0.0 && form == 0) {
        return QString();
    }
    QString text = score == static_cast<int>(score) ? QString::number(static_cast<int>(score))
                                                    : QString::number(score, 'f', 1);
    if (text.startsWith(QStringLiteral("0.")) && form == 1) {
        text.remove(0, 1);
    } else if (form == 2) {
        text = QStringLiteral(" ") + text + QStringLiteral(" ");
    } else if (form == 3 && text.contains(u'.')) {
        text += QStringLiteral("0");
    }
    return text;
}

struct Expected {
    std::array<double, 11> total{};
    std::array<int, 11> starred{};
    std::array<bool, 11> winner{};
    int winners = 0;
};

Expected WorkOut(const MadeUpShow &show) {
    Expected e;
    for (int j = 1; j <= show.judges; ++j) {
        double lowest = 99;
        for (int c = 1; c <= 10; ++c) {
            if (show.blooms[c] > 0) {
                lowest = std::min(lowest, show.scores[j][c]);
            }
        }
        for (int c = 1; c <= 10; ++c) {
            if (show.blooms[c] > 0) {
                e.total[c] += show.scores[j][c];
                e.starred[c] += show.scores[j][c] == lowest ? 1 : 0;
            }
        }
    }
    // The best entry: lowest total, then most blooms, then most starred entries.
    auto better = [&](int a, int b) {
        if (e.total[a] != e.total[b]) {
            return e.total[a] < e.total[b];
        }
        if (show.blooms[a] != show.blooms[b]) {
            return show.blooms[a] > show.blooms[b];
        }
        return e.starred[a] > e.starred[b];
    };
    for (int c = 1; c <= 10; ++c) {
        if (show.blooms[c] == 0) {
            continue;
        }
        bool beaten = false;
        for (int other = 1; other <= 10; ++other) {
            beaten = beaten || (show.blooms[other] > 0 && better(other, c));
        }
        e.winner[c] = !beaten;
        e.winners += beaten ? 0 : 1;
    }
    return e;
}

// How the user moves from box to box and presses the focused button.
struct Moving {
    const char *name;
    Qt::Key next;   // leaves a box for the next control
    Qt::Key press;  // presses the focused button
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const Moving &moving, std::ostream *out) {
    *out << moving.name;
}

const Moving kTabAndSpace{"TabAndSpace", Qt::Key_Tab, Qt::Key_Space, Qt::NoModifier};
const Moving kReturn{"Return", Qt::Key_Return, Qt::Key_Return, Qt::NoModifier};
const Moving kKeypadEnter{"KeypadEnter", Qt::Key_Enter, Qt::Key_Enter, Qt::KeypadModifier};

class WholeShowTest : public ScreenTest,
                      public ::testing::WithParamInterface<std::tuple<unsigned, Moving>> {
  protected:
    static unsigned Seed() { return std::get<0>(GetParam()); }
    static void Next() {
        ASSERT_NE(Focus(), nullptr);
        QTest::keyClick(Focus(), std::get<1>(GetParam()).next, std::get<1>(GetParam()).modifiers);
    }
    static void Press() {
        ASSERT_NE(Focus(), nullptr);
        QTest::keyClick(Focus(), std::get<1>(GetParam()).press, std::get<1>(GetParam()).modifiers);
    }

    template <typename Screen>
    Screen *Reach() {
        Screen *screen = OpenScreen<Screen>();
        EXPECT_NE(screen, nullptr);
        if (screen != nullptr) {
            Activate(screen);
        }
        return screen;
    }
};

TEST_P(WholeShowTest, KeyboardAloneReachesTheRightSummary) {
    const MadeUpShow show = MakeShow(Seed());
    std::mt19937 typing(Seed() * 7919U);

    auto *intro = new frmIntro(context);
    intro->ShowScreen();
    Activate(intro);
    Press();  // Set Up has the focus

    ASSERT_NE(Reach<frmSetUp>(), nullptr);
    Type(QStringLiteral("Seed %1 Dahlia Society").arg(Seed()));
    Next();
    Type(QStringLiteral("Springfield, OR, Pacific"));
    Next();
    Type(QStringLiteral("08/%1/2024").arg(10 + Seed() % 20));
    Next();
    Type(QString::number(show.judges));
    Next();
    for (int c = 1; c <= 10; ++c) {
        const bool blank = show.blooms[c] == 0 && typing() % 2 == 0;
        Type(blank ? QString() : QString::number(show.blooms[c]));
        Next();
    }
    ASSERT_EQ(FocusName(), QStringLiteral("cmdContinue"));
    Press();

    ASSERT_NE(Reach<frmInfoCheck>(), nullptr);
    AltKey('c');

    ASSERT_NE(Reach<frmScorecard>(), nullptr);
    messages.answers = {true};  // "PLEASE CHECK!"
    for (int j = 1; j <= show.judges; ++j) {
        for (int c = 1; c <= 10; ++c) {
            if (show.blooms[c] > 0) {
                ASSERT_EQ(FocusName(), QStringLiteral("txtJudgeScore%1").arg(c));
                Type(ScoreAsTyped(show.scores[j][c], typing));
                Next();
            }
        }
        ASSERT_EQ(FocusName(), QStringLiteral("cmdNextJudge"));
        Press();
    }

    frmSummaryReport *summary = Reach<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    ASSERT_EQ(Shown().size(), 2U);  // "PLEASE CHECK!" and "BALLOTS ARE SECRET", nothing refused
    EXPECT_EQ(Shown()[1].title, QStringLiteral("BALLOTS ARE SECRET"));
    EXPECT_EQ(record.ClubName, QStringLiteral("Seed %1 Dahlia Society").arg(Seed()).toStdString());

    const Expected expected = WorkOut(show);
    const QString result =
        expected.winners == 1 ? QStringLiteral("Best in Show") : QStringLiteral("Best (tie)");
    for (int c = 1; c <= 10; ++c) {
        auto box = [&](const char *row) {
            return Find<QLineEdit>(summary, QStringLiteral("%1%2").arg(QLatin1String(row)).arg(c));
        };
        SCOPED_TRACE(record.CategoryName(c));
        if (show.blooms[c] == 0) {
            EXPECT_FALSE(box("txtScores")->isVisible());
            EXPECT_FALSE(box("txtResult")->isVisible());
            continue;
        }
        EXPECT_EQ(box("txtScores")->text(), QString::number(expected.total[c], 'f', 1));
        EXPECT_EQ(box("txtBlooms")->text(), QStringLiteral(" %1").arg(show.blooms[c]));
        EXPECT_EQ(box("txtStarred")->text(), QStringLiteral(" %1").arg(expected.starred[c]));
        EXPECT_EQ(box("txtResult")->isVisible(), expected.winner[c]);
        if (expected.winner[c]) {
            EXPECT_EQ(box("txtResult")->text(), result);
        }
    }

    messages.answers = {true};
    AltKey('x');
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WholeShowTest,
                         ::testing::Combine(::testing::Range(1U, 17U),
                                            ::testing::Values(kTabAndSpace, kReturn, kKeypadEnter)),
                         [](const auto &info) {
                             return std::string(std::get<1>(info.param).name) + "_" +
                                    std::to_string(std::get<0>(info.param));
                         });

}  // namespace
}  // namespace bis::testing
