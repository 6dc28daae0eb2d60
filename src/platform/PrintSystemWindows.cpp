#include "platform/PrintSystem.h"

namespace bis {

// The Windows spooler has no answer of its own to read after the job: the toolkit's print engine
// hands the job over as the painting ends, and a job the spooler refuses makes ending the painting
// fail, which the printer reports as a printer error.
std::optional<QString> PrintSystemRefusal() {
    return std::nullopt;
}

}  // namespace bis
