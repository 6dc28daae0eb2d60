#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "files/Reports.h"
#include "platform/ModulePdfMaker.h"
#include "platform/ModulePrinter.h"
#include "platform/PrintModule.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

// A print module that is missing or cannot be loaded: the printer is not available, which Print
// Report shows as "Sorry, the printer is not available.", and the PDF maker makes nothing, so the
// command line reports its failure.
class WithoutThePrintModuleTest : public ::testing::TestWithParam<const char *> {};

TEST_P(WithoutThePrintModuleTest, ThePrinterIsNotAvailableAndNoPdfIsMade) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString place = folder.filePath(QStringLiteral("print-module"));
    if (GetParam() != nullptr) {
        QFile file(place);
        ASSERT_TRUE(file.open(QIODevice::NewOnly));
        ASSERT_GT(file.write(GetParam()), 0);
    }
    PrintModule module({place});
    ModulePrinter printer(module);
    ModulePdfMaker pdfMaker(module);
    const PrintedReport report = PrintedReportPages(testing::SampleShow());

    EXPECT_EQ(printer.print(report).kind, PrintFailure::Kind::NotAvailable);
    EXPECT_FALSE(pdfMaker.makePdf(report, QStringLiteral("t")));
}

INSTANTIATE_TEST_SUITE_P(Modules, WithoutThePrintModuleTest,
                         ::testing::Values<const char *>(nullptr, "not a library"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param == nullptr ? "Missing" : "Broken");
                         });

}  // namespace
}  // namespace bis
