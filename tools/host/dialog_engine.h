// The host's dialogs, as modules reach them through HostServices (ShowDialog, ShowDialogEx,
// SendDialogMessage, DefaultDialogHandler; the records and item types are in host/host_api.h).
//
// What the engine has to work with:
//   - drawing: Console::Drawing gives the back buffer under the drawing lock (pure/screen_buffer.h);
//     TheConsole().Flush() makes it visible; TheConsole().SaveArea/RestoreArea keep what lies under a dialog;
//   - input: TheConsole().ReadInput(&record) blocks for one console input event (keys, mouse, focus,
//     window size);
//   - size: TheConsole().Width() / Height(); x1 = y1 = -1 asks for a dialog of x2 by y2 cells, centred;
//   - looks: pure/colours.h (the dialog entries 20 to 31), pure/drawing.h (frames, separators, centring).
// Every function runs on the thread that calls it (the module's host thread); none may be re-entered
// from another thread.
#pragma once

#include <cstdint>

#include "host/host_api.h"

namespace host {

// Index of the item that closed the dialog, or a negative value when it was cancelled or not shown (as for
// a module number that is not the module's).
int HOSTAPI ShowDialog(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                       HostDialogItem* items, int itemCount);
// As ShowDialog, with every dialog event sent to `handler` first.
int HOSTAPI ShowDialogEx(intptr_t moduleNumber, int x1, int y1, int x2, int y2, const char* helpTopic,
                         HostDialogItem* items, int itemCount, unsigned flags, unsigned reserved,
                         DialogHandler handler, intptr_t handlerParameter);
intptr_t HOSTAPI SendDialogMessage(void* dialog, int message, int parameter1, intptr_t parameter2);
intptr_t HOSTAPI DefaultDialogHandler(void* dialog, int message, int parameter1, intptr_t parameter2);

}  // namespace host
