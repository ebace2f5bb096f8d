// The panel's frame, inner box, fixed labels and the shadow read back from the console.
#pragma once

#include <cstdint>

#include "panel/panel.h"

namespace quaver {

void DrawPanel(const PanelPlacement& placement);
void DrawShadowRun(int32_t x, int32_t y, int32_t n);

}  // namespace quaver
