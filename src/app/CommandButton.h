#pragma once

#include <QPushButton>

class QKeyEvent;
class QMouseEvent;

namespace bis {

// A screen's button. Its Click fires after the entry box that had the focus has been left and
// has checked its entry, however the button is pressed: a mouse click, Space or Return on the
// focused button, or Alt with its access key. When that check refuses the entry and gives the focus
// back to the box, the button does not act: the user corrects the entry first.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

    // Shows and enables the button, or hides and disables it: always both together.
    void setAvailable(bool available);

  signals:
    void Click();

  protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    void act();
};

}  // namespace bis
