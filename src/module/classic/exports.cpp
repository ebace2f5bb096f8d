// The four entry points the host calls.
#include <cstring>

#include "dialogs/config_dialog.h"
#include "host/host.h"
#include "host/settings.h"
#include "module/command_line.h"
#include "panel/open_panel.h"
#include "panel/title_line.h"
#include "player/add_queue.h"
#include "player/word_actions.h"

using namespace quaver;

namespace {
constexpr const char* menuTitles[1] = {hostText::menuTitle};
constexpr uint32_t pluginFlags = 12;
}  // namespace

extern "C" void HOSTAPI SetStartupInfo(const HostServices* services) {
    std::memset(&hostLink.services, 0, sizeof hostLink.services);
    std::memset(&hostLink.standardFunctions, 0, sizeof hostLink.standardFunctions);
    hostLink.tooOld = true;
    if (!services) return;
    // Read the size alone first: nothing beyond what the host declares is touched.
    const int size = services->size;
    if (size <= 0) return;
    const size_t copied = static_cast<size_t>(size) < sizeof hostLink.services ? static_cast<size_t>(size)
                                                                            : sizeof hostLink.services;
    std::memcpy(&hostLink.services, services, copied);
    // Without its standard functions a host cannot format a single text for us: as good as too old.
    if (copied < sizeof hostLink.services || !services->standardFunctions) return;
    std::memcpy(&hostLink.standardFunctions, services->standardFunctions, sizeof hostLink.standardFunctions);
    hostLink.services.standardFunctions = &hostLink.standardFunctions;
    hostLink.tooOld = false;

    BuildSettingsKeyPath(hostLink.services.registryRoot, hostLink.settingsKeyPath);
    settings.timeFormat = ReadStored(Stored::TimeFormat, 0) != 0;
    liveDisplay.scrollMode = ScrollModeFromStored(ReadStored(Stored::ScrollMode, 2));
    ResetTitleScrolling();
}

extern "C" void HOSTAPI GetPluginInfo(PluginInfoRecord* info) {
    if (!info) return;
    // Only a host that passed the longer record gets the status: the file manager's record ends before it.
    if (info->size == static_cast<int>(sizeof(PluginInfoReport))) {
        PluginInfoReport& report = *reinterpret_cast<PluginInfoReport*>(info);
        report.commandStatus = LastCommandStatus();
        const AddProgress add = ReadAddProgress();
        report.filesAdded = static_cast<uint32_t>(add.sent);
        report.filesToAdd = static_cast<uint32_t>(add.count);
    }
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
    if (hostLink.tooOld) {
        ShowErrorBox(message::HostTooOld);
        return reinterpret_cast<void*>(static_cast<intptr_t>(-1));
    }
    ReportEndedAdd();
    if (openFrom != openFromCommandLine || !SendCommandWords(reinterpret_cast<const char*>(item))) OpenPanel();
    return reinterpret_cast<void*>(static_cast<intptr_t>(-1));
}

extern "C" int HOSTAPI Configure(int) { return RunConfigDialog(); }
