#pragma once

#include "app/CommandButton.h"

namespace bis::testing {

// True when the button is shown (as far as its window goes) and enabled: what setAvailable(true)
// promises.
[[nodiscard]] inline bool IsAvailable(const CommandButton *button) {
    return button->isVisibleTo(button->window()) && button->isEnabled();
}

}  // namespace bis::testing
