#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/Messages.h"

namespace bis {

// Message boxes drawn by Qt: the exact title and text, no icon, and either an OK button or the
// buttons Yes and No with Yes as the default, so that Return answers Yes.
class QtMessages : public Messages {
  public:
    void notice(QWidget *owner, const QString &title, const QString &text) override;
    [[nodiscard]] bool ask(QWidget *owner, const QString &title, const QString &text) override;
};

}  // namespace bis
