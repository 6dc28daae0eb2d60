#include <gtest/gtest.h>

#include <QPrinterInfo>

#include "files/Reports.h"
#include "platform/QtPrinter.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

// Without any printer the toolkit would quietly write a PDF file instead; the program must say
// that there is no printer, which the file actions show as "Sorry, the printer is not available."
// (With a real print queue, see the printer test run as root.)
TEST(QtPrinterTest, WithoutADefaultPrinterThePrinterIsNotAvailable) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer ("
                     << QPrinterInfo::defaultPrinter().printerName().toStdString()
                     << "), and the test must not print on it";
    }
    const PrintFailure failure = QtPrinter().print(PrintedReportPages(testing::SampleShow()));

    EXPECT_EQ(failure.kind, PrintFailure::Kind::NotAvailable);
    EXPECT_EQ(failure.description, QString());
}

}  // namespace
}  // namespace bis
