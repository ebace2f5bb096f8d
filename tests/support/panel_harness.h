// An open panel for native tests and benchmarks, without its worker threads: the module started on the fake
// host, the settings chosen, the geometry, the shared objects and the 16 widgets built and placed.
#pragma once

#include <cstdint>
#include <string>

#include "fake_os.h"
#include "os/os.h"
#include "panel/panel.h"
#include "panel/widgets.h"

namespace fake {

struct PanelLook {
    bool uglyButtons = false;
    bool wideTrackNumber = false;
    bool closeButton = true;
    bool volumeControl = true;
    bool repeatShuffle = true;
    uint8_t timeFormat = 0;
    int32_t consoleWidth = 80;
    int32_t consoleHeight = 25;
};

// Palette entries as distinct values, so a test can tell which entry drew a cell.
inline constexpr uint8_t testPalette[8] = {0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77};

class PanelHarness {
public:
    explicit PanelHarness(const PanelLook& look = {});
    ~PanelHarness();
    PanelHarness(const PanelHarness&) = delete;
    PanelHarness& operator=(const PanelHarness&) = delete;

    quaver::Widget& at(int slot) { return *quaver::openPanel.widgets[slot]; }
    // Panel-relative cell of a widget as a console cell.
    int16_t column(int slot, int offset = 0) { return static_cast<int16_t>(placement.x + at(slot).x + offset); }
    int16_t row(int slot) { return static_cast<int16_t>(placement.y + at(slot).y); }
    bool displayActive() const;

    quaver::PanelWidgets widgets;
    quaver::PanelPlacement placement{};
};

// Gives the host's screen (the console and the host's pending copy of it) a pattern of letters in bright,
// coloured attributes, so that the panel, its shadow and what it restores can be told apart.
void PaintHostScreen();
Cell PaintedCell(int32_t x, int32_t y);

// Cells of one console row as text, with their attributes, for frame and shadow checks.
std::string AttributesOfRow(int32_t y, int32_t x, int32_t count);

// Text written in UTF-8 with code page 437 glyphs (box drawing, blocks, arrows) as the console's bytes.
std::string Oem(const std::string& utf8);

}  // namespace fake
