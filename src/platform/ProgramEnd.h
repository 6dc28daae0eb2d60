#pragma once

namespace bis {

// Ends the program at once: every window closes and nothing is saved on the way out.
class ProgramEnd {
  public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
};

}  // namespace bis
