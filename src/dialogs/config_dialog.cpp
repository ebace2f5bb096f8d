#include "dialogs/config_dialog.h"

namespace quaver {

// The configuration dialog is not built yet: nothing is accepted or stored.
int RunConfigDialog() { return 0; }

intptr_t HOSTAPI ConfigDialogHandler(void*, int, int, intptr_t) { return 0; }

}  // namespace quaver
