#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/PrintModule.h"
#include "platform/Printer.h"

namespace bis {

// The printer of the print module; without the module, the printer is not available.
class ModulePrinter : public Printer {
  public:
    explicit ModulePrinter(PrintModule &module) : module_(module) {}
    [[nodiscard]] PrintFailure print(const PrintedReport &report) override;

  private:
    PrintModule &module_;
};

}  // namespace bis
