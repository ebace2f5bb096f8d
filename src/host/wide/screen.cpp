// Drawing through the wide host: UTF-16 text in opaque colours; the panel's code page 437 glyphs as their
// Unicode characters.
#include "host/screen.h"

#include "host/wide/code_page_437.h"
#include "host/wide/console_colours.h"
#include "host/wide/wide_link.h"

namespace quaver {

namespace {
// The widest text the panel draws in one go is a row of the wide panel (38 cells).
constexpr int panelTextCapacity = 128;
}  // namespace

void PutHostText(int x, int y, int colour, const wchar_t* text) {
    if (!wideHost.startup.Text) return;
    const wide::Colour drawn = ColourOfAttribute(static_cast<uint8_t>(colour));
    wideHost.startup.Text(x, y, &drawn, text);
}

void PutText(int x, int y, int colour, const char* text) {
    if (!text) return FlushOutput();
    wchar_t wide[panelTextCapacity];
    WidenCodePage437(text, wide, panelTextCapacity);
    PutHostText(x, y, colour, wide);
}

void FlushOutput() {
    if (wideHost.startup.Text) wideHost.startup.Text(0, 0, nullptr, nullptr);
}

void* SaveScreenArea(int x1, int y1, int x2, int y2) {
    return wideHost.startup.SaveScreen ? wideHost.startup.SaveScreen(x1, y1, x2, y2) : nullptr;
}

void RestoreScreenArea(void* area) {
    if (wideHost.startup.RestoreScreen && area) wideHost.startup.RestoreScreen(area);
}

void* SaveWholeScreen() { return SaveScreenArea(0, 0, -1, -1); }

void RestoreWholeScreen(void* saved) { RestoreScreenArea(saved); }

uint8_t HostColour(int number, uint8_t fallback) {
    wide::Colour colour{};
    if (!wideHost.startup.AdvControl ||
        !wideHost.startup.AdvControl(&wideId::module, wide::advControl::PaletteColour, number, &colour))
        return fallback;
    return AttributeOfColour(colour);
}

}  // namespace quaver
