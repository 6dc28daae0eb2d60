#include "app/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/CommandButton.h"
#include "app/NumberText.h"
#include "app/ScreenTexts.h"
#include "app/TextBox.h"
#include "files/Cp1252.h"

namespace bis {

Screen::Screen(ScreenContext &context, const QString &title) : context_(context) {
    setWindowTitle(title);
}

void Screen::ShowScreen() {
    show();
    raise();
    activateWindow();
}

void Screen::Unload() {
    hide();
    deleteLater();
}

void Screen::DeleteAll() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Every screen is a window of its own; none owns another, so each is deleted once.
    QList<Screen *> screens;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<Screen *>(window)) {
            screens.append(screen);
        }
    }
    qDeleteAll(screens);
}

void Screen::closeEvent(QCloseEvent *event) {
    event->ignore();
    Form_CloseRequested();
}

std::string Screen::EntryBytes(const QString &text) {
    return Cp1252FromUtf8(text.toStdString());
}

QString Screen::ScoreDisplay(double value) {
    return QString::fromStdString(
        Utf8FromCp1252(ScoreText(value, context_.platform.decimalSeparator)));
}

void Screen::EndProgramAfterWarning(const QString &text) {
    if (platform().messages.ask(this, kWarningTitle, text)) {
        // The Tabulator gave the show up: no later start offers to continue it.
        context_.journal.Close();
        platform().programEnd.endProgram();
    }
}

void Screen::RefuseEntry(TextBox &box, const QString &text) {
    box.clear();
    platform().messages.notice(this, kInputErrorTitle, text);
    box.setFocus(Qt::OtherFocusReason);
}

CommandButton *Screen::Button(const QString &objectName, const QString &caption, QWidget *parent) {
    auto *button = new CommandButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QLineEdit *Screen::DisplayBox(const QString &objectName, QWidget *parent) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel *Screen::Label(const QString &objectName, const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

void Screen::RetainPlaceWhenHidden(QWidget &widget) {
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
}

QLabel *Screen::Heading(const QString &objectName, const QString &text, int pointSize,
                        QWidget *parent) {
    auto *label = Label(objectName, text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *Screen::WrappedLabel(const QString &objectName, const QString &text, QWidget *parent) {
    auto *label = Label(objectName, text, parent);
    label->setWordWrap(true);
    return label;
}

void Screen::NameBox(QLabel &label, QWidget &box, const QString &name) {
    label.setBuddy(&box);
    box.setAccessibleName(name);
}

void Screen::CaptionCategory(QLabel &label, int category,
                             const QList<std::pair<QWidget *, QString>> &boxes) {
    const QString name = QString::fromStdString(showRecord().CategoryName(category));
    label.setText(name);
    for (const auto &[box, holds] : boxes) {
        box->setAccessibleName(name + u' ' + holds);
    }
}

}  // namespace bis
