#pragma once

#include "app/ShowRecord.h"
#include "files/ShowJournal.h"
#include "platform/Platform.h"

namespace bis {

// What every screen is given: the one show record, the platform and the show's journal. They
// live as long as the program; the screens hold references and never copies.
struct ScreenContext {
    ShowRecord &show;
    Platform &platform;
    ShowJournal journal{platform};
};

}  // namespace bis
