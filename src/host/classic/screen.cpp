// Drawing through the classic host: its PutText takes OEM bytes as they are.
#include "host/screen.h"

#include "host/host.h"

namespace quaver {

namespace {
constexpr int hostColourCommand = 4;
}

void PutText(int x, int y, int colour, const char* text) {
    if (hostLink.services.PutText) hostLink.services.PutText(x, y, colour, text);
}

void PutHostText(int x, int y, int colour, const char* text) { PutText(x, y, colour, text); }

void FlushOutput() { PutText(0, 0, 0, nullptr); }

void* SaveScreenArea(int x1, int y1, int x2, int y2) {
    return hostLink.services.SaveScreenArea ? hostLink.services.SaveScreenArea(x1, y1, x2, y2) : nullptr;
}

void RestoreScreenArea(void* area) {
    if (hostLink.services.RestoreScreenArea && area) hostLink.services.RestoreScreenArea(area);
}

void* SaveWholeScreen() { return SaveScreenArea(0, 0, -1, -1); }

void RestoreWholeScreen(void* saved) {
    if (hostLink.services.RestoreScreenArea) hostLink.services.RestoreScreenArea(saved);
}

uint8_t HostColour(int number, uint8_t fallback) {
    const HostServices& host = hostLink.services;
    const intptr_t colour = host.HostControl ? host.HostControl(host.moduleNumber, hostColourCommand, number) : fallback;
    return static_cast<uint8_t>(colour & 0xFF);
}

}  // namespace quaver
