// What the player link needs from the panel above it. The panel implements these, so that the player layer
// never includes it. With no panel open (a start from the command line) they do nothing: the host's input and
// screen are the host's.
#pragma once

#include "os/os.h"

namespace quaver {

// Manual reset, set while the worker threads may work; nullptr while no panel is open.
os::Handle DisplayActiveEvent();
// Pauses the live display; true when it was running, so that a start resumes only a display that was running:
// at panel opening (no panel drawn yet) or while the panel is hidden, resuming would let the worker threads draw
// where there is no panel.
bool PauseDisplay();
void ResumeDisplay();
// Reads and drops the console input that queued up while the player was being started. Only what the
// panel must not lose survives: an Esc closes the panel next, releases end the presses they belong to,
// and the modifier keys and the left button keep their state; every widget is released.
void DiscardInputQueuedDuringStart();

}  // namespace quaver
