#include "panel/refresh.h"

#include "panel/panel.h"

namespace quaver {

int32_t playerVersion;
char versionTitle[40];

// The live display is not built yet: the thread keeps the rhythm and honours both events, drawing nothing.
uint32_t OSAPI RefreshThread(void* stop) {
    const os::Handle events[2] = {stop, displayActiveEvent};
    for (;;) {
        if (os::WaitForAnyObject(2, events, os::Infinite) != os::WaitObject0 + 1) return 0;
        if (os::WaitForSingleObject(stop, 175) != os::WaitTimeout) return 0;
    }
}

}  // namespace quaver
