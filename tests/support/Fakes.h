#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace bis::testing {

// One message box as it was shown.
struct ShownMessage {
    QString title;
    QString text;
    bool question = false;

    friend bool operator==(const ShownMessage &, const ShownMessage &) = default;
};

// Shows a message in a failure report as its title and text.
inline void PrintTo(const ShownMessage &message, std::ostream *out) {
    *out << (message.question ? "question " : "notice ") << '"' << message.title.toStdString()
         << "\": \"" << message.text.toStdString() << '"';
}

// The rules of the test that a fake saw broken. The fakes are called inside Qt's event handlers,
// which no exception may leave, so a fake notes the breach and gives a harmless answer; each
// breach fails the test when the fake goes, after the event has returned.
class BrokenRules {
  public:
    BrokenRules() = default;
    BrokenRules(const BrokenRules &) = delete;
    BrokenRules &operator=(const BrokenRules &) = delete;
    ~BrokenRules() {
        for (const std::string &rule : rules_) {
            ADD_FAILURE() << rule;
        }
    }

    void note(std::string rule) { rules_.push_back(std::move(rule)); }

  private:
    std::vector<std::string> rules_;
};

// Records every message box and answers questions from a script. A question with no scripted
// answer left is answered No and fails the test, so no test can hang on one.
class FakeMessages : public Messages {
  public:
    void notice(QWidget *, const QString &title, const QString &text) override {
        shown.push_back({title, text, false});
    }
    bool ask(QWidget *, const QString &title, const QString &text) override {
        shown.push_back({title, text, true});
        if (answers.empty()) {
            broken_.note("unscripted question: " + title.toStdString());
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    std::vector<ShownMessage> shown;
    std::deque<bool> answers;  // true for Yes

  private:
    BrokenRules broken_;
};

class FakeProgramEnd : public ProgramEnd {
  public:
    void endProgram() override { ++ended; }
    int ended = 0;
};

// Gives scripted paths (nothing for a cancelled dialog) and records each request. A dialog with no
// scripted path left is cancelled and fails the test.
class FakeFileDialogs : public FileDialogs {
  public:
    std::optional<QString> chooseFileToOpen(QWidget *, const FileDialogRequest &request) override {
        return next(request, false);
    }
    std::optional<QString> chooseFileToSave(QWidget *, const FileDialogRequest &request) override {
        return next(request, true);
    }

    struct Request {
        FileDialogRequest request;
        bool save = false;
    };
    std::vector<Request> requests;
    std::deque<std::optional<QString>> paths;

  private:
    std::optional<QString> next(const FileDialogRequest &request, bool save) {
        requests.push_back({request, save});
        if (paths.empty()) {
            broken_.note("unscripted file dialog: " + request.title.toStdString());
            return std::nullopt;
        }
        auto path = paths.front();
        paths.pop_front();
        return path;
    }

    BrokenRules broken_;
};

// An in-memory file system. Failures can be scripted per path.
class FakeFileSystem : public FileSystem {
  public:
    bool exists(const QString &path) override { return files.count(path) > 0; }
    FileFailure readAll(const QString &path, std::string &bytes) override {
        if (const auto failure = failures.find(path); failure != failures.end()) {
            return failure->second;
        }
        const auto file = files.find(path);
        if (file == files.end()) {
            return {FileFailure::Kind::NotFound, "No such file or directory"};
        }
        bytes = file->second;
        return {};
    }
    FileFailure createNew(const QString &path, const std::string &bytes) override {
        if (const auto failure = failures.find(path); failure != failures.end()) {
            return failure->second;
        }
        if (files.count(path) > 0) {
            return {FileFailure::Kind::AlreadyExists, "File exists"};
        }
        files[path] = bytes;
        return {};
    }
    FileFailure remove(const QString &path) override {
        if (files.erase(path) == 0) {
            return {FileFailure::Kind::NotFound, "No such file or directory"};
        }
        return {};
    }

    std::map<QString, std::string> files;
    std::map<QString, FileFailure> failures;
};

// Records every report it is asked to print, or fails as scripted.
class FakePrinter : public Printer {
  public:
    PrintFailure print(const PrintedReport &report) override {
        if (!failure.ok()) {
            return failure;
        }
        printed.push_back(report);
        return {};
    }

    std::vector<PrintedReport> printed;
    PrintFailure failure;
};

// An in-memory journal store: this program's journal, and those other programs left behind,
// newest first, and the damaged ones kept aside. A failure, when set, is what every create, append
// and adopt gives; a journal whose adopt failed stays this program's own, open no more.
class FakeJournalStore : public JournalStore {
  public:
    FileFailure create(const std::string &bytes) override {
        if (failure.ok()) {
            own = bytes;
        }
        return failure;
    }
    FileFailure append(const std::string &bytes) override {
        if (appendsBeforeFailure && (*appendsBeforeFailure)-- == 0) {
            failure = {FileFailureKind::Other, QStringLiteral("Input/output error")};
        }
        if (failure.ok() && own) {
            *own += bytes;
        }
        return own ? failure : FileFailure{FileFailureKind::Other, "no journal"};
    }
    void remove() override { own.reset(); }
    std::vector<QString> leftBehind() override {
        std::vector<QString> names;
        for (const auto &journal : left) {
            names.push_back(journal.first);
        }
        return names;
    }
    FileFailure read(const QString &journal, std::string &bytes) override {
        bytes = Left(journal)->second;
        return {};
    }
    FileFailure adopt(const QString &journal, std::size_t length) override {
        own = Left(journal)->second.substr(0, length);
        left.erase(Left(journal));
        return failure;
    }
    FileFailure keepDamaged(const QString &journal, const std::string &bytes,
                            QString &kept) override {
        kept = journal + ".damaged";
        damaged.emplace(kept, bytes);
        return {};
    }
    void discard(const QString &journal) override { left.erase(Left(journal)); }
    void release() override {}

    std::optional<std::string> own;
    std::vector<std::pair<QString, std::string>> left;
    std::map<QString, std::string> damaged;
    FileFailure failure;
    // When set, how many appends succeed before every later one fails.
    std::optional<int> appendsBeforeFailure;

  private:
    std::vector<std::pair<QString, std::string>>::iterator Left(const QString &journal) {
        return std::find_if(left.begin(), left.end(),
                            [&](const auto &entry) { return entry.first == journal; });
    }
};

// A whole fake platform, ready to hand to screens and actions.
struct FakePlatform {
    FakeMessages messages;
    FakeProgramEnd programEnd;
    FakeFileDialogs fileDialogs;
    FakeFileSystem fileSystem;
    FakePrinter printer;
    FakeJournalStore journalStore;
    Platform platform{messages, programEnd, fileDialogs, fileSystem, printer, '.'};
};

}  // namespace bis::testing
