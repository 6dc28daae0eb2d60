// The platform layer under the screens: entry boxes and buttons that keep the order "check the
// entry, then act", the control arrays, the regional decimal separator, and the Qt message boxes
// and program end.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/DecimalSeparator.h"
#include "platform/QtMessages.h"
#include "platform/QtProgramEnd.h"
#include "platform/TextBox.h"
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
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        panel.log.clear();
        panel.first->setFocus();
        Tab();
        Tab();
        ASSERT_EQ(Focus(), panel.go);
        QTest::keyClick(Focus(), key);
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
    EXPECT_FALSE(panel.other->isAvailable());
    panel.other->setAvailable(true);
    EXPECT_TRUE(panel.other->isVisible());
    EXPECT_TRUE(panel.other->isEnabled());
    EXPECT_TRUE(panel.other->isAvailable());
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

struct SeparatorCase {
    const char *name;
    QLocale locale;
    char separator;
};

class DecimalSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(DecimalSeparatorTest, IsTheLocalesOneWhenItIsASingleWindows1252Character) {
    EXPECT_EQ(RegionalDecimalSeparator(GetParam().locale), GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DecimalSeparatorTest,
    ::testing::Values(
        SeparatorCase{"C", QLocale::c(), '.'},
        SeparatorCase{"UnitedStates", QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        SeparatorCase{"Germany", QLocale(QLocale::German, QLocale::Germany), ','},
        SeparatorCase{"France", QLocale(QLocale::French, QLocale::France), ','},
        // The Arabic decimal separator is not in Windows-1252.
        SeparatorCase{"SaudiArabia", QLocale(QLocale::Arabic, QLocale::SaudiArabia), '.'}),
    [](const auto &info) { return std::string(info.param.name); });

// The real message boxes, answered from a timer as a user would answer them with the keyboard.
class QtMessagesTest : public ::testing::Test {
  protected:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Information;
        QStringList buttons;
        QString defaultButton;
        int buttonIcons = 0;
    };

    // Looks at the modal box once it is up, then presses the key on it.
    void AnswerWith(Qt::Key key) {
        QTimer::singleShot(0, [this, key] { Answer(key); });
    }

    void Answer(Qt::Key key) {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(10, [this, key] { Answer(key); });
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton *button : box->buttons()) {
            seen.buttons << button->text().remove(u'&');
            seen.buttonIcons += button->icon().isNull() ? 0 : 1;
        }
        seen.buttons.sort();
        if (box->defaultButton() != nullptr) {
            seen.defaultButton = box->defaultButton()->text().remove(u'&');
        }
        QTest::keyClick(box, key);
    }

    QtMessages messages;
    Seen seen;
};

TEST_F(QtMessagesTest, NoticeHasTheExactTitleAndTextAnOkButtonAndNoIcon) {
    AnswerWith(Qt::Key_Return);
    messages.notice(nullptr, QStringLiteral("Set Up "), QStringLiteral("<b>not bold</b>"));
    EXPECT_EQ(seen.title, QStringLiteral("Set Up "));
    EXPECT_EQ(seen.text, QStringLiteral("<b>not bold</b>"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(VisibleWindowCount(), 0);
}

TEST_F(QtMessagesTest, QuestionHasYesAndNoAndReturnAnswersYes) {
    AnswerWith(Qt::Key_Return);
    EXPECT_TRUE(messages.ask(nullptr, QStringLiteral("WARNING!"), QStringLiteral("Exit?")));
    EXPECT_EQ(seen.title, QStringLiteral("WARNING!"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
    EXPECT_EQ(seen.defaultButton, QStringLiteral("Yes"));
    EXPECT_EQ(seen.buttonIcons, 0);
    EXPECT_EQ(VisibleWindowCount(), 0);
}

TEST_F(QtMessagesTest, EscapeAnswersNo) {
    AnswerWith(Qt::Key_Escape);
    EXPECT_FALSE(messages.ask(nullptr, QStringLiteral("WARNING!"), QStringLiteral("Exit?")));
}

// A window that notes whether its close handler ran.
class ClosingWindow : public QWidget {
  public:
    bool closeHandlerRan = false;

  protected:
    void closeEvent(QCloseEvent *event) override {
        closeHandlerRan = true;
        event->ignore();
    }
};

TEST(QtProgramEndTest, HidesEveryWindowWithoutItsCloseHandlerAndLeavesTheEventLoop) {
    ClosingWindow first;
    ClosingWindow second;
    first.show();
    second.show();
    QtProgramEnd programEnd;
    QTimer::singleShot(0, [&programEnd] { programEnd.endProgram(); });
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    failsafe.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(second.isVisible());
    EXPECT_FALSE(first.closeHandlerRan);
    EXPECT_FALSE(second.closeHandlerRan);
}

}  // namespace
}  // namespace bis::testing
