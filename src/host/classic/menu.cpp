#include "host/menu.h"

#include "host/host.h"

namespace quaver {

bool HostShowsMenus() { return hostLink.services.ShowMenu != nullptr; }

int ShowHostMenu(unsigned flags, const char* title, const char* bottom, const char* helpTopic,
                 const HostMenuItem* lines, int count) {
    const HostServices& host = hostLink.services;
    return host.ShowMenu(host.moduleNumber, -1, -1, 0, flags, title, bottom, helpTopic, nullptr, nullptr, lines, count);
}

}  // namespace quaver
