// The real screens under a long run of random events: digits, points and commas, letters, Tab,
// Shift+Tab, Space, Return, the keypad's Enter, Escape, Backspace, the screens' Alt access keys,
// clicks on visible buttons and boxes, and the window's close control. Questions are answered at
// random, file dialogs give random names in a temporary folder (or are cancelled), and the files
// are written by the real file system. The run goes from the introduction screen to the end of
// the program, then starts again with a new introduction screen, as a new start of the program
// would. After every event the program's rules are checked; the first breach stops the run and
// reports the events that led to it. A run that never reaches the scorecard, or never tabulates a
// show from it to the summary, fails too.
//
// The normal suite runs one fixed seed. A longer run chooses its own:
//     BESTINSHOW_SOAK_SEEDS=1,2,7-12 BESTINSHOW_SOAK_EVENTS=1000000 build/soak_tests
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandButton.h"
#include "app/TextBox.h"
#include "app/frmIntro.h"
#include "ballots/frmScorecard.h"
#include "platform/LocalFileSystem.h"
#include "setup/frmInfoCheck.h"
#include "setup/frmSetUp.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"
#include "tabulation/Tabulation.h"
#include "tabulation/frmSummaryReport.h"

namespace bis::testing {
namespace {

using Random = std::mt19937_64;

int Below(Random &random, int n) {
    return static_cast<int>(random() % static_cast<std::uint64_t>(n));
}

bool OneIn(Random &random, int n) {
    return Below(random, n) == 0;
}

// Questions answered by the generator. The question before the program ends is answered Yes
// only now and then, so that a show gets far before it is given up.
class RandomMessages : public Messages {
  public:
    explicit RandomMessages(Random &random) : random_(random) {}

    void notice(QWidget *, const QString &, const QString &) override { ++notices; }
    bool ask(QWidget *, const QString &title, const QString &) override {
        ++questions;
        return title == QStringLiteral("WARNING!") ? OneIn(random_, 10) : OneIn(random_, 2);
    }

    long notices = 0;
    long questions = 0;

  private:
    Random &random_;
};

// File dialogs that answer with a random name in the folder: a file that exists, a new name with
// or without its suffix, a name in a folder that does not exist, the folder itself, an empty
// name, leading blanks or a NUL character; or they are cancelled.
class RandomFileDialogs : public FileDialogs {
  public:
    RandomFileDialogs(Random &random, QString folder) : random_(random), folder_(folder) {}

    std::optional<QString> chooseFileToOpen(QWidget *, const FileDialogRequest &) override {
        return Choose();
    }
    std::optional<QString> chooseFileToSave(QWidget *, const FileDialogRequest &) override {
        return Choose();
    }

  private:
    std::optional<QString> Choose() {
        static const QStringList kNames = {"clear_win.oxl",   "tie_of_three.oxl",
                                           "old_version.oxl", "broken.oxl",
                                           "notes.txt",       "show",
                                           "show.oxl",        "report.txt",
                                           "report",          "table.csv",
                                           "table.CSV",       " blank first.oxl",
                                           "missing/x.oxl",   QStringLiteral("nul\0.oxl")};
        const int pick = Below(random_, static_cast<int>(kNames.size()) + 4);
        switch (pick - static_cast<int>(kNames.size())) {
            case 0:
                return std::nullopt;
            case 1:
                return QString();
            case 2:
                return folder_;
            case 3:
                return QStringLiteral("   ") + folder_ + QStringLiteral("/spaced.oxl");
            default:
                return folder_ + u'/' + kNames[pick];
        }
    }

    Random &random_;
    QString folder_;
};

// A printer that prints, or fails in one of its ways, at random; it keeps nothing.
class RandomPrinter : public Printer {
  public:
    explicit RandomPrinter(Random &random) : random_(random) {}

    PrintFailure print(const PrintedReport &) override {
        switch (Below(random_, 4)) {
            case 0:
                return {PrintFailure::Kind::NotAvailable, {}};
            case 1:
                return {PrintFailure::Kind::PrinterError, {}};
            case 2:
                return {PrintFailure::Kind::Other, QStringLiteral("Out of paper")};
            default:
                return {};
        }
    }

  private:
    Random &random_;
};

// Reads every file under the folder and its subfolders, hidden ones included, by path.
std::map<QString, QByteArray> FilesIn(const QString &folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = testing::FileBytes(path);
    }
    return files;
}

// Tells whether anything in a folder changed: a file written, created, removed, renamed or given
// other attributes. Reading a file is no change.
class FolderWatch {
  public:
    explicit FolderWatch(const QString &folder)
        : descriptor_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (descriptor_ >= 0) {
            watch_ = ::inotify_add_watch(descriptor_, QFile::encodeName(folder).constData(),
                                         IN_ALL_EVENTS & ~(IN_ACCESS | IN_OPEN | IN_CLOSE_NOWRITE));
        }
    }
    ~FolderWatch() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    // True when something changed since the last call, and always when the folder cannot be
    // watched.
    bool Changed() {
        if (descriptor_ < 0 || watch_ < 0) {
            return true;
        }
        bool changed = false;
        alignas(inotify_event) char buffer[4096];
        while (::read(descriptor_, buffer, sizeof buffer) > 0) {
            changed = true;
        }
        return changed;
    }

  private:
    int descriptor_;
    int watch_ = -1;
};

// The settings of a run: the environment's, or the fixed seed and event count of the suite.
struct SoakSettings {
    std::vector<std::uint64_t> seeds;
    long events = 0;
};

SoakSettings ReadSettings() {
    SoakSettings settings{{20240817U}, 20000};
    if (const char *events = std::getenv("BESTINSHOW_SOAK_EVENTS"); events != nullptr) {
        settings.events = std::strtol(events, nullptr, 10);
    }
    if (const char *seeds = std::getenv("BESTINSHOW_SOAK_SEEDS"); seeds != nullptr) {
        settings.seeds.clear();
        for (const QString &item : QString::fromLatin1(seeds).split(u',', Qt::SkipEmptyParts)) {
            const QStringList range = item.split(u'-');
            const std::uint64_t first = range.front().toULongLong();
            const std::uint64_t last = range.back().toULongLong();
            for (std::uint64_t seed = first; seed <= last; ++seed) {
                settings.seeds.push_back(seed);
            }
        }
    }
    return settings;
}

// The kinds of event, and how likely each is (out of kWeightTotal) with the focus in an entry
// box and elsewhere.
enum class Event {
    Digit,
    Mark,  // "." or ","
    Letter,
    Tab,
    BackTab,
    Space,
    Return,
    KeypadEnter,
    Escape,
    Backspace,
    AccessKey,
    ClickButton,
    ClickBox,
    Close,  // the window's close control
};
constexpr int kWeightTotal = 100;
constexpr std::array<int, 14> kWhileTyping = {36, 4, 3, 12, 3, 2, 12, 6, 1, 5, 6, 4, 5, 1};
constexpr std::array<int, 14> kElsewhere = {8, 2, 2, 15, 5, 14, 14, 6, 2, 2, 14, 9, 6, 1};
static_assert(std::accumulate(kWhileTyping.begin(), kWhileTyping.end(), 0) == kWeightTotal);
static_assert(std::accumulate(kElsewhere.begin(), kElsewhere.end(), 0) == kWeightTotal);

// The folder for the run's files lies in memory where the system offers that: each file the
// program writes is synchronised to its disk, which on a real disk would take most of the run.
QString FolderTemplate() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString parent =
        memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return parent + QStringLiteral("/bestinshow-soak-XXXXXX");
}

// One run of one seed.
class Soak {
  public:
    explicit Soak(std::uint64_t seed) : seed_(seed), random_(seed) {}
    ~Soak() { Screen::DeleteAll(); }

    // Runs the events; the description of the first breach, or nothing.
    std::optional<std::string> Run(long events) {
        if (!folder_.isValid() || !SeedFolder()) {
            return "the temporary folder could not be prepared";
        }
        files_ = FilesIn(folder_.path());
        Start();
        for (event_ = 0; event_ < events; ++event_) {
            Screen *screen = ShownScreens().value(0);
            QString what;
            try {
                what = Send(screen);
            } catch (const std::exception &error) {
                return Report(std::string("exception: ") + error.what());
            }
            log_.push_back(what);
            if (log_.size() > 40) {
                log_.pop_front();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (auto breach = Breach()) {
                return Report(*breach);
            }
            if (programEnd_.ended > 0) {
                Screen::DeleteAll();
                Start();
            } else {
                NoteScreen(ShownScreens().front());
            }
        }
        // The rules of the scorecard and the summary hold only if the run got there: a run that
        // stays on the first screens checks almost nothing.
        if (reached_.at("frmScorecard") == 0) {
            return Report("the run never reached the scorecard");
        }
        if (tabulated_ == 0) {
            return Report("the run never tabulated a show from the scorecard to the summary");
        }
        return std::nullopt;
    }

    std::string Summary() const {
        std::ostringstream out;
        out << "seed " << seed_ << ": " << event_ << " events, " << rounds_ << " starts, "
            << reached_.at("frmSetUp") << " set-ups, " << reached_.at("frmScorecard")
            << " scorecards, " << reached_.at("frmSummaryReport") << " summaries (" << tabulated_
            << " from a scorecard), " << messages_.notices << " notices, " << messages_.questions
            << " questions, " << files_.size() << " files in the folder";
        return out.str();
    }

  private:
    bool SeedFolder() {
        const QString data = QStringLiteral(BESTINSHOW_TEST_DATA_DIR) + u'/';
        const QString here = folder_.path() + u'/';
        bool copied = QFile::copy(data + "clear_win.oxl", here + "clear_win.oxl") &&
                      QFile::copy(data + "tie_of_three.oxl", here + "tie_of_three.oxl") &&
                      QFile::copy(data + "version_02_10.oxl", here + "old_version.oxl");
        for (const auto &[name, bytes] :
             {std::pair{"broken.oxl", "\"Version 02.30\"\r\nnot a show"},
              std::pair{"notes.txt", "Keep these notes.\r\n"}}) {
            QFile file(here + QString::fromLatin1(name));
            copied = copied && file.open(QIODevice::NewOnly) && file.write(bytes) > 0;
        }
        return copied;
    }

    void Start() {
        ++rounds_;
        current_ = nullptr;
        currentName_.clear();
        programEnd_.ended = 0;
        auto *intro = new frmIntro(context_);
        intro->ShowScreen();
        NoteScreen(intro);
    }

    // Counts each screen as it comes up and makes it the active window, as a user's click on it
    // would.
    void NoteScreen(Screen *screen) {
        if (screen != current_) {
            const std::string name = QString::fromLatin1(screen->metaObject()->className())
                                         .section(QStringLiteral("::"), -1)
                                         .toStdString();
            ++reached_[name];
            tabulated_ += currentName_ == "frmScorecard" && name == "frmSummaryReport" ? 1 : 0;
            current_ = screen;
            currentName_ = name;
        }
        if (QApplication::activeWindow() != screen) {
            screen->activateWindow();
            QCoreApplication::processEvents();
            if (QApplication::activeWindow() != screen) {
                (void)QTest::qWaitForWindowActive(screen);
            }
        }
    }

    static QList<Screen *> ShownScreens() {
        QList<Screen *> shown;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<Screen *>(window); screen && screen->isVisible()) {
                shown.append(screen);
            }
        }
        return shown;
    }

    template <typename Control>
    QList<Control *> Visible(Screen *screen) {
        QList<Control *> visible;
        for (Control *control : screen->findChildren<Control *>()) {
            if (control->isVisible() && control->isEnabled()) {
                visible.append(control);
            }
        }
        return visible;
    }

    // Sends one random event to the shown screen and says what it was. As with a user, what is
    // likely depends on where the focus is: in an entry box mostly typing and moving on, on a
    // button mostly pressing or moving.
    QString Send(Screen *screen) {
        QWidget *target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : static_cast<QWidget *>(screen);
        const bool typing = qobject_cast<TextBox *>(target) != nullptr;
        const auto &weights = typing ? kWhileTyping : kElsewhere;
        int roll = Below(random_, kWeightTotal);
        std::size_t kind = 0;
        while (roll >= weights[kind]) {
            roll -= weights[kind];
            ++kind;
        }
        auto key = [target](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(target, key, modifiers);
        };
        switch (static_cast<Event>(kind)) {
            case Event::Digit: {
                const char digit = static_cast<char>('0' + Below(random_, 10));
                QTest::keyClick(target, digit);
                return QString(QChar(digit));
            }
            case Event::Mark: {
                const char mark = OneIn(random_, 2) ? '.' : ',';
                QTest::keyClick(target, mark);
                return QString(QChar(mark));
            }
            case Event::Letter: {
                const char letter = static_cast<char>('a' + Below(random_, 26));
                QTest::keyClick(target, letter);
                return QString(QChar(letter));
            }
            case Event::Tab:
                key(Qt::Key_Tab);
                return QStringLiteral("Tab");
            case Event::BackTab:
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                return QStringLiteral("Shift+Tab");
            case Event::Space:
                key(Qt::Key_Space);
                return QStringLiteral("Space");
            case Event::Return:
                key(Qt::Key_Return);
                return QStringLiteral("Return");
            case Event::KeypadEnter:
                key(Qt::Key_Enter, Qt::KeypadModifier);
                return QStringLiteral("keypad Enter");
            case Event::Escape:
                key(Qt::Key_Escape);
                return QStringLiteral("Escape");
            case Event::Backspace:
                key(Qt::Key_Backspace);
                return QStringLiteral("Backspace");
            case Event::AccessKey: {
                const QChar letter = AccessKey(screen);
                key(static_cast<Qt::Key>(Qt::Key_A + (letter.unicode() - u'a')), Qt::AltModifier);
                return QStringLiteral("Alt+") + letter;
            }
            case Event::ClickButton:
                return ClickOne(Visible<CommandButton>(screen), QStringLiteral("button"));
            case Event::ClickBox:
                return ClickOne(Visible<TextBox>(screen), QStringLiteral("box"));
            case Event::Close:
                break;
        }
        screen->close();
        return QStringLiteral("close ") + screen->objectName();
    }

    // Mostly the access key of one of the screen's buttons, now and then any letter.
    QChar AccessKey(Screen *screen) {
        QString letters;
        for (CommandButton *button : screen->findChildren<CommandButton *>()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
            if (!mnemonic.isEmpty()) {
                letters += QChar(mnemonic[0].key()).toLower();
            }
        }
        if (letters.isEmpty() || OneIn(random_, 5)) {
            letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        }
        return letters[Below(random_, static_cast<int>(letters.size()))];
    }

    template <typename Control>
    QString ClickOne(const QList<Control *> &controls, const QString &kind) {
        if (controls.isEmpty()) {
            return QStringLiteral("no ") + kind + QStringLiteral(" to click");
        }
        Control *control = controls[Below(random_, static_cast<int>(controls.size()))];
        QTest::mouseClick(control, Qt::LeftButton);
        return QStringLiteral("click ") + control->objectName();
    }

    // The first rule the program breaks after the event, if any.
    std::optional<std::string> Breach() {
        const QList<Screen *> shown = ShownScreens();
        if (programEnd_.ended == 0 && shown.size() != 1) {
            return std::to_string(shown.size()) + " screens shown";
        }
        if (auto breach = FilesBreach()) {
            return breach;
        }
        Screen *screen = shown.value(0);
        auto *summary = qobject_cast<frmSummaryReport *>(screen);
        if (qobject_cast<frmScorecard *>(screen) == nullptr && summary == nullptr) {
            return std::nullopt;
        }
        const ShowRecord &record = record_;
        if (record.NumJudges < 1) {
            return "judge count " + std::to_string(record.NumJudges) + " after the check";
        }
        if (record.Scores.lastJudge() < record.NumJudges) {
            return "scores held for fewer judges than NumJudges";
        }
        for (int c = 1; c <= kCategoryCount; ++c) {
            if (!record.Eligible(c)) {
                continue;
            }
            double sum = 0.0;
            for (int judge = 1; judge <= record.NumJudges; ++judge) {
                sum += record.Scores(judge, c);
            }
            if (sum != record.Scores(0, c)) {
                return "total of category " + std::to_string(c) + " is " +
                       std::to_string(record.Scores(0, c)) + ", its scores add up to " +
                       std::to_string(sum);
            }
        }
        if (summary == nullptr) {
            return std::nullopt;
        }
        ShowRecord fresh = record;
        Tabulate(fresh);
        for (int c = 1; c <= kCategoryCount; ++c) {
            auto *result = summary->findChild<QLineEdit *>(QStringLiteral("txtResult%1").arg(c));
            if (fresh.Winner(c) != record.Winner(c) ||
                fresh.StarredEntries(c) != record.StarredEntries(c) ||
                result->isVisible() != (record.Winner(c) == 1)) {
                return "the summary's result of category " + std::to_string(c) +
                       " differs from a fresh tabulation";
            }
        }
        return std::nullopt;
    }

    // Every file that was in the folder still holds its bytes, and no temporary file is left.
    // The bytes are read again whenever anything in the folder changed, and every thousand
    // events in any case.
    std::optional<std::string> FilesBreach() {
        if (!watch_.Changed() && event_ % 1000 != 0) {
            return std::nullopt;
        }
        const std::map<QString, QByteArray> now = FilesIn(folder_.path());
        for (const auto &[path, bytes] : files_) {
            const auto found = now.find(path);
            if (found == now.end()) {
                return "file " + path.toStdString() + " is gone";
            }
            if (found->second != bytes) {
                return "file " + path.toStdString() + " was changed";
            }
        }
        for (const auto &[path, bytes] : now) {
            if (path.contains(QStringLiteral("/.bestinshow-"))) {
                return "temporary file " + path.toStdString() + " left behind";
            }
        }
        files_ = now;
        return std::nullopt;
    }

    std::string Report(const std::string &breach) const {
        std::ostringstream out;
        out << "seed " << seed_ << ", event " << event_ << " (start " << rounds_ << "): " << breach
            << "\nthe last events:";
        for (const QString &what : log_) {
            out << ' ' << what.toStdString() << ';';
        }
        return out.str();
    }

    std::uint64_t seed_;
    Random random_;
    QTemporaryDir folder_{FolderTemplate()};
    FolderWatch watch_{folder_.path()};
    RandomMessages messages_{random_};
    FakeProgramEnd programEnd_;
    RandomFileDialogs fileDialogs_{random_, folder_.path()};
    LocalFileSystem fileSystem_;
    RandomPrinter printer_{random_};
    Platform platform_{messages_, programEnd_, fileDialogs_, fileSystem_, printer_, '.'};
    ShowRecord record_;
    ScreenContext context_{record_, platform_};

    std::map<QString, QByteArray> files_;
    std::deque<QString> log_;
    long event_ = 0;
    long rounds_ = 0;
    Screen *current_ = nullptr;
    std::string currentName_;
    long tabulated_ = 0;
    std::map<std::string, long> reached_{{"frmIntro", 0},
                                         {"frmSetUp", 0},
                                         {"frmInfoCheck", 0},
                                         {"frmScorecard", 0},
                                         {"frmSummaryReport", 0}};
};

TEST(SoakTest, RandomEventsBreakNoRuleOfTheProgram) {
    const SoakSettings settings = ReadSettings();
    ASSERT_FALSE(settings.seeds.empty());
    for (const std::uint64_t seed : settings.seeds) {
        Soak soak(seed);
        const auto breach = soak.Run(settings.events);
        std::cout << soak.Summary() << std::endl;
        ASSERT_FALSE(breach) << *breach;
    }
}

}  // namespace
}  // namespace bis::testing
