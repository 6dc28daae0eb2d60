// Every kind of entry box against the same awkward inputs, typed or pasted by the user and left
// with Tab. Each row states what the box does with it: the value stored, or the refusal with its
// message, the emptied box, the focus kept and the stored value unchanged.
#include <gtest/gtest.h>

#include <QClipboard>
#include <optional>
#include <ostream>
#include <string>

#include "app/NumberText.h"
#include "ballots/frmScorecard.h"
#include "setup/frmSetUp.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

// One input, and what each box stores for it: nothing when the box refuses it.
struct EntryCase {
    std::string name;
    QString input;
    std::optional<double> judges;  // the number of judges
    std::optional<double> blooms;  // a category's blooms
    std::optional<double> score;   // a judge's score
    bool pasted = false;           // a text a user could only paste (tabs, line breaks)
};

void PrintTo(const EntryCase &c, std::ostream *out) {
    *out << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<EntryCase> &info) {
    return info.param.name;
}

const QString kLongDigits = QString(400, u'9');
const QString kLongZeros = QString(300, u'0') + QStringLiteral("3");

// Prepares the box with an earlier accepted entry, then replaces it with the case's input and
// leaves the box with Tab.
class EntryBoxTest : public ScreenTest {
  protected:
    void Enter(const EntryCase &entry) {
        ClearFocusedBox();
        if (entry.pasted) {
            Paste(entry.input);
        } else {
            Type(entry.input);
        }
        entered = static_cast<QLineEdit *>(Focus())->text();
        messages.whenShown = [this] { textWhenRefused = box->text(); };
        Tab();
    }

    // The entry was refused: the message, the box emptied before it, the focus back in the box.
    void ExpectRefused(const QString &message) {
        EXPECT_EQ(Shown(), std::vector<ShownMessage>{InputError(message)});
        EXPECT_EQ(textWhenRefused, QString());
        EXPECT_EQ(box->text(), QString());
        EXPECT_EQ(Focus(), box);
    }

    // The entry was accepted: no message, the text left as typed, the focus moved on.
    void ExpectAccepted() {
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(box->text(), entered);
        EXPECT_NE(Focus(), box);
    }

    QLineEdit *box = nullptr;
    QString entered;
    QString textWhenRefused = QStringLiteral("(no message)");
};

// Inputs every numeric box meets, with each box's outcome: judges, blooms, score.
constexpr std::nullopt_t kRefused = std::nullopt;
const std::vector<EntryCase> kEntryCases = {
    {"Empty", "", kRefused, 0, 0},
    {"Blanks", "   ", kRefused, 0, 0},
    {"One", "1", 1, 1, 1},
    {"Zero", "0", kRefused, 0, 0},
    {"NegativeZero", "-0", kRefused, 0, 0},
    {"Negative", "-1", kRefused, kRefused, kRefused},
    {"PlusSign", "+3", 3, 3, 3},
    {"TrailingPoint", "3.", 3, 3, 3},
    {"WholeWithDecimal", "4.0", 4, 4, 4},
    {"BlanksAround", "  3  ", 3, 3, 3},
    {"Fraction", "2.5", kRefused, kRefused, 2.5},
    {"PointFive", ".5", kRefused, kRefused, 0.5},
    {"FourPointFive", "4.5", kRefused, kRefused, 4.5},
    {"TrailingZero", "4.50", kRefused, kRefused, 4.5},
    {"FivePointZero", "5.0", 5, 5, 5},
    {"Quarter", "4.25", kRefused, kRefused, kRefused},
    {"AboveFive", "5.5", kRefused, kRefused, kRefused},
    {"Seven", "7", 7, 7, kRefused},
    {"ExponentOne", "1e0", 1, 1, 1},
    {"Exponent308", "1e308", kRefused, kRefused, kRefused},
    {"Exponent400", "1e400", kRefused, kRefused, kRefused},
    {"NotANumber", "nan", kRefused, kRefused, kRefused},
    {"Infinity", "inf", kRefused, kRefused, kRefused},
    {"Hexadecimal", "0x10", kRefused, kRefused, kRefused},
    {"CommaDecimal", "1,5", kRefused, kRefused, kRefused},
    {"DigitGroups", "1 000", kRefused, kRefused, kRefused},
    {"Largest16Bit", "32767", 32767, 32767, kRefused},
    {"Above16Bit", "32768", kRefused, kRefused, kRefused},
    {"Letters", "abc", kRefused, kRefused, kRefused},
    {"Letter", "x", kRefused, kRefused, kRefused},
    {"Tabs", "\t3\t", kRefused, kRefused, kRefused, true},
    {"LongDigits", kLongDigits, kRefused, kRefused, kRefused},
    {"LongLeadingZeros", kLongZeros, 3, 3, 3},
    {"ArabicIndicDigit", QStringLiteral(u"\u0663"), kRefused, kRefused, kRefused},
    {"CyrillicLetters", QStringLiteral(u"\u0442\u0440\u0438"), kRefused, kRefused, kRefused},
    {"DoubleQuote", "\"3\"", kRefused, kRefused, kRefused},
    {"LineBreak", "3\n", kRefused, kRefused, kRefused, true},
};

class JudgesBoxTest : public EntryBoxTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(JudgesBoxTest, StoresTheCountOrRefusesIt) {
    record.Initialise();
    auto *screen = new frmSetUp(context);
    Activate(screen);
    box = Find<QLineEdit>(screen, QStringLiteral("txtJudges"));
    box->setFocus();
    Type(QStringLiteral("7"));
    Tab();
    ASSERT_EQ(record.NumJudges, 7);
    box->setFocus();

    Enter(GetParam());
    if (GetParam().judges) {
        ExpectAccepted();
        EXPECT_EQ(record.NumJudges, *GetParam().judges);
    } else {
        ExpectRefused(kJudgesRefused);
        EXPECT_EQ(record.NumJudges, 7);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, JudgesBoxTest, ::testing::ValuesIn(kEntryCases), CaseName);

class BloomsBoxTest : public EntryBoxTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(BloomsBoxTest, StoresTheCountOrRefusesIt) {
    record.Initialise();
    auto *screen = new frmSetUp(context);
    Activate(screen);
    box = Find<QLineEdit>(screen, QStringLiteral("txtBlooms4"));
    box->setFocus();
    Type(QStringLiteral("6"));
    Tab();
    ASSERT_EQ(record.Blooms(4), 6);
    box->setFocus();

    Enter(GetParam());
    if (GetParam().blooms) {
        ExpectAccepted();
        EXPECT_EQ(record.Blooms(4), *GetParam().blooms);
    } else {
        ExpectRefused(kBloomsRefused);
        EXPECT_EQ(record.Blooms(4), 6);
        // The emptied box, left again, stores 0.
        Tab();
        EXPECT_EQ(record.Blooms(4), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, BloomsBoxTest, ::testing::ValuesIn(kEntryCases), CaseName);

class ScoreBoxTest : public EntryBoxTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(ScoreBoxTest, StoresTheScoreOrRefusesIt) {
    record.Initialise();
    record.NumJudges = 2;
    record.Blooms(3) = 4;
    auto *screen = new frmScorecard(context);
    Activate(screen);
    box = Find<QLineEdit>(screen, QStringLiteral("txtJudgeScore3"));
    auto *total = Find<QLineEdit>(screen, QStringLiteral("txtCumulativeScore3"));
    ASSERT_EQ(Focus(), box);
    Type(QStringLiteral("3"));
    Tab();
    ASSERT_EQ(record.Scores(1, 3), 3.0);
    box->setFocus();

    Enter(GetParam());
    if (GetParam().score) {
        ExpectAccepted();
        EXPECT_EQ(record.Scores(1, 3), *GetParam().score);
        EXPECT_EQ(record.Scores(0, 3), *GetParam().score);
        EXPECT_EQ(total->text(), QString::fromStdString(ScoreText(*GetParam().score)));
    } else {
        ExpectRefused(kScoreRefused);
        EXPECT_EQ(record.Scores(1, 3), 3.0);
        EXPECT_EQ(record.Scores(0, 3), 3.0);
        EXPECT_EQ(total->text(), QStringLiteral("3.0"));
        // The emptied box, left again, stores 0 and lowers the total by the 3.
        Tab();
        EXPECT_EQ(record.Scores(1, 3), 0.0);
        EXPECT_EQ(total->text(), QStringLiteral("0.0"));
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, ScoreBoxTest, ::testing::ValuesIn(kEntryCases), CaseName);

// With a comma as the regional separator, both it and the point are decimal points, and totals
// are shown with the comma.
TEST_F(EntryBoxTest, ScoreTakesTheRegionalSeparatorAndThePoint) {
    platform.decimalSeparator = ',';
    record.Initialise();
    record.NumJudges = 2;
    record.Blooms(1) = 4;
    auto *screen = new frmScorecard(context);
    Activate(screen);
    auto *total = Find<QLineEdit>(screen, QStringLiteral("txtCumulativeScore1"));
    Type(QStringLiteral("1,5"));
    Tab();
    EXPECT_EQ(record.Scores(1, 1), 1.5);
    EXPECT_EQ(total->text(), QStringLiteral("1,5"));
    Space();  // Next Judge
    Type(QStringLiteral("2.5"));
    Tab();
    EXPECT_EQ(record.Scores(2, 1), 2.5);
    EXPECT_EQ(total->text(), QStringLiteral("4,0"));
    EXPECT_TRUE(Shown().empty());
}

// The three text boxes of the set-up screen keep out what a show file cannot hold: typing or
// pasting such a character has no effect. Everything else is stored exactly as typed.
struct TextCase {
    std::string name;
    QString input;
    QString stored;
    bool pasted = false;
};

void PrintTo(const TextCase &c, std::ostream *out) {
    *out << c.name;
}

const std::vector<TextCase> kTextCases = {
    {"Plain", "Hometown Dahlia Society", "Hometown Dahlia Society"},
    {"Empty", "", ""},
    {"BlanksKept", "  padded  ", "  padded  "},
    {"Digits", "1e400", "1e400"},
    {"Signs", "+3 -0 .5", "+3 -0 .5"},
    {"Windows1252Letters", QStringLiteral(u"Caf\u00e9 \u20ac5 \u00bd"),
     QStringLiteral(u"Caf\u00e9 \u20ac5 \u00bd")},
    {"TypedDoubleQuote", "Club \"A\"", "Club A"},
    {"PastedDoubleQuote", "\"quoted\"", "", true},
    {"PastedLineBreak", "line\nbreak", "", true},
    {"PastedCarriageReturn", "line\rbreak", "", true},
    {"TypedNonLatinLetters", QStringLiteral(u"\u03a9mega \u0442\u0440\u0438"), "mega "},
    {"PastedNonLatinLetters", QStringLiteral(u"\u03a9mega"), "", true},
    {"PastedTab", "tab\there", "tab\there", true},
    {"VeryLong", QString(2000, u'x'), QString(2000, u'x')},
};

struct TextBoxUnderTest {
    const char *box;
    std::string ShowRecord::*field;
};

void PrintTo(const TextBoxUnderTest &under, std::ostream *out) {
    *out << under.box;
}

class ShowTextBoxTest
    : public EntryBoxTest,
      public ::testing::WithParamInterface<std::tuple<TextBoxUnderTest, TextCase>> {};

TEST_P(ShowTextBoxTest, StoresTheTextAsTypedWithoutWhatAShowFileCannotHold) {
    const auto &[under, entry] = GetParam();
    record.Initialise();
    auto *screen = new frmSetUp(context);
    Activate(screen);
    box = Find<QLineEdit>(screen, QString::fromLatin1(under.box));
    box->setFocus();
    if (entry.pasted) {
        Paste(entry.input);
    } else {
        Type(entry.input);
    }
    Tab();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(box->text(), entry.stored);
    EXPECT_EQ(QString::fromStdString(record.*under.field), entry.stored);
    EXPECT_NE(Focus(), box);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ShowTextBoxTest,
    ::testing::Combine(::testing::Values(TextBoxUnderTest{"txtClubName", &ShowRecord::ClubName},
                                         TextBoxUnderTest{"txtLocation", &ShowRecord::ShowLocation},
                                         TextBoxUnderTest{"txtShowDate", &ShowRecord::ShowDate}),
                       ::testing::ValuesIn(kTextCases)),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).box) + "_" + std::get<1>(info.param).name;
    });

}  // namespace
}  // namespace bis::testing
