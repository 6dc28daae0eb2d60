#pragma once

#include "platform/QtPlatformOnly.h"

#include <QStringList>

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

}  // namespace bis
