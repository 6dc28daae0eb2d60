#include "setup/frmInfoCheck.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/CommandButton.h"
#include "app/ScreenTexts.h"
#include "ballots/frmScorecard.h"
#include "setup/frmSetUp.h"

namespace bis {

frmInfoCheck::frmInfoCheck(ScreenContext &context, frmSetUp &setUp)
    : Screen(context, QStringLiteral("Information Check")), setUp_(setUp) {
    setObjectName(QStringLiteral("frmInfoCheck"));

    lblTitle = Heading(QStringLiteral("lblTitle"), QStringLiteral("INFORMATION CHECK"), 16, this);
    lblInstructions = WrappedLabel(
        QStringLiteral("lblInstructions"),
        QStringLiteral("Please check the information below carefully. If any information is "
                       "incorrect, it may not be possible to correct it if you continue. If is "
                       "correct, press Continue. If it is incorrect, press Go back."),
        this);
    lblNumJudge = Label(QStringLiteral("lblNumJudge"), QStringLiteral("Number of Judges"), this);
    txtNumJudges = DisplayBox(QStringLiteral("txtNumJudges"), this);
    txtNumJudges->setMaximumWidth(80);
    lblEligible = Label(QStringLiteral("lblEligible"),
                        QStringLiteral("Categories with an eligible entry."), this);
    lstEligible = new QListWidget(this);
    lstEligible->setObjectName(QStringLiteral("lstEligible"));
    lblIneligible = Label(QStringLiteral("lblIneligible"),
                          QStringLiteral("Categories with no eligible entry."), this);
    lstIneligible = new QListWidget(this);
    lstIneligible->setObjectName(QStringLiteral("lstIneligible"));
    for (QListWidget *list : {lstEligible, lstIneligible}) {
        list->setFocusPolicy(Qt::NoFocus);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 10 + 12);
    }
    NameBox(*lblNumJudge, *txtNumJudges, lblNumJudge->text());
    NameBox(*lblEligible, *lstEligible, lblEligible->text());
    NameBox(*lblIneligible, *lstIneligible, lblIneligible->text());
    cmdContinue = Button(QStringLiteral("cmdContinue"), QStringLiteral("&Continue"), this);
    cmdContinue->setToolTip(QStringLiteral("Press if the information is correct."));
    cmdBack = Button(QStringLiteral("cmdBack"), QStringLiteral("&Go back"), this);
    cmdBack->setToolTip(QStringLiteral("  Press if the information must be changed."));

    auto *judges = new QHBoxLayout;
    judges->addWidget(lblNumJudge);
    judges->addWidget(txtNumJudges);
    judges->addStretch();

    auto *lists = new QGridLayout;
    lists->setHorizontalSpacing(20);
    lists->addWidget(lblEligible, 0, 0);
    lists->addWidget(lstEligible, 1, 0);
    lists->addWidget(lblIneligible, 0, 1);
    lists->addWidget(lstIneligible, 1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdContinue);
    buttons->addStretch();
    buttons->addWidget(cmdBack);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(lblTitle);
    layout->addWidget(lblInstructions);
    layout->addLayout(judges);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    resize(560, 400);

    setTabOrder(cmdContinue, cmdBack);
    cmdContinue->setFocus();

    connect(cmdContinue, &CommandButton::Click, this, &frmInfoCheck::cmdContinue_Click);
    connect(cmdBack, &CommandButton::Click, this, &frmInfoCheck::cmdBack_Click);

    Form_Load();
}

void frmInfoCheck::Form_Load() {
    txtNumJudges->setText(QString::number(showRecord().NumJudges));
    for (int i = 1; i <= showRecord().NumCategories; ++i) {
        QListWidget *list = showRecord().Blooms(i) > 0 ? lstEligible : lstIneligible;
        list->addItem(QString::fromStdString(showRecord().CategoryName(i)));
    }
}

void frmInfoCheck::cmdContinue_Click() {
    // The scorecard needs at least one judge; a judges box never filled in is caught here.
    if (showRecord().NumJudges < 1) {
        platform().messages.notice(this, kInputErrorTitle, kJudgeCountRefused);
        return;
    }
    auto *next = new frmScorecard(context());
    Unload();
    setUp_.Unload();
    next->ShowScreen();
}

void frmInfoCheck::cmdBack_Click() {
    Unload();
    setUp_.ShowScreen();
}

// Closing the information check from its frame is the same as Go back.
void frmInfoCheck::Form_CloseRequested() {
    cmdBack_Click();
}

}  // namespace bis
