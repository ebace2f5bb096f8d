// Where the panel goes and how its fixed parts are laid out, from the console's size and the panel's width.
#pragma once

#include <cstdint>

namespace quaver {

constexpr uint32_t narrowPanelWidth = 34;
constexpr uint32_t widePanelWidth = 38;
// Rows the centring reserves: the panel's 12, its shadow row and a margin.
constexpr int32_t centringHeight = 15;

struct PanelGeometry {
    uint32_t panelWidth;
    uint32_t trackLabelX;
    uint32_t timeLabelCentre;
    uint32_t infoLineX;
    uint32_t titleFieldLength;
    int32_t x;  // left edge of the centred panel
    int32_t y;  // top edge
};

// A console narrower than the panel or lower than 15 rows (or one whose size could not be read, passed as
// 0 by 0) puts the panel at column or row 0: the panel's top-left corner stays on the screen.
PanelGeometry ComputePanelGeometry(int32_t consoleWidth, int32_t consoleHeight, bool wideTrackNumber);

}  // namespace quaver
