// J or a click on the title line: the player's playlist in a host menu, the chosen entry played.
#pragma once

#include "panel/panel.h"

namespace quaver {

// Pauses the live display while the list is read and the menu is up, plays the entry chosen, and redraws
// the panel. A player that does not answer gets the refusal beep and no menu.
void RunPlaylistMenu(PanelPlacement& placement);

}  // namespace quaver
