#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <ostream>
#include <vector>

#include "app/CommandButton.h"
#include "app/ScreenContext.h"
#include "app/ShowRecord.h"
#include "app/TextBox.h"
#include "support/Fakes.h"

namespace bis::testing {

// Fake messages that also let a test look at the screen at the moment a message appears.
class ObservingMessages : public FakeMessages {
  public:
    void notice(QWidget *owner, const QString &title, const QString &text) override {
        if (whenShown) {
            whenShown();
        }
        FakeMessages::notice(owner, title, text);
    }
    bool ask(QWidget *owner, const QString &title, const QString &text) override {
        if (whenShown) {
            whenShown();
        }
        return FakeMessages::ask(owner, title, text);
    }

    std::function<void()> whenShown;
};

// The common ground of the screen tests: one show record, the fakes, and the keyboard.
class ScreenTest : public ::testing::Test {
  protected:
    ~ScreenTest() override;

    // The screen of that type that is open now (shown), or null.
    template <typename Screen>
    Screen *OpenScreen() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<Screen *>(window); screen && screen->isVisible()) {
                return screen;
            }
        }
        return nullptr;
    }
    // How many screens of that type exist, shown or hidden.
    template <typename Screen>
    int LoadedScreens() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int count = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            count += qobject_cast<Screen *>(window) != nullptr ? 1 : 0;
        }
        return count;
    }

    // Makes the window the active one, so that focus and access keys work as for a user.
    static void Activate(QWidget *window);

    template <typename Control = QWidget>
    static Control *Find(QWidget *screen, const QString &name) {
        auto *control = screen->findChild<Control *>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }

    static QWidget *Focus() { return QApplication::focusWidget(); }
    static QString FocusName() { return Focus() != nullptr ? Focus()->objectName() : QString(); }

    // Keystrokes, sent to the widget that has the focus.
    static void Type(const QString &text);
    static void Tab();
    static void BackTab();
    static void Space();
    static void AltKey(char letter);
    // Selects the whole text of the focused box and deletes it, as a user clears a box.
    static void ClearFocusedBox();
    // Pastes the text into the focused box from the clipboard (Ctrl+V).
    static void Paste(const QString &text);
    // A mouse click on the control, which also moves the focus as a real click does.
    static void Click(QWidget *control);

    // The messages shown so far.
    std::vector<ShownMessage> &Shown() { return messages.shown; }

    ObservingMessages messages;
    FakePlatform fakes;
    Platform platform{messages,         fakes.programEnd, fakes.fileDialogs,
                      fakes.fileSystem, fakes.printer,    '.'};
    ShowRecord record;
    ScreenContext context{record, platform};
};

// The message box the program shows for each refused entry.
ShownMessage InputError(const QString &text);
extern const QString kJudgesRefused;
extern const QString kBloomsRefused;
extern const QString kScoreRefused;

}  // namespace bis::testing
