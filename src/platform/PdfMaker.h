#pragma once

#include <QString>
#include <optional>
#include <string>

#include "files/Reports.h"

namespace bis {

// Makes the printed report into a PDF document in memory, laid out as the printer lays it out.
class PdfMaker {
  public:
    virtual ~PdfMaker() = default;

    // The bytes of the PDF document of the report, with the title in the document's properties;
    // nothing when the report could not be painted.
    [[nodiscard]] virtual std::optional<std::string> makePdf(const PrintedReport &report,
                                                             const QString &title) = 0;
};

}  // namespace bis
