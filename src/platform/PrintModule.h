#pragma once

#include "platform/QtPlatformOnly.h"

#include <QStringList>

#include "platform/PdfMaker.h"
#include "platform/Printer.h"

namespace bis {

class PrintSupport;

// Where the program looks for its print module: beside the program (its place on Windows, and
// in the build folder) and, on Linux, in the private library folder of the installed program.
[[nodiscard]] QStringList PrintModulePlaces();

// The print module: the printer and the PDF maker with the toolkit's print support and the print
// system's library, loaded only when the program first prints or writes a PDF report, so that
// starting the program does not load those libraries. A module that is missing, cannot be loaded,
// lacks the entry point or belongs to another version of the program is passed over.
class PrintModule {
  public:
    // Looks at the given files, in this order.
    explicit PrintModule(QStringList places = PrintModulePlaces());

    // The print support of the first usable module, loaded on the first call; nothing when no
    // place holds one. The module stays loaded until the program ends.
    [[nodiscard]] PrintSupport *support();

  private:
    QStringList places_;
    bool looked_ = false;
    PrintSupport *support_ = nullptr;
};

// The printer of the print module; without the module, the printer is not available.
class ModulePrinter : public Printer {
  public:
    explicit ModulePrinter(PrintModule &module) : module_(module) {}
    [[nodiscard]] PrintFailure print(const PrintedReport &report) override;

  private:
    PrintModule &module_;
};

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
