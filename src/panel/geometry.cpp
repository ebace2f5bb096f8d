#include "panel/geometry.h"

namespace quaver {

namespace {
// Halves the room left around the panel; no room at all leaves the edge at 0 instead of wrapping around.
int32_t CentredStart(int32_t consoleSize, int32_t needed) {
    return consoleSize > needed ? (consoleSize - needed) / 2 : 0;
}
}  // namespace

PanelGeometry ComputePanelGeometry(int32_t consoleWidth, int32_t consoleHeight, bool wideTrackNumber) {
    PanelGeometry geometry{};
    geometry.panelWidth = wideTrackNumber ? widePanelWidth : narrowPanelWidth;
    geometry.trackLabelX = wideTrackNumber ? 5 : 3;
    geometry.timeLabelCentre = ((geometry.panelWidth + (geometry.panelWidth - 6)) >> 1) - 8;
    geometry.titleFieldLength = geometry.panelWidth - 4;
    geometry.infoLineX = ((geometry.panelWidth - 2) >> 1) - 11;
    geometry.x = CentredStart(consoleWidth, static_cast<int32_t>(geometry.panelWidth));
    geometry.y = CentredStart(consoleHeight, centringHeight);
    return geometry;
}

}  // namespace quaver
