#include "platform/QtMessages.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

namespace bis {

namespace {

// A box that shows the text as it stands: no icon, and no guess at rich text.
void Prepare(QMessageBox &box, const QString &title, const QString &text) {
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
}

// Some styles decorate Yes, No and OK with pictures; the program's message boxes carry none.
void RemoveButtonIcons(QMessageBox &box) {
    for (QAbstractButton *button : box.buttons()) {
        button->setIcon(QIcon());
    }
}

}  // namespace

void QtMessages::notice(QWidget *owner, const QString &title, const QString &text) {
    QMessageBox box(owner);
    Prepare(box, title, text);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    RemoveButtonIcons(box);
    box.exec();
}

bool QtMessages::ask(QWidget *owner, const QString &title, const QString &text) {
    QMessageBox box(owner);
    Prepare(box, title, text);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    RemoveButtonIcons(box);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace bis
