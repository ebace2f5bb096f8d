#include "dialogs/about_box.h"

#include "dialogs/host_dialog.h"
#include "host/host.h"
#include "host/screen.h"
#include "panel/panel.h"

namespace quaver {

void ShowAboutBox() {
    HostDialog dialog(aboutItems, aboutItemCount, false);

    LetGoOfPanelInput();
    // Hiding pauses the live display, so nothing draws over the dialog or the help viewer.
    if (openPanel.placement) SetPanelShown(*openPanel.placement, false);
    const int result = dialog.Show(DialogId::About, aboutWidth, aboutHeight, nullptr, nullptr);
    if (result == aboutHelpButton) ShowHelpTopic(hostText::hotkeysTopic);
    FlushOutput();
    // Keys and clicks meant for the dialog or the help viewer must not reach the panel.
    os::FlushConsoleInputBuffer(openPanel.consoleInput);
    if (openPanel.placement) SetPanelShown(*openPanel.placement, true);
}

}  // namespace quaver
