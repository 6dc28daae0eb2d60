#pragma once

// Included first by every header of the Qt implementations of the platform. Only the platform
// target and the print module's parts, and what links them (the program and the tests of the real
// platform), define BESTINSHOW_QT_PLATFORM; the screens see the platform through its interfaces
// alone.
#ifndef BESTINSHOW_QT_PLATFORM
#error "The Qt implementations of the platform are for the platform layer and the program only"
#endif
