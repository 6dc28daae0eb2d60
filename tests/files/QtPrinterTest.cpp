#include <gtest/gtest.h>

#include <QPrinterInfo>

#include "files/FileActions.h"
#include "platform/QtPrinter.h"
#include "support/Fakes.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

// Without any printer the toolkit would quietly write a PDF file instead; the program must say
// that there is no printer. (With a real print queue, see the printer test run as root.)
TEST(QtPrinterTest, WithoutADefaultPrinterThePrinterIsNotAvailable) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer ("
                     << QPrinterInfo::defaultPrinter().printerName().toStdString()
                     << "), and the test must not print on it";
    }
    testing::FakeMessages messages;
    testing::FakeProgramEnd programEnd;
    testing::FakeFileDialogs dialogs;
    testing::FakeFileSystem fileSystem;
    QtPrinter printer;
    Platform platform{messages, programEnd, dialogs, fileSystem, printer, '.'};

    PrintReport(platform, nullptr, testing::SampleShow());

    EXPECT_EQ(messages.shown, (std::vector<testing::ShownMessage>{
                                  {"File error", "Sorry, the printer is not available.", false}}));
}

}  // namespace
}  // namespace bis
