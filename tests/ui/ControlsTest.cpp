// The controls the screens are built from: entry boxes and buttons that keep the order "check the
// entry, then act", and the control arrays.
#include <gtest/gtest.h>

#include <QVBoxLayout>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandButton.h"
#include "app/ControlArray.h"
#include "app/TextBox.h"
#include "support/ButtonState.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

// A window with two entry boxes and two buttons. Box "first" refuses the text "bad" the way the
// screens do: it empties itself and takes the focus back. Every event is logged in order.
class Panel : public QWidget {
  public:
    Panel() {
        first = new TextBox(this);
        first->setObjectName(QStringLiteral("first"));
        second = new TextBox(this);
        second->setObjectName(QStringLiteral("second"));
        go = new CommandButton(QStringLiteral("&Go"), this);
        go->setObjectName(QStringLiteral("go"));
        other = new CommandButton(QStringLiteral("Other"), this);
        other->setObjectName(QStringLiteral("other"));
        auto *layout = new QVBoxLayout(this);
        for (QWidget *w : std::initializer_list<QWidget *>{first, second, go, other}) {
            layout->addWidget(w);
        }
        QObject::connect(first, &TextBox::LostFocus, this, [this] {
            log.push_back("first lost focus: " + first->text().toStdString());
            if (first->text() == QStringLiteral("bad")) {
                first->clear();
                first->setFocus(Qt::OtherFocusReason);
            }
        });
        QObject::connect(second, &TextBox::LostFocus, this,
                         [this] { log.push_back("second lost focus"); });
        QObject::connect(go, &CommandButton::Click, this, [this] { log.push_back("go"); });
        QObject::connect(other, &CommandButton::Click, this, [this] { log.push_back("other"); });
        first->setFocus();
    }

    TextBox *first;
    TextBox *second;
    CommandButton *go;
    CommandButton *other;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

class EntryAndButtonTest : public ScreenTest {
  protected:
    void SetUp() override { Activate(&panel); }
    Panel panel;
};

TEST_F(EntryAndButtonTest, TabLeavingABoxFiresLostFocusEvenWithTheTextUnchanged) {
    Tab();
    BackTab();
    Tab();
    EXPECT_EQ(panel.log, (Log{"first lost focus: ", "second lost focus", "first lost focus: "}));
    EXPECT_EQ(Focus(), panel.second);
}

TEST_F(EntryAndButtonTest, ClickingAnotherBoxFiresLostFocus) {
    Type(QStringLiteral("12"));
    Click(panel.second);
    EXPECT_EQ(panel.log, (Log{"first lost focus: 12"}));
    EXPECT_EQ(Focus(), panel.second);
}

TEST_F(EntryAndButtonTest, ClickingAButtonChecksTheEntryBeforeTheButtonActs) {
    Type(QStringLiteral("12"));
    Click(panel.go);
    EXPECT_EQ(panel.log, (Log{"first lost focus: 12", "go"}));
}

TEST_F(EntryAndButtonTest, AccessKeyChecksTheEntryBeforeTheButtonActs) {
    Type(QStringLiteral("12"));
    AltKey('g');
    EXPECT_EQ(panel.log, (Log{"first lost focus: 12", "go"}));
    EXPECT_EQ(Focus(), panel.go);
}

TEST_F(EntryAndButtonTest, SpaceOrReturnOnAFocusedButtonActsOnce) {
    // The keypad's Enter arrives with the keypad modifier.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Space, Qt::NoModifier},
                                                              {Qt::Key_Return, Qt::NoModifier},
                                                              {Qt::Key_Enter, Qt::NoModifier},
                                                              {Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto &[key, modifiers] : keys) {
        panel.log.clear();
        panel.first->setFocus();
        Tab();
        Tab();
        ASSERT_EQ(Focus(), panel.go);
        QTest::keyClick(Focus(), key, modifiers);
        EXPECT_EQ(panel.log, (Log{"first lost focus: ", "second lost focus", "go"})) << key;
    }
}

// A refused entry keeps the focus, and the button that was pressed does not act: the user
// corrects the entry first, whichever way the button was pressed.
TEST_F(EntryAndButtonTest, RefusedEntryStopsAMouseClick) {
    Type(QStringLiteral("bad"));
    Click(panel.go);
    EXPECT_EQ(panel.log, (Log{"first lost focus: bad"}));
    EXPECT_EQ(Focus(), panel.first);
    EXPECT_FALSE(panel.go->isDown());
    // The corrected entry lets the next click through.
    Type(QStringLiteral("5"));
    Click(panel.go);
    EXPECT_EQ(panel.log, (Log{"first lost focus: bad", "first lost focus: 5", "go"}));
}

TEST_F(EntryAndButtonTest, RefusedEntryStopsAnAccessKey) {
    Type(QStringLiteral("bad"));
    AltKey('g');
    EXPECT_EQ(panel.log, (Log{"first lost focus: bad"}));
    EXPECT_EQ(Focus(), panel.first);
}

TEST_F(EntryAndButtonTest, RefusedEntryKeepsTheFocusOnTab) {
    Type(QStringLiteral("bad"));
    Tab();
    EXPECT_EQ(Focus(), panel.first);
    EXPECT_EQ(panel.first->text(), QString());
}

// Return and the keypad's Enter leave a box exactly as Tab does: the entry is checked, a refused
// entry keeps the focus, an accepted one moves it to the next control, and the box keeps its text.
struct MovingKey {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const MovingKey &key, std::ostream *out) {
    *out << key.name;
}

class EnterInABoxTest : public EntryAndButtonTest, public ::testing::WithParamInterface<MovingKey> {
  protected:
    void Press() { QTest::keyClick(Focus(), GetParam().key, GetParam().modifiers); }
};

TEST_P(EnterInABoxTest, MovesOnAsTabDoes) {
    Type(QStringLiteral("bad"));
    Press();
    EXPECT_EQ(Focus(), panel.first);
    Type(QStringLiteral("12"));
    Press();
    EXPECT_EQ(Focus(), panel.second);
    Press();
    EXPECT_EQ(Focus(), panel.go);
    EXPECT_EQ(panel.first->text(), QStringLiteral("12"));
    EXPECT_EQ(panel.log,
              (Log{"first lost focus: bad", "first lost focus: 12", "second lost focus"}));
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterInABoxTest,
                         ::testing::Values(MovingKey{"Tab", Qt::Key_Tab, Qt::NoModifier},
                                           MovingKey{"Return", Qt::Key_Return, Qt::NoModifier},
                                           MovingKey{"KeypadEnter", Qt::Key_Enter,
                                                     Qt::KeypadModifier}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EntryAndButtonTest, SwitchingWindowsIsNotLeavingTheBox) {
    Type(QStringLiteral("12"));
    QWidget elsewhere;
    Activate(&elsewhere);
    EXPECT_TRUE(panel.log.empty());
    // Back in the panel, leaving the box checks it as usual.
    Activate(&panel);
    EXPECT_EQ(Focus(), panel.first);
    Tab();
    EXPECT_EQ(panel.log, (Log{"first lost focus: 12"}));
}

TEST_F(EntryAndButtonTest, ButtonIsShownAndEnabledOrHiddenAndDisabledTogether) {
    panel.other->setAvailable(false);
    EXPECT_FALSE(panel.other->isVisible());
    EXPECT_FALSE(panel.other->isEnabled());
    EXPECT_FALSE(IsAvailable(panel.other));
    panel.other->setAvailable(true);
    EXPECT_TRUE(panel.other->isVisible());
    EXPECT_TRUE(panel.other->isEnabled());
    EXPECT_TRUE(IsAvailable(panel.other));
}

TEST(ControlArrayTest, HoldsIndicesOneToTenAndNoElementZero) {
    QWidget a;
    QWidget b;
    ControlArray<QWidget> controls;
    controls.set(1, &a);
    controls.set(10, &b);
    EXPECT_EQ(&controls(1), &a);
    EXPECT_EQ(&controls(10), &b);
    EXPECT_THROW(controls(0), std::out_of_range);
    EXPECT_THROW(controls(11), std::out_of_range);
    EXPECT_THROW(controls.set(0, &a), std::out_of_range);
}

}  // namespace
}  // namespace bis::testing
