#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/ProgramEnd.h"

namespace bis {

// Ends the program the Qt way: every window is hidden at once, without a close event, so no
// screen gets to ask a question or store anything, and the event loop is left.
class QtProgramEnd : public ProgramEnd {
  public:
    void endProgram() override;
};

}  // namespace bis
