// The built program on a virtual display, driven through whole shows with the keyboard and
// killed with SIGKILL at random moments, started again, answered Yes and driven on: every run's
// files must equal those of a run that never stopped, the question must come exactly when a
// journal holds a show, never after the show was saved, and the continued show must hold every
// score the driver saw accepted before the kill: a score whose box the focus left, as a screen
// reader tells it. The journal is read right after each kill, before the program starts again and
// takes it up or removes it. BESTINSHOW_KILLS sets how many kills
// (50 by default). With BESTINSHOW_STOP_WINE naming the Windows program, that program runs under
// Wine instead (the caller sets up the prefix and its environment), and BESTINSHOW_STOP_DATA names
// the user's local data folder in the prefix (%LOCALAPPDATA%).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <optional>
#include <random>
#include <utility>

#include "files/Journal.h"
#include "support/QStringPrinter.h"

namespace bis {
namespace {

const QString kProgram = QStringLiteral(BESTINSHOW_PROGRAM);

// The Windows program to run under Wine instead of the built one; empty for the built one.
QString WindowsProgram() {
    return qEnvironmentVariable("BESTINSHOW_STOP_WINE");
}

// A path of this machine as the program types it into a file dialog: under Wine the root is Z:.
QString ProgramPath(const QString &path) {
    if (WindowsProgram().isEmpty()) {
        return path;
    }
    return QStringLiteral("Z:") + QString(path).replace(u'/', u'\\');
}

// Runs xdotool and gives what it printed, or nothing when it failed; a command that does not end
// in time fails the test.
std::optional<QString> TryXdo(const QStringList &arguments) {
    QProcess xdo;
    xdo.start(QStringLiteral("xdotool"), arguments);
    if (!xdo.waitForFinished(20000)) {
        xdo.kill();
        xdo.waitForFinished();
        ADD_FAILURE() << "xdotool " << arguments.join(u' ').toStdString() << " did not end";
        return std::nullopt;
    }
    QString out = QString::fromLocal8Bit(xdo.readAllStandardOutput());
    out.chop(out.endsWith(u'\n') ? 1 : 0);
    return xdo.exitCode() == 0 ? std::optional<QString>(out) : std::nullopt;
}

QString Xdo(const QStringList &arguments) {
    return TryXdo(arguments).value_or(QString());
}

// Where the program's focus is, as a screen reader finds it: a session bus and an accessibility
// bus of the test's own, which the program joins, and the name of the control whose state says it
// has the focus. The program tells it only once the handlers of the keys before have returned, so
// a focus that left a score box is a score the program accepted. Wine has no such bus: there
// nothing is seen.
class FocusWatch {
  public:
    void Start(QProcessEnvironment &environment) {
        // The bus connections live on the application's threads.
        static int argc = 1;
        static char name[] = "stop_tests";
        static char *argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
        session_.start(QStringLiteral("dbus-daemon"),
                       {"--session", "--nofork", "--nopidfile", "--print-address=1"});
        if (!session_.waitForReadyRead(10000)) {
            ADD_FAILURE() << "no session bus: " << session_.readAllStandardError().toStdString();
            return;
        }
        address_ = QString::fromLocal8Bit(session_.readLine()).trimmed();
        QProcessEnvironment busEnvironment = QProcessEnvironment::systemEnvironment();
        busEnvironment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        launcher_.setProcessEnvironment(busEnvironment);
        launcher_.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                        {"--launch-immediately"});
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), "1");
        environment.insert(QStringLiteral("QT_ACCESSIBILITY"), "1");
    }
    ~FocusWatch() {
        bus_ = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(Name("accessibility"));
        QDBusConnection::disconnectFromBus(Name("session"));
        for (QProcess *process : {&launcher_, &session_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // The accessible name of the control that has the focus; empty when none is found.
    QString Focused() {
        if (!bus_.isConnected()) {
            QDBusConnection session = QDBusConnection::connectToBus(address_, Name("session"));
            const QDBusReply<QString> address = session.call(QDBusMessage::createMethodCall(
                "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
            if (!address.isValid()) {
                return {};
            }
            bus_ = QDBusConnection::connectToBus(address.value(), Name("accessibility"));
        }
        return Search("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root");
    }

  private:
    // A connection's name, this watch's own: each test has buses of its own.
    QString Name(const char *bus) const { return QString::fromLatin1(bus) + address_; }

    // The name of the focused object at or under the accessible object of that bus name and path.
    QString Search(const QString &service, const QString &path, int depth = 0) {
        // Plain calls: an interface object would ask for and keep the object's description, which
        // the leak checker finds still held at the end.
        const auto call = [&](const char *interface, const char *method) {
            return QDBusMessage::createMethodCall(service, path, interface, method);
        };
        const QDBusReply<QList<uint>> state =
            bus_.call(call("org.a11y.atspi.Accessible", "GetState"));
        constexpr uint kFocused = 1U << 12;
        if (state.isValid() && !state.value().isEmpty() && (state.value()[0] & kFocused) != 0) {
            QDBusMessage name = call("org.freedesktop.DBus.Properties", "Get");
            name << QStringLiteral("org.a11y.atspi.Accessible") << QStringLiteral("Name");
            const QDBusReply<QDBusVariant> reply = bus_.call(name);
            return reply.isValid() ? reply.value().variant().toString() : QString();
        }
        // The children: an array of (bus name, object path), read whole before any is searched,
        // since an array begun and not ended keeps its reader allocated.
        const QDBusMessage children = bus_.call(call("org.a11y.atspi.Accessible", "GetChildren"));
        if (children.type() != QDBusMessage::ReplyMessage || depth >= 12) {
            return {};
        }
        const auto list = children.arguments().value(0).value<QDBusArgument>();
        QList<std::pair<QString, QString>> found;
        list.beginArray();
        while (!list.atEnd()) {
            QString childService;
            QDBusObjectPath childPath;
            list.beginStructure();
            list >> childService >> childPath;
            list.endStructure();
            found.append({childService, childPath.path()});
        }
        list.endArray();
        for (const auto &[childService, childPath] : found) {
            if (QString name = Search(childService, childPath, depth + 1); !name.isEmpty()) {
                return name;
            }
        }
        return {};
    }

    QProcess session_;
    QProcess launcher_;
    QString address_;
    QDBusConnection bus_{QString()};
};

// One step of the script: keys for the window of that title, once it shows.
struct Step {
    QString window;
    QStringList keys;  // "type:TEXT" types the text, anything else is a key
};

// The show: three judges, LARGE, SMALL and SPIDER with blooms. Its steps until the scorecard, on
// the scorecard (each makes one record of the journal), and on the summary.
std::vector<Step> SetUpSteps() {
    QStringList setUp = {"type:Dahlia Club", "Tab", "type:Salem", "Tab",
                         "type:08/17/2026",  "Tab", "type:3",     "Tab"};
    for (const char *blooms : {"0", "4", "6", "0", "0", "3", "0", "0", "0", "0"}) {
        setUp << QStringLiteral("type:") + blooms << "Tab";
    }
    return {{"Introduction", {"space"}},
            {"Set Up ", setUp << "space"},
            {"Information Check", {"alt+c"}}};
}

std::vector<Step> ScorecardSteps() {
    std::vector<Step> steps;
    const char *ballots[3][3] = {{"1", " 2.5", "4"}, {".5", "0", "3"}, {"5", "1.5", ""}};
    for (int judge = 0; judge < 3; ++judge) {
        for (const char *score : ballots[judge]) {
            steps.push_back({"Judges Scorecard", {QStringLiteral("type:") + score, "Tab"}});
        }
        steps.push_back({"Judges Scorecard", {"space"}});
    }
    steps.back().keys = QStringList{"space"};
    steps.push_back({"PLEASE CHECK!", {"Return"}});
    return steps;
}

std::vector<Step> SummarySteps(const QString &folder) {
    const auto save = [&](const char *title, const char *name) {
        return Step{title, {QStringLiteral("type:") + ProgramPath(folder + u'/' + name), "Return"}};
    };
    return {{"BALLOTS ARE SECRET", {"Return"}},
            {"Summary Report", {"alt+v"}},
            save("Save as Text File", "show.txt"),
            {"Caution", {"Return"}},
            {"Summary Report", {"alt+c"}},
            save("Save as Comma Separated Variables File", "show.csv"),
            {"Caution", {"Return"}},
            {"Summary Report", {"alt+s"}},
            save("Save as OXL File", "show.oxl"),
            {"Summary Report", {"alt+x"}}};
}

class StopAndResumeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        if (WindowsProgram().isEmpty()) {
            focus_.Start(busEnvironment_);
        } else {
            std::printf(
                "Wine has no accessibility bus: no score is counted as seen accepted; each "
                "continued show must hold what the journal read after its kill held\n");
        }
        // A display number of this test's own: Xvfb refuses one that is taken, and then the
        // next is tried.
        for (int n = 100 + static_cast<int>(QCoreApplication::applicationPid() % 400);; ++n) {
            const QString display = QStringLiteral(":%1").arg(n);
            // The server's messages are not read: a full pipe would stop it.
            display_.setStandardOutputFile(QProcess::nullDevice());
            display_.setStandardErrorFile(QProcess::nullDevice());
            display_.start(QStringLiteral("Xvfb"),
                           {display, "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
            display_.waitForStarted();
            qputenv("DISPLAY", display.toLocal8Bit());
            for (int wait = 0; wait < 100 && display_.state() == QProcess::Running; ++wait) {
                if (TryXdo({"getdisplaygeometry"})) {
                    return;
                }
                display_.waitForFinished(100);
            }
            display_.kill();
            display_.waitForFinished();
            ASSERT_LT(n, 1000) << "no display could be started";
        }
    }
    void TearDown() override {
        StopProgram();
        display_.kill();
        display_.waitForFinished();
    }

    // Starts the program with a home of its own, without any toolkit setting of the tests.
    void StartProgram(const QStringList &arguments = {}) {
        arguments_ = arguments;
        errors_.clear();
        Start(program_, arguments);
    }
    void Start(QProcess &program, const QStringList &arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath("data"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath("config"));
        for (const QString &name : busEnvironment_.keys()) {
            environment.insert(name, busEnvironment_.value(name));
        }
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(home_.path());
        if (WindowsProgram().isEmpty()) {
            program.start(kProgram, arguments);
        } else {
            program.start(QStringLiteral("wine"), QStringList{WindowsProgram()} << arguments);
        }
        ASSERT_TRUE(program.waitForStarted());
    }
    void StopProgram(int signal = SIGKILL) {
        if (program_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(program_.processId()), signal);
            program_.waitForFinished();
        }
    }

    // The title of the first window to show of those given, once it has the focus and no other
    // message box or file dialog stands in front of it (a screen stays visible behind its
    // dialogs, and takes no keys until they have closed). A search that meets a window just
    // closing fails, so it is tried again.
    QString WaitForOneOf(const QStringList &titles) {
        QStringList dialogs = {"PLEASE CHECK!",     "BALLOTS ARE SECRET",
                               "Save as Text File", "Save as Comma Separated Variables File",
                               "Save as OXL File",  "Caution",
                               "UNFINISHED SHOW",   "WARNING!"};
        dialogs.removeIf([&](const QString &title) { return titles.contains(title); });
        for (int attempt = 0; attempt < 1200; ++attempt) {
            const QString id = Xdo({"search", "--onlyvisible", "--limit", "1", "--name",
                                    "^(" + titles.join(u'|') + ")$"});
            const bool dialogShows = TryXdo({"search", "--onlyvisible", "--limit", "1", "--name",
                                             "^(" + dialogs.join(u'|') + ")$"})
                                         .has_value();
            if (!id.isEmpty() && !dialogShows && TryXdo({"windowfocus", "--sync", id})) {
                const QString title = Xdo({"getwindowname", id});
                if (titles.contains(title)) {
                    return title;
                }
            }
            // Now and then, on a busy machine, a start right after a kill fails to connect to the
            // virtual display before its first window; nothing of the show has happened then, so
            // it starts again.
            program_.waitForFinished(0);  // reads what the program printed so far
            errors_ += program_.readAllStandardError();
            if (errors_.contains("could not connect to display") && restarts_ < 20) {
                ++restarts_;
                errors_.clear();
                std::printf("the program could not reach the display; started again\n");
                StopProgram();
                StartProgram(arguments_);
            }
            QThread::msleep(50);
        }
        QStringList shown;
        for (const QString &id : Xdo({"search", "--onlyvisible", "--name", "."}).split(u'\n')) {
            shown << Xdo({"getwindowname", id});
        }
        errors_ += program_.readAllStandardError();
        const bool ended = program_.waitForFinished(1000);
        ADD_FAILURE() << "none of " << titles.join(u", ").toStdString() << " showed, but "
                      << shown.join(u", ").toStdString() << "; the program "
                      << (ended ? "ended with " + std::to_string(program_.exitCode()) : "runs")
                      << ": " << errors_.toStdString();
        return {};
    }

    // Plays the step; with watch, waits until the focus left the control it was on, and says
    // whether it did.
    bool Play(const Step &step, bool watch = false) {
        EXPECT_EQ(WaitForOneOf({step.window}), step.window);
        QString before;
        for (int attempt = 0; watch && before.isEmpty() && attempt < 100; ++attempt) {
            before = focus_.Focused();
        }
        if (!WindowsProgram().isEmpty()) {
            // A Wine window takes keys a moment after it has the focus; its file dialogs drop
            // the first ones typed sooner.
            QThread::msleep(300);
        }
        for (const QString &key : step.keys) {
            if (key.startsWith(QStringLiteral("type:"))) {
                if (key.size() > 5) {
                    Xdo({"type", "--delay", "2", key.mid(5)});
                }
            } else {
                Xdo({"key", key});
            }
        }
        for (int attempt = 0; watch && !before.isEmpty() && attempt < 400; ++attempt) {
            if (const QString now = focus_.Focused(); !now.isEmpty() && now != before) {
                return true;
            }
            QThread::msleep(25);
        }
        return false;
    }

    // The journal left in the program's data folder, replayed; nothing when there is none.
    std::optional<ReplayedJournal> LeftJournal() {
        const QDir data(WindowsProgram().isEmpty() ? home_.filePath("data")
                                                   : qEnvironmentVariable("BESTINSHOW_STOP_DATA"));
        const QDir folder(data.filePath("bestinshow/journals"));
        const QStringList names = folder.entryList({"*.journal"}, QDir::Files);
        if (names.isEmpty()) {
            return std::nullopt;
        }
        EXPECT_EQ(names.size(), 1) << "one journal for one program";
        QFile file(folder.filePath(names[0]));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        return ReplayJournal(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }

    QByteArray Output(const char *name) {
        QFile file(home_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir home_;
    FocusWatch focus_;
    QProcessEnvironment busEnvironment_;
    QProcess display_;
    QProcess program_;
    QStringList arguments_;
    QByteArray errors_;
    int restarts_ = 0;
};

TEST_F(StopAndResumeTest, EveryKilledShowEndsWithTheFilesOfAnUninterruptedOne) {
    const std::vector<Step> setUp = SetUpSteps();
    const std::vector<Step> scorecard = ScorecardSteps();
    const std::vector<Step> summary = SummarySteps(home_.path());
    std::vector<Step> whole = setUp;
    whole.insert(whole.end(), scorecard.begin(), scorecard.end());
    whole.insert(whole.end(), summary.begin(), summary.end());
    const std::vector<const char *> outputs = {"show.txt", "show.csv", "show.oxl"};

    // The run that never stops.
    StartProgram();
    for (const Step &step : whole) {
        Play(step);
    }
    ASSERT_TRUE(program_.waitForFinished(20000)) << "Exit did not end the program";
    std::vector<QByteArray> expected;
    for (const char *name : outputs) {
        expected.push_back(Output(name));
        ASSERT_NE(expected.back(), "<missing>") << name;
        QFile::remove(home_.filePath(name));
    }
    ASSERT_FALSE(LeftJournal()) << "Exit after Save Report leaves no journal";

    const auto checkOutputs = [&](int after) {
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            EXPECT_EQ(Output(outputs[i]), expected[i]) << outputs[i] << " after kill " << after;
        }
        EXPECT_FALSE(LeftJournal()) << "a saved show leaves no journal";
    };

    const int kills = qEnvironmentVariableIntValue("BESTINSHOW_KILLS") > 0
                          ? qEnvironmentVariableIntValue("BESTINSHOW_KILLS")
                          : 50;
    std::mt19937 random(20261209);
    int killed = 0;
    // The journal the last kill left, read before the program started again.
    std::optional<ReplayedJournal> journal;
    std::size_t next = whole.size();  // the next step; past the end, a new show begins
    // The steps on the scorecard whose score or button the driver saw accepted; each is a record.
    std::size_t accepted = 0;
    const auto onScorecard = [&](std::size_t step) {
        return step >= setUp.size() && step < setUp.size() + scorecard.size();
    };
    while (killed < kills || next < whole.size()) {
        if (next >= whole.size()) {
            for (const char *name : outputs) {
                QFile::remove(home_.filePath(name));
            }
            next = 0;
        }
        StartProgram();
        // A show that reached its show file is not offered, even when the kill came before its
        // journal was closed.
        const bool offered = journal && journal->outcome == ReplayedJournal::Outcome::Resumable &&
                             !QFile::exists(home_.filePath("show.oxl"));
        ASSERT_EQ(WaitForOneOf({"UNFINISHED SHOW", "Introduction"}),
                  offered ? "UNFINISHED SHOW" : "Introduction")
            << "after kill " << killed << ", at step " << next;
        if (offered) {
            std::printf("continued with %zu records, %zu seen accepted\n", journal->records,
                        accepted);
            Xdo({"key", "Return"});
            // Each record after the set-up stands for one step on the scorecard. After the
            // tabulation the summary's steps start over, as their files may be cut short.
            next = journal->tabulated ? setUp.size() + scorecard.size() + 1
                                      : setUp.size() + journal->records - 1;
            for (const char *name : outputs) {
                QFile::remove(home_.filePath(name));
            }
        } else if (QFile::exists(home_.filePath("show.oxl"))) {
            // The stop came after Save Report: the show is complete.
            checkOutputs(killed);
            Xdo({"key", "alt+x"});
            ASSERT_TRUE(program_.waitForFinished(20000));
            journal.reset();
            next = whole.size();
            continue;
        } else {
            next = 0;
        }
        accepted = journal && offered ? journal->records - 1 : 0;
        // A few steps, the last of them perhaps not yet handled, and the kill; after the last
        // kill the show is driven to its end. Few kills take longer strides, to reach the summary.
        const std::size_t stride = std::max<std::size_t>(4, 2 * whole.size() / kills);
        const std::size_t last = killed < kills ? next + random() % stride : whole.size();
        for (; next < std::min(last, whole.size()); ++next) {
            // The focus is watched on the scorecard, up to the step that opens a question; Wine
            // has no bus to watch it on.
            const bool watch = WindowsProgram().isEmpty() && onScorecard(next) && next + 1 < last &&
                               whole[next + 1].window == whole[next].window;
            if (Play(whole[next], watch)) {
                accepted = next - setUp.size() + 1;
            } else if (watch) {
                ADD_FAILURE() << "the focus never left the control of step " << next;
            }
        }
        if (next >= whole.size()) {
            ASSERT_TRUE(program_.waitForFinished(20000));
            checkOutputs(killed);
            journal.reset();
            continue;
        }
        QThread::msleep(random() % 40);
        StopProgram();
        ++killed;
        std::printf("kill %d before step %zu of %zu\n", killed, next, whole.size());
        journal = LeftJournal();
        if (accepted > 0 && !QFile::exists(home_.filePath("show.oxl"))) {
            EXPECT_TRUE(journal) << "the scores seen accepted were lost with the journal, kill "
                                 << killed;
        }
        if (journal) {
            EXPECT_GE(journal->records, accepted + 1)
                << "a score seen accepted was lost, kill " << killed;
        }
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GE(killed, kills);
}

TEST_F(StopAndResumeTest, NoQuestionAfterTheReportsARecallAnExitOrBesideARunningProgram) {
    const QString show = QStringLiteral(BESTINSHOW_TEST_DATA_DIR "/tie_stands.oxl");
    StartProgram({"--text-report", home_.filePath("show.txt"), show});
    ASSERT_TRUE(program_.waitForFinished(20000));
    EXPECT_EQ(program_.exitCode(), 0);
    StartProgram({show});
    EXPECT_EQ(WaitForOneOf({"UNFINISHED SHOW", "Summary Report"}), "Summary Report");
    Xdo({"key", "alt+x"});
    ASSERT_TRUE(program_.waitForFinished(20000));
    EXPECT_FALSE(LeftJournal()) << "neither the reports nor a recall keep a journal";

    StartProgram();
    for (const Step &step : SetUpSteps()) {
        Play(step);
    }
    Play(ScorecardSteps()[0]);
    QProcess second;
    Start(second, {});
    EXPECT_EQ(WaitForOneOf({"UNFINISHED SHOW", "Introduction"}), "Introduction")
        << "the show of a program still running is not offered";
    Xdo({"key", "alt+x"});
    ASSERT_TRUE(second.waitForFinished(20000));

    StopProgram();
    StartProgram();
    EXPECT_EQ(WaitForOneOf({"UNFINISHED SHOW", "Introduction"}), "UNFINISHED SHOW");
    Xdo({"key", "Return"});
    Play({"Judges Scorecard", {"alt+x"}});
    Play({"WARNING!", {"Return"}});
    ASSERT_TRUE(program_.waitForFinished(20000));
    EXPECT_FALSE(LeftJournal()) << "Exit answered Yes gives the show up";
}

}  // namespace
}  // namespace bis
