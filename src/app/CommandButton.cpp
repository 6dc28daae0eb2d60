#include "app/CommandButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

#include "app/EnterKey.h"
#include "app/TextBox.h"

namespace bis {

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, &CommandButton::act);
}

void CommandButton::setAvailable(bool available) {
    setVisible(available);
    setEnabled(available);
}

bool CommandButton::event(QEvent *event) {
    // Alt with the access key presses the button at once, as a click does, instead of after the
    // short animation Qt plays; the entry check and the action then run within the key press.
    if (event->type() == QEvent::Shortcut && isEnabled() &&
        !static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
        click();
        return true;
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event) {
    // Return presses a focused button as Space does, as users of the show-day machines expect;
    // so does the keypad's Enter.
    if (IsPlainEnter(*event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::mousePressEvent(QMouseEvent *event) {
    // Qt moves the focus to the button before the press reaches it. If the focus is not here now,
    // the box that was left refused its entry and took the focus back; that press does nothing.
    if (event->button() == Qt::LeftButton && window()->focusWidget() != this) {
        event->ignore();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CommandButton::act() {
    TextBox *owing = nullptr;
    for (TextBox *box : window()->findChildren<TextBox *>()) {
        if (box->owesLostFocus()) {
            owing = box;
            break;
        }
    }
    // An access key presses the button without moving the focus: move it here first, as a click
    // would, so the box being left checks its entry before the button acts.
    if (window()->focusWidget() != this) {
        setFocus(Qt::ShortcutFocusReason);
    }
    if (owing != nullptr && owing->owesLostFocus() && window()->focusWidget() == this) {
        owing->settleLostFocus();
    }
    if (window()->focusWidget() != this) {
        return;
    }
    emit Click();
}

}  // namespace bis
