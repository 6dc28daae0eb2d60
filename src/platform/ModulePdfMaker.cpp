#include "platform/ModulePdfMaker.h"

#include "platform/PrintSupport.h"

namespace bis {

std::optional<std::string> ModulePdfMaker::makePdf(const PrintedReport &report,
                                                   const QString &title) {
    PrintSupport *const support = module_.support();
    if (support == nullptr) {
        return std::nullopt;
    }
    return support->pdfMaker().makePdf(report, title);
}

}  // namespace bis
