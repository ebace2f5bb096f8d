// The host's menu and its file list, as the module reaches them: ShowMenu and PanelControl.
#pragma once

#include <string>

#include "host/host_api.h"
#include "pure/backdrop.h"

namespace host {

// The file list PanelControl tells about: its names, cursor and selection, in the folder given (with its
// trailing backslash). The pane must outlive every call the module makes; nullptr: no panel.
void SetActivePane(const Pane* pane, const std::string& folder);

int HOSTAPI ShowMenu(intptr_t moduleNumber, int x, int y, int maxHeight, unsigned flags, const char* title,
                     const char* bottom, const char* helpTopic, const int* breakKeys, int* breakCode,
                     const HostMenuItem* items, int itemCount);
int HOSTAPI PanelControl(void* handle, int command, void* parameter);

}  // namespace host
