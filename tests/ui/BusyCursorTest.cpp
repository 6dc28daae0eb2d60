// The busy cursor of the file actions: shown while the file is read or written or the report
// printed, and gone before any message box appears and once the action has ended, whether the
// action worked or failed.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "files/FileActions.h"
#include "files/ShowFile.h"
#include "support/Fakes.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

using testing::FakeFileDialogs;
using testing::FakeMessages;
using testing::FakeProgramEnd;
using testing::SampleShow;

// The cursor the program shows over everything now: "wait", "none" for no override, or
// "other".
std::string CursorNow() {
    const QCursor *cursor = QGuiApplication::overrideCursor();
    if (cursor == nullptr) {
        return "none";
    }
    return cursor->shape() == Qt::WaitCursor ? "wait" : "other";
}

// Each fake notes the cursor at the moment it is used: "read:wait", "message:none", ...
class CursorLog {
  public:
    void note(const char *what) { entries.push_back(std::string(what) + ":" + CursorNow()); }
    std::vector<std::string> entries;
};

class LoggingMessages : public FakeMessages {
  public:
    explicit LoggingMessages(CursorLog &log) : log_(log) {}
    void notice(QWidget *owner, const QString &title, const QString &text) override {
        log_.note("message");
        FakeMessages::notice(owner, title, text);
    }

  private:
    CursorLog &log_;
};

class LoggingFileSystem : public testing::FakeFileSystem {
  public:
    explicit LoggingFileSystem(CursorLog &log) : log_(log) {}
    FileFailure readAll(const QString &path, std::string &bytes) override {
        log_.note("read");
        return FakeFileSystem::readAll(path, bytes);
    }
    FileFailure createNew(const QString &path, const std::string &bytes) override {
        log_.note("write");
        return FakeFileSystem::createNew(path, bytes);
    }

  private:
    CursorLog &log_;
};

class LoggingPrinter : public testing::FakePrinter {
  public:
    explicit LoggingPrinter(CursorLog &log) : log_(log) {}
    PrintFailure print(const PrintedReport &report) override {
        log_.note("print");
        return FakePrinter::print(report);
    }

  private:
    CursorLog &log_;
};

struct BusyCase {
    const char *name;
    std::function<void(Platform &, ShowRecord &)> action;
    std::function<void(LoggingFileSystem &, LoggingPrinter &, FakeFileDialogs &)> arrange;
    std::vector<std::string> log;
};

void PrintTo(const BusyCase &c, std::ostream *out) {
    *out << c.name;
}

const BusyCase kCases[] = {
    {"RecallOfAnUnreadableFile",
     [](Platform &p, ShowRecord &show) { (void)RecallShow(p, nullptr, show); },
     [](LoggingFileSystem &files, LoggingPrinter &, FakeFileDialogs &dialogs) {
         files.files["show.oxl"] = "\"Version 02.30\"\r\n";
         dialogs.paths.push_back(QStringLiteral("show.oxl"));
     },
     {"read:wait", "message:none"}},
    {"SaveThatWorks",
     [](Platform &p, ShowRecord &show) { SaveShow(p, nullptr, show); },
     [](LoggingFileSystem &, LoggingPrinter &, FakeFileDialogs &dialogs) {
         dialogs.paths.push_back(QStringLiteral("show.oxl"));
     },
     {"write:wait"}},
    {"TextReportThenItsCaution",
     [](Platform &p, ShowRecord &show) { PrepareTextReport(p, nullptr, show); },
     [](LoggingFileSystem &, LoggingPrinter &, FakeFileDialogs &dialogs) {
         dialogs.paths.push_back(QStringLiteral("show.txt"));
     },
     {"write:wait", "message:none"}},
    {"CsvReportThatFails",
     [](Platform &p, ShowRecord &show) { PrepareCsvReport(p, nullptr, show); },
     [](LoggingFileSystem &files, LoggingPrinter &, FakeFileDialogs &dialogs) {
         files.failures["show.csv"] = {FileFailure::Kind::Other, "No space left on device"};
         dialogs.paths.push_back(QStringLiteral("show.csv"));
     },
     {"write:wait", "message:none"}},
    {"PrintThatFails",
     [](Platform &p, ShowRecord &show) { PrintReport(p, nullptr, show); },
     [](LoggingFileSystem &, LoggingPrinter &printer, FakeFileDialogs &) {
         printer.failure = {PrintFailure::Kind::PrinterError, {}};
     },
     {"print:wait", "message:none"}},
};

class BusyCursorTest : public ::testing::TestWithParam<BusyCase> {};

TEST_P(BusyCursorTest, ShowsDuringTheWorkAndNeverUnderAMessage) {
    const BusyCase &c = GetParam();
    CursorLog log;
    LoggingMessages messages(log);
    FakeProgramEnd programEnd;
    FakeFileDialogs dialogs;
    LoggingFileSystem files(log);
    LoggingPrinter printer(log);
    Platform platform{messages, programEnd, dialogs, files, printer, '.'};
    c.arrange(files, printer, dialogs);
    ShowRecord show = SampleShow();

    c.action(platform, show);

    EXPECT_EQ(log.entries, c.log);
    EXPECT_EQ(CursorNow(), "none");
}

INSTANTIATE_TEST_SUITE_P(FileActions, BusyCursorTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BusyCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace bis
