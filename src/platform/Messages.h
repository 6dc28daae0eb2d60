#pragma once

#include <QString>

class QWidget;

namespace bis {

// Modal message boxes. They never carry an icon.
class Messages {
  public:
    virtual ~Messages() = default;

    // A notice with an OK button; returns when it is closed.
    virtual void notice(QWidget *owner, const QString &title, const QString &text) = 0;

    // A question with the buttons Yes and No, Yes being the default. True when Yes is chosen.
    [[nodiscard]] virtual bool ask(QWidget *owner, const QString &title, const QString &text) = 0;
};

}  // namespace bis
