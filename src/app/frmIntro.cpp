#include "app/frmIntro.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/BusyCursor.h"
#include "app/CommandButton.h"
#include "ballots/frmScorecard.h"
#include "files/FileActions.h"
#include "setup/frmSetUp.h"
#include "tabulation/frmSummaryReport.h"

namespace bis {

frmIntro::frmIntro(ScreenContext &context) : Screen(context, QStringLiteral("Introduction")) {
    setObjectName(QStringLiteral("frmIntro"));

    lblHead1 = Heading(QStringLiteral("lblHead1"), QStringLiteral("OXL BEST IN SHOW TABULATION"),
                       18, this);
    Label1 = WrappedLabel(
        QStringLiteral("Label1"),
        QStringLiteral("Press Set Up to begin a new show report. Press Recall Existing Report to "
                       "work with a report that has already been completed, for example to print "
                       "it. Use the Exit button only if you wish to terminate the program."),
        this);
    cmdSetup = Button(QStringLiteral("cmdSetup"), QStringLiteral("&Set Up "), this);
    cmdExisting =
        Button(QStringLiteral("cmdExisting"), QStringLiteral("&Recall Existing Report"), this);
    cmdExit = Button(QStringLiteral("cmdExit"), QStringLiteral("E&xit"), this);
    lblVersionNumber = Label(QStringLiteral("lblVersionNumber"), QString(), this);
    QFont versionFont = lblVersionNumber->font();
    versionFont.setPointSize(12);
    lblVersionNumber->setFont(versionFont);
    lblVersionNumber->setAlignment(Qt::AlignCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSetup, 2);
    buttons->addWidget(cmdExisting, 3);
    buttons->addWidget(cmdExit, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(16);
    layout->addWidget(lblHead1);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    layout->addWidget(lblVersionNumber);
    layout->addStretch(1);
    resize(560, 260);

    setTabOrder(cmdSetup, cmdExit);
    setTabOrder(cmdExit, cmdExisting);
    cmdSetup->setFocus();

    connect(cmdSetup, &CommandButton::Click, this, &frmIntro::cmdSetup_Click);
    connect(cmdExisting, &CommandButton::Click, this, &frmIntro::cmdExisting_Click);
    connect(cmdExit, &CommandButton::Click, this, &frmIntro::cmdExit_Click);

    Form_Load();
}

void frmIntro::Form_Load() {
    showRecord().Initialise();
    lblVersionNumber->setText(QString::fromStdString(showRecord().ProgramVersion));
}

void frmIntro::cmdSetup_Click() {
    showRecord().ReportSaved = 0;
    auto *next = new frmSetUp(context());
    Unload();
    next->ShowScreen();
}

void frmIntro::cmdExisting_Click() {
    if (RecallShow(platform(), this, showRecord())) {
        OpenSummary();
    }
}

bool frmIntro::RecallShowFile(const QString &path) {
    if (!RecallShowFrom(platform(), this, path, showRecord())) {
        return false;
    }
    OpenSummary();
    return true;
}

bool frmIntro::ContinueUnfinishedShow() {
    // Nothing of the program is on screen yet: the questions stand on their own.
    auto journal = context().journal.ContinueUnfinished(nullptr);
    if (!journal) {
        return false;
    }
    showRecord() = std::move(journal->show);
    Screen *next = journal->tabulated ? static_cast<Screen *>(new frmSummaryReport(context()))
                                      : new frmScorecard(context(), &journal->scorecard);
    Unload();
    next->ShowScreen();
    context().journal.TellWhatWasLost(next, *journal);
    return true;
}

void frmIntro::OpenSummary() {
    showRecord().ReportSaved = 1;
    // Tabulating and filling the summary of a large show takes a moment too.
    const BusyCursor busy;
    auto *next = new frmSummaryReport(context());
    Unload();
    next->ShowScreen();
}

void frmIntro::cmdExit_Click() {
    platform().programEnd.endProgram();
}

// Closing the introduction screen from its frame ends the program, as Exit does.
void frmIntro::Form_CloseRequested() {
    cmdExit_Click();
}

}  // namespace bis
