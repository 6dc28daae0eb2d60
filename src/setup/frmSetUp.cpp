#include "setup/frmSetUp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/CommandButton.h"
#include "app/EntryChecks.h"
#include "app/ScreenTexts.h"
#include "app/TextBox.h"
#include "setup/ShowTextValidator.h"
#include "setup/frmInfoCheck.h"

namespace bis {

namespace {

const QString kBloomsRefused = QStringLiteral("The number of blooms must be a nonnegative integer");

TextBox *NamedBox(const QString &name, QWidget *parent) {
    auto *box = new TextBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

frmSetUp::frmSetUp(ScreenContext &context) : Screen(context, QStringLiteral("Set Up ")) {
    setObjectName(QStringLiteral("frmSetUp"));

    Label1 = Heading(QStringLiteral("Label1"), QStringLiteral("SET UP SCREEN"), 16, this);
    lblClubName = Label(QStringLiteral("lblClubName"),
                        QStringLiteral("Enter the name of the sponsoring club"), this);
    txtClubName = NamedBox(QStringLiteral("txtClubName"), this);
    lblLocation = Label(QStringLiteral("lblLocation"),
                        QStringLiteral("Enter the show city, state and region"), this);
    txtLocation = NamedBox(QStringLiteral("txtLocation"), this);
    lblShowDate = Label(QStringLiteral("lblShowDate"),
                        QStringLiteral("Enter the date of the show (mm/dd/yyyy)"), this);
    txtShowDate = NamedBox(QStringLiteral("txtShowDate"), this);
    lblJudges =
        Label(QStringLiteral("lblJudges"), QStringLiteral("Enter the number of judges"), this);
    txtJudges = NamedBox(QStringLiteral("txtJudges"), this);
    txtJudges->setToolTip(QStringLiteral("Enter the number of judges."));
    for (TextBox *box : {txtClubName, txtLocation, txtShowDate}) {
        box->setValidator(new ShowTextValidator(box));
    }
    NameBox(*lblClubName, *txtClubName, QStringLiteral("Sponsoring club"));
    NameBox(*lblLocation, *txtLocation, QStringLiteral("Show location"));
    NameBox(*lblShowDate, *txtShowDate, QStringLiteral("Show date (mm/dd/yyyy)"));
    NameBox(*lblJudges, *txtJudges, QStringLiteral("Number of judges"));

    lblBlooms = WrappedLabel(QStringLiteral("lblBlooms"),
                             QStringLiteral("BLOOMS: If no entry qualified in a category, enter "
                                            "zero. Otherwise enter the number of blooms on the "
                                            "entry."),
                             this);
    for (int i = 1; i <= kCategoryCount; ++i) {
        lblCategory.set(i, Label(QStringLiteral("lblCategory%1").arg(i), QString(), this));
        txtBlooms.set(i, NamedBox(QStringLiteral("txtBlooms%1").arg(i), this));
        txtBlooms(i).setMaximumWidth(80);
        lblCategory(i).setBuddy(&txtBlooms(i));
    }
    lblCaution = WrappedLabel(QStringLiteral("lblCaution"),
                              QStringLiteral("Check the information above carefully before "
                                             "pressing Continue. If you wish to leave the program "
                                             "without processing, press Exit."),
                              this);
    cmdContinue = Button(QStringLiteral("cmdContinue"), QStringLiteral("Continue"), this);
    cmdContinue->setToolTip(QStringLiteral("Process judges' scores"));
    cmdExit = Button(QStringLiteral("cmdExit"), QStringLiteral("E&xit"), this);
    cmdExit->setToolTip(QStringLiteral("Exit program, lose information"));
    Label3 = WrappedLabel(QStringLiteral("Label3"),
                          QStringLiteral(" Note: The category \"DBL.+POLY.+ MULTI.\" abbreviates "
                                         "\"DOUBLE, POLYMEROUS, MULTIFORM\""),
                          this);

    auto *particulars = new QGridLayout;
    particulars->setColumnStretch(1, 1);
    const QList<std::pair<QLabel *, TextBox *>> rows = {
        {lblClubName, txtClubName}, {lblLocation, txtLocation}, {lblShowDate, txtShowDate}};
    for (int row = 0; row < rows.size(); ++row) {
        particulars->addWidget(rows[row].first, row, 0);
        particulars->addWidget(rows[row].second, row, 1);
    }
    txtJudges->setMaximumWidth(80);
    particulars->addWidget(lblJudges, 3, 0);
    particulars->addWidget(txtJudges, 3, 1, Qt::AlignLeft);

    // Two columns of five categories: 1 to 5 down the left, 6 to 10 down the right.
    auto *categories = new QGridLayout;
    categories->setHorizontalSpacing(12);
    categories->setColumnMinimumWidth(2, 24);
    categories->setColumnStretch(0, 1);
    categories->setColumnStretch(3, 1);
    for (int i = 1; i <= kCategoryCount; ++i) {
        const int row = (i - 1) % kCategoriesPerColumn;
        const int column = i <= kCategoriesPerColumn ? 0 : 3;
        categories->addWidget(&lblCategory(i), row, column);
        categories->addWidget(&txtBlooms(i), row, column + 1);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdContinue);
    buttons->addStretch();
    buttons->addWidget(cmdExit);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addLayout(particulars);
    layout->addSpacing(6);
    layout->addWidget(lblBlooms);
    layout->addLayout(categories);
    layout->addSpacing(6);
    layout->addWidget(lblCaution);
    layout->addLayout(buttons);
    layout->addWidget(Label3);
    resize(640, 560);

    QWidget *previous = txtClubName;
    for (QWidget *next : std::initializer_list<QWidget *>{txtLocation, txtShowDate, txtJudges}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (int i = 1; i <= kCategoryCount; ++i) {
        setTabOrder(previous, &txtBlooms(i));
        previous = &txtBlooms(i);
    }
    setTabOrder(previous, cmdContinue);
    setTabOrder(cmdContinue, cmdExit);
    txtClubName->setFocus();

    connect(txtClubName, &TextBox::LostFocus, this, &frmSetUp::txtClubName_LostFocus);
    connect(txtLocation, &TextBox::LostFocus, this, &frmSetUp::txtLocation_LostFocus);
    connect(txtShowDate, &TextBox::LostFocus, this, &frmSetUp::txtShowDate_LostFocus);
    connect(txtJudges, &TextBox::LostFocus, this, &frmSetUp::txtJudges_LostFocus);
    for (int i = 1; i <= kCategoryCount; ++i) {
        connect(&txtBlooms(i), &TextBox::LostFocus, this, [this, i] { txtBlooms_LostFocus(i); });
    }
    connect(cmdContinue, &CommandButton::Click, this, &frmSetUp::cmdContinue_Click);
    connect(cmdExit, &CommandButton::Click, this, &frmSetUp::cmdExit_Click);

    Form_Load();
}

void frmSetUp::Form_Load() {
    for (int i = 1; i <= showRecord().NumCategories; ++i) {
        CaptionCategory(lblCategory(i), i, {{&txtBlooms(i), QStringLiteral("blooms")}});
    }
}

void frmSetUp::txtClubName_LostFocus() {
    showRecord().ClubName = txtClubName->text().toStdString();
}

void frmSetUp::txtLocation_LostFocus() {
    showRecord().ShowLocation = txtLocation->text().toStdString();
}

void frmSetUp::txtShowDate_LostFocus() {
    showRecord().ShowDate = txtShowDate->text().toStdString();
}

void frmSetUp::txtJudges_LostFocus() {
    const auto count = JudgeCountEntry(EntryBytes(txtJudges->text()), platform().decimalSeparator);
    if (!count) {
        RefuseEntry(*txtJudges, kJudgeCountRefused);
        return;
    }
    showRecord().NumJudges = *count;
}

void frmSetUp::txtBlooms_LostFocus(int index) {
    const auto count =
        BloomCountEntry(EntryBytes(txtBlooms(index).text()), platform().decimalSeparator);
    if (!count) {
        RefuseEntry(txtBlooms(index), kBloomsRefused);
        return;
    }
    showRecord().Blooms(index) = *count;
}

void frmSetUp::cmdContinue_Click() {
    auto *next = new frmInfoCheck(context(), *this);
    hide();
    next->ShowScreen();
}

void frmSetUp::cmdExit_Click() {
    EndProgramAfterWarning(kExitLosesAllInformation);
}

// Closing the set-up screen from its frame asks the same question as Exit, so typed entries are
// never lost without a word.
void frmSetUp::Form_CloseRequested() {
    cmdExit_Click();
}

}  // namespace bis
