// The classic host's active panel: one record with every selected item, names in the OEM code page.
#include <cstring>

#include "host/host.h"
#include "player/add_queue.h"
#include "player/panel_files.h"
#include "player/panel_paths.h"

namespace quaver {

bool QueueActivePanelFiles(int32_t& queued, bool) {
    queued = 0;
    const HostServices& host = hostLink.services;
    PanelState state;
    std::memset(&state, 0, sizeof state);
    if (!host.PanelControl || !host.PanelControl(panelControl::activePanel, panelControl::GetState, &state) ||
        !HoldsRealFiles(state))
        return false;
    // As the player takes paths: the ANSI code page.
    const int count = AddedItemCount(state);
    for (int i = 0; i < count; ++i) {
        char oem[pathCapacity];
        if (!PathOfItem(state, state.selectedItems[i], oem)) continue;
        os::OemToCharBuff(oem, addQueue.paths[queued], static_cast<uint32_t>(std::strlen(oem)) + 1);
        ++queued;
    }
    return true;
}

// Every path the classic build queues fits the ANSI code page the player takes: none is ever refused.
void ReportPathsNotTaken() {}

}  // namespace quaver
