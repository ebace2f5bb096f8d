// The host's menu: one record per line, as the host takes it.
#pragma once

#include "host/host_api.h"
#include "host/host_text.h"
#if QUAVER_WIDE
#include "host/wide_api.h"
#endif

namespace quaver {

// The classic host's line holds its text; the wide host's points at it (the host copies it while the menu is
// up), so its text must live as long as the menu.
#if QUAVER_WIDE
using HostMenuLine = wide::MenuLine;
#else
using HostMenuLine = HostMenuItem;
#endif

// False when the host offers no menus.
bool HostShowsMenus();
// A menu of count lines, centred, of the height the host chooses; flags are menuFlag bits. The line chosen, or
// -1.
int ShowHostMenu(unsigned flags, const HostChar* title, const HostChar* bottom, const HostChar* helpTopic,
                 const HostMenuLine* lines, int count);

}  // namespace quaver
