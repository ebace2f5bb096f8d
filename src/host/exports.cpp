// The four entry points the host calls.
#include <cstring>

#include "dialogs/config_dialog.h"
#include "host/command_line.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/open_panel.h"
#include "panel/title_line.h"

using namespace quaver;

namespace {
const char* const menuTitles[1] = {menuTitle};
constexpr uint32_t pluginFlags = 12;
}  // namespace

extern "C" void HOSTAPI SetStartupInfo(const HostServices* services) {
    std::memset(&hostServices, 0, sizeof hostServices);
    std::memset(&standardFunctions, 0, sizeof standardFunctions);
    hostTooOld = true;
    if (!services) return;
    // Read the size alone first: nothing beyond what the host declares is touched.
    const int size = services->size;
    if (size <= 0) return;
    const size_t copied = static_cast<size_t>(size) < sizeof hostServices ? static_cast<size_t>(size)
                                                                            : sizeof hostServices;
    std::memcpy(&hostServices, services, copied);
    // Without its standard functions a host cannot format a single text for us: as good as too old.
    if (copied < sizeof hostServices || !services->standardFunctions) return;
    std::memcpy(&standardFunctions, services->standardFunctions, sizeof standardFunctions);
    hostServices.standardFunctions = &standardFunctions;
    hostTooOld = false;

    BuildSettingsKeyPath(hostServices.registryRoot, settingsKeyPath);
    TimeFormat = ReadSetting("TimeFormat", 0) != 0;
    scrollMode = ScrollModeFromStored(ReadSetting("ScrollMode", 2));
    ResetTitleScrolling();
}

extern "C" void HOSTAPI GetPluginInfo(PluginInfoRecord* info) {
    if (!info) return;
    info->size = sizeof(PluginInfoRecord);
    info->flags = pluginFlags;
    info->otherListCount = 0;
    info->menuTitles = menuTitles;
    info->menuTitleCount = 1;
    info->configTitles = menuTitles;
    info->configTitleCount = 1;
    info->commandPrefixes = commandPrefixes;
}

extern "C" void* HOSTAPI OpenPlugin(int openFrom, intptr_t item) {
    if (hostTooOld)
        ShowErrorBox(message::HostTooOld);
    else if (openFrom != openFromCommandLine || !SendCommandWords(reinterpret_cast<const char*>(item)))
        OpenPanel();
    return reinterpret_cast<void*>(static_cast<intptr_t>(-1));
}

extern "C" int HOSTAPI Configure(int) { return RunConfigDialog(); }
