// quaver-host --status: what the player is doing, from the panel's own refresh pass, for scripts.
#pragma once

#include "host/host_api.h"
#include "pure/options.h"

namespace host {

constexpr int NoPlayerAnswered = 5;

// Prints one line by options.statusFormat (0), or with options.follow one whenever the line changes until
// the player's window goes (0). 5, with the reason on standard error, when no player answers.
int PrintStatus(const Options& options, const HostServices& services);

}  // namespace host
