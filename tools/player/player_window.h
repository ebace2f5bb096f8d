// The player's main window: class "Winamp v1.x", answering the player's message interface.
#pragma once

#include <vector>

#include "command_log.h"
#include "options.h"
#include "playlist.h"

namespace standin {

// Creates the window (after --show-window-after), runs its message loop until it is closed and returns the
// process exit status.
int RunPlayerWindow(const Options& options, std::vector<Track> tracks, CommandLog& log, uint32_t startTick);

}  // namespace standin
