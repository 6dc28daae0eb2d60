#include "app/Screen.h"

#include <QCloseEvent>
#include <QLabel>

#include "app/NumberText.h"
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

QLabel *Screen::Heading(const QString &objectName, const QString &text, int pointSize,
                        QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *Screen::WrappedLabel(const QString &objectName, const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    return label;
}

}  // namespace bis
