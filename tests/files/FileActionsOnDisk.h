#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "files/FileActions.h"
#include "platform/LocalFileSystem.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

namespace bis::testing {
// The real file system, with another program acting on the path right after the program has
// checked whether it exists: the window between the check and the use.
class RacingFileSystem : public FileSystem {
  public:
    std::function<void(const QString &)> meanwhile;

    bool exists(const QString &path) override {
        const bool found = real_.exists(path);
        if (meanwhile) {
            meanwhile(path);
        }
        return found;
    }
    FileFailure readAll(const QString &path, std::string &bytes) override {
        return real_.readAll(path, bytes);
    }
    FileFailure createNew(const QString &path, const std::string &bytes) override {
        return real_.createNew(path, bytes);
    }
    FileFailure remove(const QString &path) override { return real_.remove(path); }

  private:
    LocalFileSystem real_;
};

// The file actions on real files in a scratch folder, with scripted dialogs and messages.
class FileActionsOnDiskTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString path(const QString &name) const { return QDir(folder_.path()).filePath(name); }

    QByteArray read(const QString &name) const { return FileBytes(path(name)); }

    void write(const QString &name, const QByteArray &bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::NewOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QStringList names() const { return NamesIn(folder_.path()); }

    QTemporaryDir folder_;
    FakeMessages messages_;
    FakeProgramEnd programEnd_;
    FakeFileDialogs dialogs_;
    RacingFileSystem fileSystem_;
    FakePrinter printer_;
    Platform platform_{messages_, programEnd_, dialogs_, fileSystem_, printer_, '.'};
};

}  // namespace bis::testing
