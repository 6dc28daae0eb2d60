#pragma once

#include <QWidget>
#include <string>

#include "app/ScreenContext.h"

class QLabel;

namespace bis {

// A screen of the program: a top-level window that reads and writes the show record directly.
// Screens open the next screen themselves and are unloaded (hidden and deleted) when left.
class Screen : public QWidget {
    Q_OBJECT

  public:
    Screen(ScreenContext &context, const QString &title);

    // Shows the screen, not modal, and brings it to the front.
    void ShowScreen();

    // Hides the screen and deletes it once the current event is handled. No close question is
    // asked and nothing is stored.
    void Unload();

  protected:
    // The window frame's close control: each screen answers it as its own Exit or Go back does.
    // The window itself never closes on its own.
    void closeEvent(QCloseEvent *event) override;
    virtual void Form_CloseRequested() = 0;

    // A label in the screen's large heading type.
    static QLabel *Heading(const QString &objectName, const QString &text, int pointSize,
                           QWidget *parent);
    // A label whose text wraps over several lines.
    static QLabel *WrappedLabel(const QString &objectName, const QString &text, QWidget *parent);

    // The text of an entry box as the checks read it: Windows-1252 bytes, with "?" for any
    // character the code page lacks, so such a character never reads as a digit.
    static std::string EntryBytes(const QString &text);
    // A score or total as the screens show it: "##0.0" with the regional decimal separator.
    QString ScoreDisplay(double value);

    [[nodiscard]] ShowRecord &showRecord() { return context_.show; }
    Platform &platform() { return context_.platform; }
    ScreenContext &context() { return context_; }

  private:
    ScreenContext &context_;
};

}  // namespace bis
