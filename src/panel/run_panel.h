// The input loop's one step: acting on the code of one input event.
#pragma once

#include <cstdint>

#include "panel/panel.h"

namespace quaver {

// Panel codes are carried out here; every other code is a player command and goes to the player as it is.
// False when the panel is to close.
bool ActOnInputCode(uint32_t code, PanelPlacement& placement);

// Hides the panel, shows the About box (Help opens "Hotkeys"), drops the input given meanwhile, shows the panel.
// The dialogs above the panel implement it.
void ShowAboutBox();

}  // namespace quaver
