#include "platform/TextBox.h"

#include <QFocusEvent>

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

}  // namespace bis
