#include "dialogs/about_box.h"

#include "host/host.h"
#include "panel/console_output.h"
#include "panel/panel.h"

namespace quaver {

void ShowAboutBox() {
    HostDialogItem items[aboutItemCount];
    ExpandDialogItems(aboutItems, items, aboutItemCount, false);

    LetGoOfPanelInput();
    // Hiding pauses the live display, so nothing draws over the dialog or the help viewer.
    if (openPanel.placement) SetPanelShown(*openPanel.placement, false);
    const HostServices& host = hostLink.services;
    const int result = host.ShowDialog ? host.ShowDialog(host.moduleNumber, -1, -1, aboutWidth, aboutHeight, nullptr,
                                                         items, aboutItemCount)
                                       : -1;
    if (result == aboutHelpButton && hostLink.services.ShowHelpTopic)
        hostLink.services.ShowHelpTopic(hostLink.services.moduleName, "Hotkeys", 0);
    FlushOutput();
    // Keys and clicks meant for the dialog or the help viewer must not reach the panel.
    os::FlushConsoleInputBuffer(openPanel.consoleInput);
    if (openPanel.placement) SetPanelShown(*openPanel.placement, true);
}

}  // namespace quaver
