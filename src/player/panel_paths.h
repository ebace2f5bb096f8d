// The files and folders of a host's file panel, as full paths for the player.
#pragma once

#include "host/host_api.h"

namespace quaver {

constexpr int maxAddedItems = 10000;
constexpr int pathCapacity = 260;  // MAX_PATH, the terminator included
constexpr int maxPathLength = 32767;  // the longest path the system takes (the wide build's), its terminator not counted

// A file panel of the host's own whose names are real file names.
bool HoldsRealFiles(const PanelState& state);
// How many of the panel's selected items (the one under the cursor when none is) are handed over.
int AddedItemCount(const PanelState& state);
// The folder and the item's name joined (OEM code page); false for ".." and for a path longer than
// MAX_PATH, which are not handed over.
bool PathOfItem(const PanelState& state, const PanelItem& item, char (&path)[pathCapacity]);

}  // namespace quaver
