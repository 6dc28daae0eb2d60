// Must not compile: a screen names a Qt implementation of the platform instead of its interface.
#include "app/Screen.h"
#include "platform/QtMessages.h"

void ShowWithoutTheInterface() {
    bis::QtMessages messages;
    messages.notice(nullptr, QStringLiteral("title"), QStringLiteral("text"));
}
