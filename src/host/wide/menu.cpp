#include "host/menu.h"

#include "host/wide/wide_link.h"

namespace quaver {

bool HostShowsMenus() { return wideHost.startup.Menu != nullptr; }

int ShowHostMenu(unsigned flags, const wchar_t* title, const wchar_t* bottom, const wchar_t* helpTopic,
                 const wide::MenuLine* lines, int count) {
    if (!wideHost.startup.Menu || count <= 0) return -1;
    return static_cast<int>(wideHost.startup.Menu(&wideId::module, nullptr, -1, -1, 0, flags, title, bottom, helpTopic,
                                                  nullptr, nullptr, lines, static_cast<size_t>(count)));
}

}  // namespace quaver
