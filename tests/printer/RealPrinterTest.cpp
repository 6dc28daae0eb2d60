// Prints through a real print system: a CUPS scheduler with a queue that writes PDF files.
//
// Run as root, with the Debian packages cups, cups-client and printer-driver-cups-pdf that
// scripts/install-deps.sh installs, the test starts its own scheduler, adds a PDF queue and makes
// it the default printer. It then presses Print Report on the summary of results screen,
// reads the printed PDF back, and provokes the three failures: a disabled queue, a queue that
// refuses jobs, and a queue that is gone. At the end it removes the queue and stops the scheduler
// it started. Not run as root, without the packages, or where a scheduler is already running
// (which the test must not reconfigure), every test is skipped with the reason.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

#include "app/ScreenContext.h"
#include "files/Reports.h"
#include "platform/QtPrinter.h"
#include "support/Fakes.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"
#include "tabulation/frmSummaryReport.h"

namespace bis {
namespace {

using testing::FindWord;
using testing::GridWord;
using testing::ShownMessage;

const QString kQueue = QStringLiteral("bestinshow-test");
const QString kQueueConfig = QStringLiteral("/etc/cups/cups-pdf-bestinshow-test.conf");

struct Outcome {
    int exitCode = -1;
    QString output;
};

// Runs a command to its end and gives its exit code and its output (both streams).
Outcome RunCommand(const QString &program, const QStringList &arguments, int timeoutMs = 60000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, program + QStringLiteral(" did not finish: ") + process.errorString()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

bool Until(const std::function<bool()> &condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

bool SchedulerRunning() {
    return RunCommand("lpstat", {"-r"}, 5000).output.contains("scheduler is running");
}

// The print system the tests print on, set up once for all of them.
class PrintSystem : public ::testing::Environment {
  public:
    void SetUp() override {
        if (::geteuid() != 0) {
            skipReason = "not run as root: setting up a print system needs root";
            return;
        }
        if (!installed()) {
            skipReason =
                "the packages cups, cups-client and printer-driver-cups-pdf are not all "
                "installed; scripts/install-deps.sh installs them";
            return;
        }
        if (SchedulerRunning()) {
            skipReason =
                "a CUPS scheduler is already running here; the test only reconfigures "
                "one it started itself";
            return;
        }
        if (!output.isValid()) {
            skipReason = "no scratch folder for the printed files";
            return;
        }
        QFile::setPermissions(output.path(), QFileDevice::Permissions(0x7777));

        QDir().mkpath("/run/cups/certs");
        scheduler = std::make_unique<QProcess>();
        scheduler->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        scheduler->start("/usr/sbin/cupsd", {"-f"});
        if (!scheduler->waitForStarted(10000) || !Until(SchedulerRunning, 30000)) {
            failure = "the CUPS scheduler did not start";
            return;
        }
        QFile config(kQueueConfig);
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            config.write(("Out " + output.path() + "\n").toUtf8()) < 0) {
            failure = "cannot write " + kQueueConfig;
            return;
        }
        config.close();
        addQueue();
    }

    void TearDown() override {
        if (scheduler) {
            RunCommand("cancel", {"-a", "-x", kQueue});
            RunCommand("lpadmin", {"-x", kQueue});
            QFile::remove(kQueueConfig);
            scheduler->terminate();
            if (!scheduler->waitForFinished(20000)) {
                scheduler->kill();
                scheduler->waitForFinished();
            }
        }
    }

    // Adds the PDF queue (again) and makes it the default printer. Without the cairo renderer
    // the PDF holds Type 3 fonts whose text cannot be read back.
    void addQueue() {
        const Outcome added = RunCommand(
            "lpadmin", {"-p", kQueue, "-E", "-v", "cups-pdf:/" + kQueue, "-m",
                        "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd", "-o", "printer-is-shared=no", "-o",
                        "PageSize=A4", "-o", "pdftops-renderer-default=pdftocairo"});
        const Outcome made = RunCommand("lpadmin", {"-d", kQueue});
        if (added.exitCode != 0 || made.exitCode != 0) {
            failure = "cannot add the queue: " + added.output + made.output;
        }
    }

    QString skipReason;
    QString failure;
    QTemporaryDir output;
    std::unique_ptr<QProcess> scheduler;

  private:
    static bool installed() {
        const Outcome status = RunCommand("dpkg-query", {"-W", "-f=${Status}\n", "cups",
                                                         "cups-client", "printer-driver-cups-pdf"});
        return status.exitCode == 0 && status.output.count("install ok installed") == 3;
    }
};

PrintSystem *printSystem = nullptr;

class RealPrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!printSystem->skipReason.isEmpty()) {
            GTEST_SKIP() << printSystem->skipReason.toStdString();
        }
        ASSERT_EQ(printSystem->failure, QString());
    }

    // Opens the summary of results on the real printer, presses Print Report with its access
    // key as a user would, and gives the messages that followed.
    std::vector<ShownMessage> printReport() {
        testing::FakeMessages messages;
        testing::FakeProgramEnd programEnd;
        testing::FakeFileDialogs dialogs;
        testing::FakeFileSystem fileSystem;
        QtPrinter printer;
        Platform platform{messages, programEnd, dialogs, fileSystem, printer, '.'};
        ScreenContext context{show_, platform};
        const std::unique_ptr<frmSummaryReport> summary(new frmSummaryReport(context));
        summary->ShowScreen();
        summary->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(summary.get()));
        QWidget *focus = QApplication::focusWidget();
        EXPECT_NE(focus, nullptr);
        if (focus != nullptr) {
            QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier);
        }
        return messages.shown;
    }

    static bool queueEmpty() {
        const Outcome jobs = RunCommand("lpstat", {"-o", kQueue}, 5000);
        return jobs.exitCode == 0 && jobs.output.trimmed().isEmpty();
    }

    QStringList printedFiles() const {
        return QDir(printSystem->output.path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    }

    ShowRecord show_ = testing::SampleShow(4);
};

// The tests run in this order, on one scheduler: printing, then the three failures, the last
// of which removes the queue.

TEST_F(RealPrinterTest, PrintsBothPagesOnTheDefaultPrinter) {
    ASSERT_EQ(printedFiles(), QStringList());
    EXPECT_EQ(printReport(), std::vector<ShownMessage>());

    ASSERT_TRUE(Until([this]() { return queueEmpty() && !printedFiles().isEmpty(); }, 90000))
        << "no PDF came out of the queue: "
        << RunCommand("lpstat", {"-l", "-o", kQueue}).output.toStdString();
    ASSERT_EQ(printedFiles().size(), 1);
    const QString pdf = QDir(printSystem->output.path()).filePath(printedFiles().first());
    // cups-pdf writes the file under its final name; wait until it is complete.
    ASSERT_TRUE(Until([&]() { return testing::ReadPdfWords(pdf).sheets.size() == 2; }, 30000))
        << testing::ReadPdfWords(pdf).error.toStdString();

    const testing::PdfText text = testing::ReadPdfWords(pdf);
    const testing::PdfGrid grid = testing::GridOf(text);
    ASSERT_EQ(grid.error, QString());
    EXPECT_LT(text.sheets[0].width, text.sheets[0].height);
    EXPECT_NEAR(grid.pitch, 6.0, 0.05);
    EXPECT_EQ(grid.offGrid, QStringList());
    EXPECT_EQ(testing::Sorted(grid.words),
              testing::ExpectedGridWords(PrintedReportPages(show_), 72));
    for (int sheet = 1; sheet <= 2; ++sheet) {
        EXPECT_EQ(FindWord(grid, sheet, "OXL"), (GridWord{sheet, 9, 40, "OXL"}));
        EXPECT_EQ(FindWord(grid, sheet, "Version"), (GridWord{sheet, 10, 48, "Version"}));
    }
    EXPECT_EQ(FindWord(grid, 1, "Left"), (GridWord{1, 11, 70, "Left"}));
    EXPECT_EQ(FindWord(grid, 2, "Right"), (GridWord{2, 11, 70, "Right"}));
    EXPECT_EQ(FindWord(grid, 1, "MINIATURE"), (GridWord{1, 18, 69, "MINIATURE"}));
    EXPECT_EQ(FindWord(grid, 2, "SEEDLING"), (GridWord{2, 18, 83, "SEEDLING"}));
}

TEST_F(RealPrinterTest, ADisabledPrinterIsAPrinterError) {
    ASSERT_EQ(RunCommand("cupsdisable", {kQueue}).exitCode, 0);
    const auto shown = printReport();
    RunCommand("cancel", {"-a", "-x", kQueue});
    RunCommand("cupsenable", {kQueue});

    EXPECT_EQ(shown, (std::vector<ShownMessage>{{"File error", "Printer error", false}}));
}

TEST_F(RealPrinterTest, APrinterThatRefusesJobsGivesItsOwnDescription) {
    ASSERT_EQ(RunCommand("cupsreject", {kQueue}).exitCode, 0);
    const auto shown = printReport();
    RunCommand("cupsaccept", {kQueue});

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "File error");
    EXPECT_TRUE(shown[0].text.contains(kQueue) && shown[0].text.contains("not accepting jobs"))
        << shown[0].text.toStdString();
}

TEST_F(RealPrinterTest, ARemovedPrinterIsNotAvailable) {
    ASSERT_EQ(RunCommand("lpadmin", {"-x", kQueue}).exitCode, 0);
    const auto shown = printReport();
    printSystem->addQueue();

    EXPECT_EQ(
        shown,
        (std::vector<ShownMessage>{{"File error", "Sorry, the printer is not available.", false}}));
}

}  // namespace
}  // namespace bis

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    bis::printSystem = new bis::PrintSystem;
    ::testing::AddGlobalTestEnvironment(bis::printSystem);
    return RUN_ALL_TESTS();
}
