#pragma once

namespace bis {

// Shows the busy cursor over the whole program for as long as it lives, so that an action that
// takes a while (reading or writing a file, printing, building a screen for a large show) never
// looks frozen. Whatever way the scope is left, the cursor is the one it was before. A message
// box must never appear while one lives: end the scope before showing one. Only the screens use
// it, so a graphical application always runs.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

}  // namespace bis
