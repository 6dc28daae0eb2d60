#include "app/TextBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "app/EnterKey.h"

namespace bis {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

void TextBox::settleLostFocus() {
    if (owesLostFocus_) {
        owesLostFocus_ = false;
        emit LostFocus();
    }
}

void TextBox::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    owesLostFocus_ = true;
}

void TextBox::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    // A screen that is being hidden or unloaded checks nothing on the way out.
    if (!isVisible() || !window()->isVisible()) {
        return;
    }
    settleLostFocus();
}

void TextBox::keyPressEvent(QKeyEvent *event) {
    // Tabulators typing ballots on a numeric keypad end each score with Enter: it moves to the
    // next control in the tab order as Tab does, so the entry is checked on the way out and a
    // refused entry keeps the focus.
    if (IsPlainEnter(*event)) {
        event->accept();
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace bis
