#pragma once

#include <cstdint>

#include "host/host_api.h"

namespace quaver {

// The configuration dialog; 1 when the user confirmed and the settings were stored.
int RunConfigDialog();
intptr_t HOSTAPI ConfigDialogHandler(void* dialog, int message, int parameter1, intptr_t parameter2);

}  // namespace quaver
