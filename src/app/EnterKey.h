#pragma once

#include <QKeyEvent>

namespace bis {

// True for Return or the keypad's Enter (which arrives with the keypad modifier) pressed without
// Shift, Control, Alt or Meta: the key that moves on from an entry box and presses a focused
// button.
[[nodiscard]] inline bool IsPlainEnter(const QKeyEvent &event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

}  // namespace bis
