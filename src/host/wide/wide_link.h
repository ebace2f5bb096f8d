// The wide host's services as the module keeps them.
#pragma once

#include "host/wide_api.h"
#include "host/wide_ids.h"

namespace quaver {

// The module's copies of the host's startup record and its standard functions (both live on the host's stack
// only during SetStartupInfoW). Written once by SetStartupInfoW on the host's thread before the host calls
// anything else; only read afterwards, by every thread, without a lock. What an older host's shorter records
// lack stays zero.
struct WideHostLink {
    wide::StartupRecord startup;
    wide::StandardFunctions standardFunctions;  // startup.standardFunctions points here
    bool tooOld = true;  // the record lacks services the module uses: every opening says so instead
};
extern WideHostLink wideHost;

// Copies the host's record and its table, no more of either than the host declares.
void CopyStartupRecord(const wide::StartupRecord* startup);

}  // namespace quaver
