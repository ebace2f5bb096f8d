#include "panel/version_title.h"

#include <cstring>

#include "host/host.h"

namespace quaver {

PlayerVersionNumber SplitPlayerVersion(int32_t value, bool minorAsTwoDigits) {
    const uint32_t d2 = (static_cast<uint32_t>(value) >> 8) & 0xF;
    const uint32_t d1 = (static_cast<uint32_t>(value) >> 4) & 0xF;
    const uint32_t d0 = static_cast<uint32_t>(value) & 0xF;
    uint32_t minor = d2 * 256 + d0 * 16 + d1;
    if (minorAsTwoDigits) {
        minor /= 16;
    } else {
        if (minor % 16 == 0) minor /= 16;
        if (minor % 16 == 0) minor /= 16;
    }
    return {value >> 12, static_cast<int32_t>(minor)};
}

int FormatVersionTitle(char (&title)[versionTitleCapacity], PlayerVersionNumber version) {
    // At most 8 + 3 hexadecimal digits: the widest title is 30 characters.
    const int reported = FormatText(title, " Quaver v%X.%X Control ", version.major, version.minor);
    const int actual = static_cast<int>(strnlen(title, versionTitleCapacity));
    return reported < 0 || reported > actual ? actual : reported;
}

int16_t PanelTitleColumn(uint32_t panelWidth, int32_t length, bool closeButton) {
    int32_t column = (static_cast<int32_t>(panelWidth) - length) / 2;
    if (column < 0) column = 0;
    return static_cast<int16_t>(column + (closeButton ? 1 : 0));
}

}  // namespace quaver
