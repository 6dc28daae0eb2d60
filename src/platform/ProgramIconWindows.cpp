#include <windows.h>

#include <QImage>
#include <QPixmap>

#include "platform/ProgramIcon.h"

namespace bis {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 256}) {
        const auto handle = static_cast<HICON>(::LoadImageW(
            ::GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        if (handle != nullptr) {
            icon.addPixmap(QPixmap::fromImage(QImage::fromHICON(handle)));
            ::DestroyIcon(handle);
        }
    }
    return icon;
}

}  // namespace bis
