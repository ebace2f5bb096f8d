// The RefreshThread: big-digit clock and track number, stream information, indicators, version title.
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/big_digits.h"

namespace quaver {

extern int32_t playerVersion;   // major version once asked; 0 before
extern char versionTitle[40];

constexpr uint32_t refreshPeriod = 175;  // ms between the end of one pass and the start of the next
// A player that answers nothing for this long is shown as no player; until then its last picture stays.
constexpr uint32_t silenceBeforeIdle = 2000;

uint32_t OSAPI RefreshThread(void* stopEvent);

// One refresh pass: asks the player afresh, without drawingLock, then redraws the live part of the panel
// under the lock with one flush: the player's picture when every answer came, else the last complete
// picture, or the idle display once the window is gone or silent too long. Draws nothing when the display
// was paused, or stop set, meanwhile.
void RunRefreshPass(os::Handle stopEvent);
// Every opening of the panel starts from the idle picture.
void ResetRefreshPicture();

}  // namespace quaver
