#pragma once

#include <QValidator>

namespace bis {

// Keeps out of a text box what the show file cannot hold (a double quote, a line break, or a
// character outside Windows-1252), as ShowTextBytes decides, the one rule the journal's reader
// uses too. A keystroke or a paste that would bring one in has no effect; everything else is kept
// exactly as typed.
class ShowTextValidator : public QValidator {
  public:
    explicit ShowTextValidator(QObject *parent = nullptr) : QValidator(parent) {}
    State validate(QString &input, int &position) const override;
};

}  // namespace bis
