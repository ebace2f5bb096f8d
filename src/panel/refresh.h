// The RefreshThread: big-digit clock and track number, stream information, indicators, version title.
#pragma once

#include <cstdint>

#include "os/os.h"
#include "panel/big_digits.h"

namespace quaver {

extern int32_t playerVersion;   // major version once asked; 0 before
extern char versionTitle[40];

constexpr uint32_t refreshPeriod = 175;  // ms between the end of one pass and the start of the next

uint32_t OSAPI RefreshThread(void* stopEvent);

// One refresh pass: asks the player afresh and redraws the live part of the panel with one flush. Draws
// nothing when the display was paused, or stop set, while the pass waited for drawingLock.
void RunRefreshPass(os::Handle stopEvent);

}  // namespace quaver
