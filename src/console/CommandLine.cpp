#include "console/CommandLine.h"

#include <QCommandLineParser>
#include <algorithm>
#include <array>

#include "app/ProgramVersion.h"
#include "platform/FileNames.h"

namespace bis {

namespace {

const QString kProgramName = QStringLiteral("bestinshow");

// One option of the program as the help lists it.
struct OptionEntry {
    QStringList names;
    QString valueName;  // empty for an option without a value
    QString description;
};

const OptionEntry kTextReport{{QStringLiteral("text-report")},
                              QStringLiteral("FILE"),
                              QStringLiteral("Write the text report, as Prepare Report to View "
                                             "does.")};
const OptionEntry kCsvReport{{QStringLiteral("csv-report")},
                             QStringLiteral("FILE"),
                             QStringLiteral("Write the CSV report, as Prepare CSV Report does.")};
const OptionEntry kPdfReport{{QStringLiteral("pdf-report")},
                             QStringLiteral("FILE"),
                             QStringLiteral("Write the pages Print Report prints, as a PDF "
                                            "file.")};
const OptionEntry kHelp{
    {QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("Show this help.")};
const OptionEntry kVersion{{QStringLiteral("v"), QStringLiteral("version")},
                           {},
                           QStringLiteral("Show the program's version.")};

const std::array<const OptionEntry *, 5> kOptions = {&kTextReport, &kCsvReport, &kPdfReport, &kHelp,
                                                     &kVersion};

QCommandLineOption ParserOption(const OptionEntry &entry) {
    return QCommandLineOption(entry.names, entry.description, entry.valueName);
}

// "-h, --help" or "--text-report FILE".
QString OptionSynopsis(const OptionEntry &entry) {
    QStringList spelled;
    for (const QString &name : entry.names) {
        spelled << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString synopsis = spelled.join(QStringLiteral(", "));
    if (!entry.valueName.isEmpty()) {
        synopsis += u' ' + entry.valueName;
    }
    return synopsis;
}

// The name as the user wrote it with its dashes, for the messages.
QString Spelled(const OptionEntry &entry) {
    return QStringLiteral("--") + entry.names.constLast();
}

CommandLine UsageError(const QString &error) {
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = error;
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    for (const OptionEntry *entry : kOptions) {
        parser.addOption(ParserOption(*entry));
    }
    if (!parser.parse(arguments)) {
        return UsageError(parser.errorText());
    }
    if (parser.isSet(kHelp.names.constLast())) {
        CommandLine line;
        line.action = CommandLine::Action::ShowHelp;
        return line;
    }
    if (parser.isSet(kVersion.names.constLast())) {
        CommandLine line;
        line.action = CommandLine::Action::ShowVersion;
        return line;
    }

    CommandLine line;
    struct Report {
        const OptionEntry &entry;
        QString &path;
    };
    const std::array<Report, 3> reports = {{{kTextReport, line.files.textReport},
                                            {kCsvReport, line.files.csvReport},
                                            {kPdfReport, line.files.pdfReport}}};
    for (const Report &report : reports) {
        const QStringList values = parser.values(report.entry.names.constLast());
        if (values.size() > 1) {
            return UsageError(Spelled(report.entry) + QStringLiteral(" is given more than once."));
        }
        if (values.size() == 1) {
            if (values[0].isEmpty()) {
                return UsageError(Spelled(report.entry) +
                                  QStringLiteral(" needs the name of its file."));
            }
            report.path = values[0];
        }
    }
    for (std::size_t i = 0; i < reports.size(); ++i) {
        for (std::size_t j = i + 1; j < reports.size(); ++j) {
            if (!reports[i].path.isEmpty() && !reports[j].path.isEmpty() &&
                SameFileKey(reports[i].path) == SameFileKey(reports[j].path)) {
                return UsageError(Spelled(reports[i].entry) + QStringLiteral(" and ") +
                                  Spelled(reports[j].entry) +
                                  QStringLiteral(" name the same file."));
            }
        }
    }

    const QStringList showFiles = parser.positionalArguments();
    if (showFiles.size() > 1) {
        return UsageError(
            QStringLiteral("Only one show file can be given, not %1.").arg(showFiles.size()));
    }
    if (showFiles.size() == 1) {
        if (showFiles[0].isEmpty()) {
            return UsageError(QStringLiteral("The name of the show file is empty."));
        }
        line.files.showFile = showFiles[0];
    }
    if (line.files.anyReport()) {
        if (line.files.showFile.isEmpty()) {
            return UsageError(QStringLiteral("The reports need the show file to write them from."));
        }
        line.action = CommandLine::Action::WriteReports;
    }
    return line;
}

namespace {

// The two forms of the command.
QString UsageLines() {
    return QStringLiteral("Usage: ") + kProgramName + QStringLiteral(" [SHOW.oxl]\n       ") +
           kProgramName +
           QStringLiteral(
               " [--text-report FILE] [--csv-report FILE] [--pdf-report FILE] SHOW.oxl\n");
}

}  // namespace

QString HelpText() {
    QString text =
        UsageLines() +
        QStringLiteral(
            "\n"
            "Tabulates the secret ballots for the Best in Show award at a flower show.\n"
            "With a show file alone, opens it on the summary of results, as Recall\n"
            "Existing Report does. With any report option, writes those reports of the\n"
            "show file and opens no window; the PDF report is on Letter paper where the\n"
            "locale measures in US units, on A4 elsewhere. An existing file is never\n"
            "replaced, and when one report cannot be written, none is left.\n"
            "\n"
            "Options:\n");
    qsizetype width = 0;
    for (const OptionEntry *entry : kOptions) {
        width = std::max(width, OptionSynopsis(*entry).size());
    }
    for (const OptionEntry *entry : kOptions) {
        text += QStringLiteral("  ") + OptionSynopsis(*entry).leftJustified(width + 2) +
                entry->description + u'\n';
    }
    text += QStringLiteral(
        "\n"
        "Exit status: 0 when done, 1 when a file could not be read or written, 2 when the\n"
        "command line is wrong.\n");
    return text;
}

QString VersionText() {
    return kProgramName + u' ' + QString::fromLatin1(kProgramVersion) + u'\n';
}

QString UsageErrorText(const QString &error) {
    return kProgramName + QStringLiteral(": ") + error + u'\n' + UsageLines() +
           QStringLiteral("Try '") + kProgramName + QStringLiteral(" --help' for more.\n");
}

}  // namespace bis
