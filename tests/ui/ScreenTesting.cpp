#include "ui/ScreenTesting.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/Screen.h"

namespace bis::testing {

const QString kJudgesRefused = QStringLiteral("The number of judges must be a positive integer");
const QString kBloomsRefused = QStringLiteral("The number of blooms must be a nonnegative integer");
const QString kScoreRefused = QStringLiteral(
    "The score must be a decimal number between 0 and 5 at increments of 0.5. If the judge "
    "erroneously entered a number greater than 5, then enter a 5 and continue.");

ShownMessage InputError(const QString &text) {
    return {QStringLiteral("Input Error"), text, false};
}

ScreenTest::~ScreenTest() {
    // Screens left open by a test go before the show record and the fakes they refer to.
    Screen::DeleteAll();
}

void ScreenTest::Activate(QWidget *window) {
    ASSERT_NE(window, nullptr);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    // Under the offscreen platform the window is active once the events of showing it are
    // handled. Under Qt's Windows platform, on which these tests run in Wine, the window manager
    // activates it some time later, so the wait goes on until it does: focus and access keys work
    // only in the active window.
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != window) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
}

void ScreenTest::Type(const QString &text) {
    ASSERT_NE(Focus(), nullptr);
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(Focus(), static_cast<char>(ch.unicode()));
        } else {
            // A letter beyond ASCII arrives as a key event carrying its text, as from an input
            // method or a national keyboard.
            QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
        }
    }
}

void ScreenTest::Tab() {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), Qt::Key_Tab);
}

void ScreenTest::BackTab() {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
}

void ScreenTest::Space() {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), Qt::Key_Space);
}

void ScreenTest::AltKey(char letter) {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
}

void ScreenTest::ClearFocusedBox() {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Focus(), Qt::Key_Delete);
}

void ScreenTest::Paste(const QString &text) {
    ASSERT_NE(Focus(), nullptr);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
}

void ScreenTest::Click(QWidget *control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control, Qt::LeftButton);
}

}  // namespace bis::testing
