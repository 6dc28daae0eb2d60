// The entry point of the print module, the one symbol it exports.
#include <QtGlobal>
#include <cstring>

#include "app/ProgramVersion.h"
#include "platform/PrintSupport.h"
#include "platform/QtPdfMaker.h"
#include "platform/QtPrinter.h"

namespace {

class QtPrintSupport final : public bis::PrintSupport {
  public:
    bis::Printer &printer() override { return printer_; }
    bis::PdfMaker &pdfMaker() override { return pdfMaker_; }

  private:
    bis::QtPrinter printer_;
    // Made on the first call, once the application object has read the locale.
    bis::QtPdfMaker pdfMaker_;
};

}  // namespace

extern "C" Q_DECL_EXPORT bis::PrintSupport *bestinshow_print_support(const char *programVersion) {
    if (programVersion == nullptr || std::strcmp(programVersion, bis::kProgramVersion) != 0) {
        return nullptr;
    }
    static QtPrintSupport support;
    return &support;
}
