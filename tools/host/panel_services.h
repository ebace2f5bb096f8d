// The host's menu and its file list, as the module reaches them: ShowMenu and PanelControl in the classic
// interface, Menu and PanelControl in the wide one.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"
#include "host/wide_api.h"
#include "pure/backdrop.h"

namespace host {

// The file list PanelControl tells about: its names, cursor and selection, in the folder given (with its
// trailing backslash). The pane must outlive every call the module makes; nullptr: no panel.
void SetActivePane(const Pane* pane, const std::string& folder);

// The menu of both interfaces (UTF-8 lines): the chosen line's index, or -1.
int RunMenu(std::vector<std::string> lines, int selected, bool wrap, const std::string& title,
            const std::string& bottom, int maxHeight);

int HOSTAPI ShowMenu(intptr_t moduleNumber, int x, int y, int maxHeight, unsigned flags, const char* title,
                     const char* bottom, const char* helpTopic, const int* breakKeys, int* breakCode,
                     const HostMenuItem* items, int itemCount);
int HOSTAPI PanelControl(void* handle, int command, void* parameter);

// The wide interface's: the module's GUID is checked by the caller.
intptr_t WideMenu(intptr_t maxHeight, wide::Flags flags, const wchar_t* title, const wchar_t* bottom,
                  intptr_t* breakCode, const wide::MenuLine* items, size_t count);
intptr_t HOSTAPI WidePanelControl(wide::Handle panel, int command, intptr_t parameter1, void* parameter2);

}  // namespace host
