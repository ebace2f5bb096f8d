// Registry values of any type, length and content for every setting and "Palette", then start-up, the
// panel's settings and the palette as an opening reads them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/title_line.h"

namespace {

const char* const valueNames[] = {"TimeFormat",      "ScrollMode",      "DispWinampVer",   "DispRepeatShfl",
                                  "DispVolumeCtrl",  "DrawUglyButtons", "AutostartWinamp", "DispCloseButton",
                                  "WideTrackNumber", "IgnoreFarPalette", "Palette"};

bool IsSwitch(uint8_t value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fake::Reset();
    fake::ResetHost();
    // Each value: a present flag and type in one byte, a length byte, then that many bytes.
    size_t at = 0;
    for (const char* name : valueNames) {
        if (at + 2 > size) break;
        const uint8_t header = data[at++];
        size_t length = data[at++];
        if (length > size - at) length = size - at;
        if (header & 1) fake::SetBinary(fake::testSettingsKey, name, std::vector<uint8_t>(data + at, data + at + length), header >> 1);
        at += length;
    }
    for (size_t c = 0; at < size && c < 5; ++c) fake::host().colours[static_cast<int>(c) + 21] = static_cast<intptr_t>(data[at++] * 0x01010101u);

    SetStartupInfo(&fake::host().services);
    quaver::LoadDisplaySettings();
    quaver::LoadPalette();

    using namespace quaver;
    const Settings& s = settings;
    const uint8_t switches[] = {s.timeFormat,        s.showVersion[0],    s.showVersion[1], s.showRepeatShuffle,
                                s.showVolumeControl, s.asciiButtons,      s.startPlayer[0], s.startPlayer[1],
                                s.showCloseButton,   s.wideTrackNumber};
    for (uint8_t value : switches)
        if (!IsSwitch(value)) std::abort();
    if (liveDisplay.scrollMode < 0 || liveDisplay.scrollMode > 2) std::abort();
    if (fake::world().openKeys != 0) std::abort();
    return 0;
}
