#include "platform/ModulePrinter.h"

#include "platform/PrintSupport.h"

namespace bis {

PrintFailure ModulePrinter::print(const PrintedReport &report) {
    PrintSupport *const support = module_.support();
    if (support == nullptr) {
        return {PrintFailure::Kind::NotAvailable, {}};
    }
    return support->printer().print(report);
}

}  // namespace bis
