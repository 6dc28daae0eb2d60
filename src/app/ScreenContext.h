#pragma once

#include "app/ShowRecord.h"
#include "platform/Platform.h"

namespace bis {

// What every screen is given: the one show record and the platform. Both live as long as the
// program; the screens hold references and never copies.
struct ScreenContext {
    ShowRecord &show;
    Platform &platform;
};

}  // namespace bis
