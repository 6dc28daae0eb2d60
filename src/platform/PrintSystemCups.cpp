#include <cups/cups.h>

#include "platform/PrintSystem.h"

namespace bis {

// CUPS keeps the status of the last request on each thread; the toolkit's print engine submits
// the job without looking at it.
std::optional<QString> PrintSystemRefusal() {
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST) {
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(cupsLastErrorString());
    return text.isEmpty() ? QString::fromUtf8(ippErrorString(status)) : text;
}

}  // namespace bis
