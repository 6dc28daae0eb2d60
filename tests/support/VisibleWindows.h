#pragma once

#include <QApplication>
#include <QWidget>

namespace bis::testing {

// The number of visible top-level windows: a window a test left open, or a message box that was
// never answered, counts.
[[nodiscard]] inline int VisibleWindowCount() {
    int count = 0;
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        count += window->isVisible() ? 1 : 0;
    }
    return count;
}

}  // namespace bis::testing
