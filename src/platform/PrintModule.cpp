#include "platform/PrintModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <utility>

#include "app/ProgramVersion.h"
#include "platform/PrintSupport.h"

namespace bis {

QStringList PrintModulePlaces() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral(BESTINSHOW_PRINT_MODULE);
    // The installed program's folder for the module, relative to the program's own; empty where
    // the module is installed beside the program.
    const QString installedFolder = QStringLiteral(BESTINSHOW_PRINT_MODULE_FOLDER);
    QStringList places{programFolder.filePath(name)};
    if (!installedFolder.isEmpty()) {
        places.append(programFolder.filePath(installedFolder + u'/' + name));
    }
    return places;
}

PrintModule::PrintModule(QStringList places) : places_(std::move(places)) {}

PrintSupport *PrintModule::support() {
    if (looked_) {
        return support_;
    }
    looked_ = true;
    for (const QString &place : std::as_const(places_)) {
        QLibrary library(place);
        if (!library.load()) {
            continue;
        }
        const auto entry = reinterpret_cast<PrintSupportEntry>(library.resolve(kPrintSupportEntry));
        support_ = entry != nullptr ? entry(kProgramVersion) : nullptr;
        if (support_ != nullptr) {
            break;
        }
        library.unload();
    }
    return support_;
}

}  // namespace bis
