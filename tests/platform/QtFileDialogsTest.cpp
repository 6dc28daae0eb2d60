#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

#include "platform/QtFileDialogs.h"
#include "support/QStringPrinter.h"

namespace bis {
namespace {

// What the dialog looked like while it was up.
struct SeenDialog {
    bool found = false;
    QWidget *parent = nullptr;
    bool modal = false;
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString folder;
    QString typedName;
    bool confirmsOverwrite = true;
    QString defaultSuffix;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::ExistingFile;
};

// Plays the user while a dialog is up, from a timer, so that no test can block on it: when the
// file dialog shows, it notes how the dialog was preset and acts on it; any other modal window
// (an overwrite question, say) is noted and closed; and a file dialog still up two seconds after
// the action is closed too, so that a fault shows as a failure rather than a hang.
class DialogUser {
  public:
    explicit DialogUser(std::function<void(QFileDialog &)> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this]() { tick(); });
        timer_.start();
    }

    SeenDialog seen;
    QStringList otherModals;
    bool stuck = false;

  private:
    void tick() {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog == nullptr) {
            otherModals << modal->metaObject()->className();
            modal->close();
            return;
        }
        if (seen.found) {
            if (sinceAction_.elapsed() > 2000) {
                stuck = true;
                dialog->reject();
            }
            return;
        }
        note(*dialog);
        sinceAction_.start();
        // Acted on from a separate event, so that this timer keeps ticking while the action
        // itself opens a modal window.
        QTimer::singleShot(0, dialog, [this, dialog]() { act_(*dialog); });
    }

    void note(QFileDialog &dialog) {
        seen.found = true;
        seen.parent = dialog.parentWidget();
        seen.modal = dialog.isModal();
        seen.title = dialog.windowTitle();
        seen.filters = dialog.nameFilters();
        seen.selectedFilter = dialog.selectedNameFilter();
        seen.folder = dialog.directory().absolutePath();
        if (auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            seen.typedName = name->text();
        }
        seen.confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        seen.defaultSuffix = dialog.defaultSuffix();
        seen.acceptMode = dialog.acceptMode();
        seen.fileMode = dialog.fileMode();
    }

    std::function<void(QFileDialog &)> act_;
    QTimer timer_;
    QElapsedTimer sinceAction_;
};

// Types a name into the dialog's name box and presses Enter.
void TypeNameAndEnter(QFileDialog &dialog, const QString &name) {
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

struct DialogCase {
    const char *name;
    bool save;
    FileDialogRequest request;
};

void PrintTo(const DialogCase &use, std::ostream *out) {
    *out << use.name;
}

class QtFileDialogsTest : public ::testing::TestWithParam<DialogCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        oldHome_ = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home_.path()));
        owner_ = std::make_unique<QWidget>();
        owner_->setWindowTitle(QStringLiteral("owner"));
        owner_->show();
    }
    void TearDown() override {
        qputenv("HOME", oldHome_);
        // Nothing but the owner may be left on the screen.
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != owner_.get()) {
                EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
            }
        }
        owner_.reset();
    }

    std::optional<QString> choose() {
        QtFileDialogs dialogs;
        const DialogCase &use = GetParam();
        return use.save ? dialogs.chooseFileToSave(owner_.get(), use.request)
                        : dialogs.chooseFileToOpen(owner_.get(), use.request);
    }

    QString homeFile(const QString &name) const { return QDir(home_.path()).filePath(name); }

    QTemporaryDir home_;
    QByteArray oldHome_;
    std::unique_ptr<QWidget> owner_;
};

TEST_P(QtFileDialogsTest, IsPresetAndReturnsTheTypedPath) {
    DialogUser user([](QFileDialog &dialog) { TypeNameAndEnter(dialog, "show one"); });
    const auto chosen = choose();
    const SeenDialog &seen = user.seen;

    ASSERT_TRUE(seen.found);
    const DialogCase &use = GetParam();
    EXPECT_EQ(seen.parent, owner_.get());
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, use.request.title);
    EXPECT_EQ(seen.filters, QStringList({use.request.filterText, "All files (*.*)"}));
    EXPECT_EQ(seen.selectedFilter, use.request.filterText);
    EXPECT_EQ(seen.folder, QDir(home_.path()).absolutePath());
    EXPECT_EQ(seen.typedName, QString());
    EXPECT_FALSE(seen.confirmsOverwrite);
    EXPECT_EQ(seen.defaultSuffix, QString());
    EXPECT_EQ(seen.acceptMode, use.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::AnyFile);
    EXPECT_FALSE(user.stuck);
    // No suffix added, and a name that does not exist is taken as it stands.
    EXPECT_EQ(chosen, homeFile("show one"));
}

TEST_P(QtFileDialogsTest, TakesAnExistingNameWithoutAskingAnything) {
    QFile existing(homeFile("kept.oxl"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    DialogUser user([](QFileDialog &dialog) { TypeNameAndEnter(dialog, "kept.oxl"); });
    const auto chosen = choose();

    ASSERT_TRUE(user.seen.found);
    EXPECT_EQ(user.otherModals, QStringList());
    EXPECT_FALSE(user.stuck);
    EXPECT_EQ(chosen, homeFile("kept.oxl"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("kept"));
}

TEST_P(QtFileDialogsTest, CancelGivesNothing) {
    DialogUser user([](QFileDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    const auto chosen = choose();

    ASSERT_TRUE(user.seen.found);
    EXPECT_EQ(chosen, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    FourUses, QtFileDialogsTest,
    ::testing::Values(
        DialogCase{"RecallShowFile", false, {"Open an OXL file", "OXL files (*.oxl)"}},
        DialogCase{"SaveShowFile", true, {"Save as OXL File", "OXL files (*.oxl)"}},
        DialogCase{"TextReport", true, {"Save as Text File", "Text files (*.txt)"}},
        DialogCase{
            "CsvReport",
            true,
            {"Save as Comma Separated Variables File", "Comma Separated Variable files (*.csv)"}}),
    [](const ::testing::TestParamInfo<DialogCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bis
