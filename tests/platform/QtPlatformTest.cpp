// The Qt implementations of the platform that stand between the screens and the user: the
// regional decimal separator, the message boxes and the end of the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <ostream>
#include <string>

#include "platform/DecimalSeparator.h"
#include "platform/QtMessages.h"
#include "platform/QtProgramEnd.h"
#include "support/VisibleWindows.h"

namespace bis::testing {
namespace {

struct SeparatorCase {
    const char *name;
    QLocale locale;
    char separator;
};

void PrintTo(const SeparatorCase &c, std::ostream *out) {
    *out << c.name;
}

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
        // What a screen reader finds: the box's name and the names under it.
        QString accessibleName;
        QStringList accessibleTexts;
    };

    static void CollectNames(QAccessibleInterface *iface, QStringList &names) {
        for (int i = 0; i < iface->childCount(); ++i) {
            names << iface->child(i)->text(QAccessible::Name);
            CollectNames(iface->child(i), names);
        }
    }

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
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
        seen.accessibleName = iface->text(QAccessible::Name);
        CollectNames(iface, seen.accessibleTexts);
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
    // A screen reader announces the title and reads the text as it stands.
    EXPECT_EQ(seen.accessibleName, QStringLiteral("Set Up "));
    EXPECT_TRUE(seen.accessibleTexts.contains(QStringLiteral("<b>not bold</b>")));
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
