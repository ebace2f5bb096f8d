// The host's active file panel as add reads it: its selection into the add queue.
#pragma once

#include <cstdint>

namespace quaver {

// False when the active panel shows no real files (a module's panel, or no panel at all): nothing is queued.
// Otherwise its selected files and folders (the one under the cursor when none is), in panel order, become
// the add queue's paths as the player takes them, and queued says how many could go. With tell, what had to
// be left out for a reason the user would not guess is told in the error box.
bool QueueActivePanelFiles(int32_t& queued, bool tell);

// Files of the last add that the player could not be given are told in the error box, once, on the host's
// thread, as soon as the add no longer sends: right after it, or at the next entry into the module.
void ReportPathsNotTaken();

}  // namespace quaver
