#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "files/FileActions.h"
#include "platform/PrintModule.h"
#include "support/Fakes.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

// A print module that is missing or cannot be loaded: Print Report says that the printer is not
// available, and the PDF maker makes nothing, so the command line reports its failure.
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
    testing::FakeMessages messages;
    testing::FakeProgramEnd programEnd;
    testing::FakeFileDialogs dialogs;
    testing::FakeFileSystem fileSystem;
    Platform platform{messages, programEnd, dialogs, fileSystem, printer, '.'};

    PrintReport(platform, nullptr, testing::SampleShow());

    EXPECT_EQ(messages.shown, (std::vector<testing::ShownMessage>{
                                  {"File error", "Sorry, the printer is not available.", false}}));
    EXPECT_FALSE(pdfMaker.makePdf(PrintedReportPages(testing::SampleShow()), QStringLiteral("t")));
}

INSTANTIATE_TEST_SUITE_P(Modules, WithoutThePrintModuleTest,
                         ::testing::Values<const char *>(nullptr, "not a library"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param == nullptr ? "Missing" : "Broken");
                         });

}  // namespace
}  // namespace bis
