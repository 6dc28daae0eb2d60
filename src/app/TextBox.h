#pragma once

#include <QLineEdit>

namespace bis {

// An entry box whose LostFocus fires each time the focus leaves it within its window: by Tab, by
// Return or the keypad's Enter (which move on exactly as Tab does), by a click elsewhere, or by a
// button press (see CommandButton, which makes the box fire before the button acts). It fires
// whether or not the text changed. Switching to another window or opening a menu is not leaving the
// box: the box fires when the focus next moves on inside its window.
class TextBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget *parent = nullptr);

    // True while the box has had the focus and its LostFocus has not fired since.
    [[nodiscard]] bool owesLostFocus() const { return owesLostFocus_; }

    // Fires LostFocus now if it is owed. A button uses this when it acts while the window was
    // not active, so no focus event reached the box.
    void settleLostFocus();

  signals:
    void LostFocus();

  protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    bool owesLostFocus_ = false;
};

}  // namespace bis
