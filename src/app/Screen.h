#pragma once

#include <QList>
#include <QWidget>
#include <string>
#include <utility>

#include "app/ScreenContext.h"

class QLabel;
class QLineEdit;

namespace bis {

class CommandButton;
class TextBox;

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

    // Deletes every screen still loaded, shown or hidden, and those waiting to be deleted. The
    // program calls it when it ends, before the show record and the platform the screens refer
    // to go away.
    static void DeleteAll();

  protected:
    // The window frame's close control: each screen answers it as its own Exit or Go back does.
    // The window itself never closes on its own.
    void closeEvent(QCloseEvent *event) override;
    virtual void Form_CloseRequested() = 0;

    // Asks the "WARNING!" question with the text and ends the program on Yes, removing the show's
    // journal first; No changes nothing.
    void EndProgramAfterWarning(const QString &text);

    // Refuses the entry of a box: empties it, shows the "Input Error" notice with the text, and
    // then gives the box the focus back. The show record keeps what it held.
    void RefuseEntry(TextBox &box, const QString &text);

    // A button of the screen, its object name for tests; a screen reader announces its caption.
    static CommandButton *Button(const QString &objectName, const QString &caption,
                                 QWidget *parent);
    // A box that only shows a value: the user can neither type into it nor reach it with Tab.
    static QLineEdit *DisplayBox(const QString &objectName, QWidget *parent);
    // A plain label.
    static QLabel *Label(const QString &objectName, const QString &text, QWidget *parent);
    // Makes the widget keep its place in the layout while it is hidden, so nothing shifts.
    static void RetainPlaceWhenHidden(QWidget &widget);
    // A label in the screen's large heading type.
    static QLabel *Heading(const QString &objectName, const QString &text, int pointSize,
                           QWidget *parent);
    // A label whose text wraps over several lines.
    static QLabel *WrappedLabel(const QString &objectName, const QString &text, QWidget *parent);

    // Gives the box the short name a screen reader announces for it, and makes the label beside
    // it the box's buddy, so the label points at the box as well.
    static void NameBox(QLabel &label, QWidget &box, const QString &name);
    // Gives the label of category 1..10 the category's name as its caption, and names each of the
    // category's boxes "<CATEGORY> <what it holds>", so a screen reader tells which number belongs
    // to which category.
    void CaptionCategory(QLabel &label, int category,
                         const QList<std::pair<QWidget *, QString>> &boxes);

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
