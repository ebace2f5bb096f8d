// The host's dialogs, as modules reach them: the classic interface's ShowDialog, ShowDialogEx,
// SendDialogMessage and DefaultDialogHandler (host/host_api.h), and the wide one's DialogInit, DialogRun,
// DialogFree, SendDlgMessage and DefDlgProc (host/wide_api.h). Both run the one dialog model
// (pure/dialog_model.h) in the console; they differ in how they talk to the module:
//   - classic: the module's items are worked in place (their states are written back as they change); events
//     to the handler are 4097 (item, new state) when a check box or radio button changed or a button was chosen,
//     4111 (result) once the dialog closes. A chosen button closes the dialog only through DefaultDialogHandler;
//     closing is final.
//   - wide: the items are copied at DialogInit and never written back: the module reads results with messages
//     after DialogRun, before DialogFree. 4108 (focused item, the module's parameter) before the first drawing;
//     4097 (item, new state) asks before a change is kept and before a button closes the dialog (TRUE
//     accepts); 4117 (result) asks before it closes (FALSE keeps it open).
// Every function runs on the thread that calls it (the module's host thread); none may be re-entered from
// another thread. A handle is used only when the host finds it among its dialogs, so a stale one does nothing.
#pragma once

#include <cstdint>

#include "help_viewer.h"
#include "host/host_api.h"
#include "host/wide_api.h"

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

// The wide interface's; the module's GUID is checked by the caller. `help` is where F1 finds the topic.
wide::Handle InitWideDialog(long long x1, long long y1, long long x2, long long y2, const wchar_t* helpTopic,
                            const HelpSource& help, const wide::DialogLine* items, size_t count, wide::DialogProc proc,
                            void* parameter);
intptr_t HOSTAPI RunWideDialog(wide::Handle dialog);
void HOSTAPI FreeWideDialog(wide::Handle dialog);
intptr_t HOSTAPI SendWideDialogMessage(wide::Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2);
intptr_t HOSTAPI DefaultWideDialogProc(wide::Handle dialog, intptr_t message, intptr_t parameter1, void* parameter2);

}  // namespace host
