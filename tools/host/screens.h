// The host's own screen (backdrop) and its one-line menu in the key bar.
#pragma once

#include <string>

#include "pure/backdrop.h"

namespace host {

enum class MenuChoice { OpenPanel, Configure, Quit };

class HostScreen {
public:
    // title: the module's menu title, shown in the title bar.
    HostScreen(const std::string& title, Pane left, Pane right);

    void SetStatus(const std::string& text, bool notice = false);
    // Draws everything and flushes: before the module gets the screen and after it gives it back.
    void Draw();
    // The key bar while the module's panel is up.
    void ShowPanelKeys();
    // Shows the menu in the key bar and waits for Enter, F9, F10 or Esc (keys or a click on the bar); the
    // arrows, Home, End, PgUp and PgDn move the file list's cursor meanwhile, and Insert selects.
    MenuChoice RunMenu();
    // The file list the module's PanelControl reports: the left pane.
    const Pane& FilePane() const { return backdrop_.left; }

private:
    Backdrop backdrop_;
};

// The files of a folder, folders first (as "name\"), for a backdrop pane.
Pane ListFolder(const std::string& folder);

}  // namespace host
