#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/PdfMaker.h"
#include "platform/Printer.h"

namespace bis {

// What the print module hands the program: the printer and the PDF maker on the toolkit's print
// support. They stay valid while the module is loaded, which is until the program ends.
class PrintSupport {
  public:
    virtual ~PrintSupport() = default;
    [[nodiscard]] virtual Printer &printer() = 0;
    [[nodiscard]] virtual PdfMaker &pdfMaker() = 0;
};

// The module's one entry point, a C function of this name and type. Given the program's version
// text, it answers its print support, or nothing when the module was built for another version
// (whose report types may differ from the program's).
inline constexpr const char *kPrintSupportEntry = "bestinshow_print_support";
using PrintSupportEntry = PrintSupport *(*)(const char *programVersion);

}  // namespace bis
