// What a screen reader finds on each screen. The tree of accessible interfaces under the window is
// walked as an assistive technology walks it, from the window's interface down through its
// children, so a control added later without a name fails here without this test knowing of it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/frmIntro.h"
#include "ballots/frmScorecard.h"
#include "setup/frmInfoCheck.h"
#include "setup/frmSetUp.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

// The ballots a screen is opened with.
enum class Ballots {
    OneEligible,  // only MINIATURE has blooms; it wins alone
    TenEligible,  // every category has blooms; SPIDER wins alone
    Tie,          // every category has blooms and the same total: all ten tie
};

// Three judges, each deducting half a point from every eligible category except the winner's.
void FillRecord(ShowRecord &record, Ballots ballots) {
    record.Initialise();
    record.NumJudges = 3;
    record.Scores.allocate(3);
    record.BallotEntered.allocate(3);
    for (int c = 1; c <= kCategoryCount; ++c) {
        const bool eligible = ballots != Ballots::OneEligible || c == 4;
        record.Blooms(c) = eligible ? 2 : 0;
        const bool wins = ballots == Ballots::Tie || (ballots == Ballots::TenEligible && c == 6);
        for (int j = 1; j <= 3; ++j) {
            record.Scores(j, c) = eligible && !wins ? 0.5 : 0.0;
            record.Scores(0, c) += record.Scores(j, c);
        }
    }
}

struct ScreenCase {
    std::string name;
    Ballots ballots;
    // Opens the screen on the record; the set-up screen the information check needs is made
    // here too.
    std::function<Screen *(ScreenContext &)> open;
    // The button then pressed to bring the screen into the state to look at, if any.
    QString press = {};
};

void PrintTo(const ScreenCase &screenCase, std::ostream *out) {
    *out << screenCase.name;
}

// A control a screen reader reaches, as the walk found it.
struct Reached {
    QAccessible::Role role;
    QString name;
    QString objectName;
};

// The roles that must carry a name: everything a user reads a value from or acts on, and the
// panels that group them.
bool MustBeNamed(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Window:
        case QAccessible::EditableText:
        case QAccessible::StaticText:
        case QAccessible::List:
        case QAccessible::ListItem:
        case QAccessible::PushButton:
        case QAccessible::Border:
        case QAccessible::Grouping:
            return true;
        default:
            return false;
    }
}

// Every visible interface under (and with) the given one, depth first.
void Walk(QAccessibleInterface *iface, std::vector<Reached> &reached) {
    if (iface == nullptr || iface->state().invisible) {
        return;
    }
    const QObject *object = iface->object();
    reached.push_back({iface->role(), iface->text(QAccessible::Name),
                       object != nullptr ? object->objectName() : QString()});
    for (int i = 0; i < iface->childCount(); ++i) {
        Walk(iface->child(i), reached);
    }
}

class AccessibilityTest : public ScreenTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(AccessibilityTest, EveryVisibleControlHasANameThatSaysWhatItHolds) {
    FillRecord(record, GetParam().ballots);
    Screen *screen = GetParam().open(context);
    ASSERT_NE(screen, nullptr);
    screen->ShowScreen();
    Activate(screen);
    if (!GetParam().press.isEmpty()) {
        Click(Find<CommandButton>(screen, GetParam().press));
    }

    std::vector<Reached> reached;
    Walk(QAccessible::queryAccessibleInterface(screen), reached);
    ASSERT_FALSE(reached.empty());

    // A box of one category, such as txtScores7, is named after its category first.
    const QRegularExpression categoryBox(QStringLiteral("^txt[A-Za-z]+?(10|[1-9])$"));
    QSet<QString> boxNames;
    QSet<QString> reachedObjects;
    for (const Reached &control : reached) {
        SCOPED_TRACE(control.objectName.toStdString() + " (role " +
                     std::to_string(static_cast<int>(control.role)) + ")");
        reachedObjects.insert(control.objectName);
        if (MustBeNamed(control.role)) {
            EXPECT_FALSE(control.name.trimmed().isEmpty());
        }
        // A frame inside the window would be taken for a window of its own.
        EXPECT_TRUE(control.role != QAccessible::Border);
        if (control.role != QAccessible::EditableText && control.role != QAccessible::List) {
            continue;
        }
        EXPECT_FALSE(boxNames.contains(control.name)) << "two boxes share the name";
        boxNames.insert(control.name);
        if (const auto match = categoryBox.match(control.objectName); match.hasMatch()) {
            const QString category =
                QString::fromStdString(record.CategoryName(match.captured(1).toInt()));
            EXPECT_TRUE(control.name.startsWith(category + u' ')) << control.name.toStdString();
        }
    }

    // The walk reached every box, list and button the user can see.
    for (QWidget *widget : screen->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLineEdit *>(widget) != nullptr ||
                             qobject_cast<QAbstractItemView *>(widget) != nullptr ||
                             qobject_cast<QAbstractButton *>(widget) != nullptr;
        if (control && widget->isVisible()) {
            EXPECT_TRUE(reachedObjects.contains(widget->objectName()))
                << widget->objectName().toStdString();
        }
    }
}

Screen *OpenSetUp(ScreenContext &context) {
    return new frmSetUp(context);
}

Screen *OpenInfoCheck(ScreenContext &context) {
    return new frmInfoCheck(context, *new frmSetUp(context));
}

Screen *OpenScorecard(ScreenContext &context) {
    return new frmScorecard(context);
}

Screen *OpenSummary(ScreenContext &context) {
    return new frmSummaryReport(context);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, AccessibilityTest,
    ::testing::Values(ScreenCase{"Introduction", Ballots::OneEligible,
                                 [](ScreenContext &context) -> Screen * {
                                     return new frmIntro(context);
                                 }},
                      ScreenCase{"SetUp", Ballots::TenEligible, OpenSetUp},
                      ScreenCase{"InfoCheckOneEligible", Ballots::OneEligible, OpenInfoCheck},
                      ScreenCase{"InfoCheckTenEligible", Ballots::TenEligible, OpenInfoCheck},
                      ScreenCase{"ScorecardOneEligible", Ballots::OneEligible, OpenScorecard},
                      // At the second judge every button of the scorecard is shown.
                      ScreenCase{"ScorecardTenEligibleSecondJudge", Ballots::TenEligible,
                                 OpenScorecard, "cmdNextJudge"},
                      ScreenCase{"SummaryOneEligible", Ballots::OneEligible, OpenSummary},
                      ScreenCase{"SummaryTenEligible", Ballots::TenEligible, OpenSummary},
                      ScreenCase{"SummaryTie", Ballots::Tie, OpenSummary}),
    [](const auto &info) { return info.param.name; });

}  // namespace
}  // namespace bis::testing
