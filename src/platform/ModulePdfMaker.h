#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <optional>
#include <string>

#include "platform/PdfMaker.h"
#include "platform/PrintModule.h"

namespace bis {

// The PDF maker of the print module; without the module, no document can be made.
class ModulePdfMaker : public PdfMaker {
  public:
    explicit ModulePdfMaker(PrintModule &module) : module_(module) {}
    [[nodiscard]] std::optional<std::string> makePdf(const PrintedReport &report,
                                                     const QString &title) override;

  private:
    PrintModule &module_;
};

}  // namespace bis
