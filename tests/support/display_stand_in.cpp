// The display switch of the open panel, for tests of the parts that pause it, until the open panel links in.
// Weak: once the panel's own definitions are linked, they take over and these go unused.
#include "os/os.h"
#include "panel/panel.h"

namespace quaver {

__attribute__((weak)) os::Handle displayActiveEvent = nullptr;
__attribute__((weak)) os::CriticalSection drawingLock;

__attribute__((weak)) void SetDisplayActive(bool active) {
    os::CriticalSectionLock lock(drawingLock);
    if (active)
        os::SetEvent(displayActiveEvent);
    else
        os::ResetEvent(displayActiveEvent);
}

}  // namespace quaver
