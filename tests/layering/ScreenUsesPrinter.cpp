// Must not compile: a screen reaches for the toolkit's print support, which only the platform
// links.
#include <QPrinter>

#include "app/Screen.h"

void PrintWithoutTheInterface() {
    QPrinter printer;
}
