#pragma once

#include "platform/QtPlatformOnly.h"

class QLocale;

namespace bis {

// The decimal separator of the locale as one Windows-1252 byte, for screens and reports. A
// separator that is not a single character of that code page gives ".".
[[nodiscard]] char RegionalDecimalSeparator(const QLocale &locale);

// The separator of the user's regional settings.
[[nodiscard]] char RegionalDecimalSeparator();

}  // namespace bis
