// The five entry points the wide host calls.
#include <cstddef>

#include "dialogs/config_dialog.h"
#include "host/host.h"
#include "host/settings.h"
#include "host/wide/wide_link.h"
#include "host/wide_ids.h"
#include "module/command_line.h"
#include "panel/open_panel.h"
#include "panel/title_line.h"
#include "player/add_queue.h"
#include "player/word_actions.h"
#include "quaver_version.h"

using namespace quaver;

namespace {

// The oldest host whose interface this module is built for: 3.0 build 6727.
constexpr wide::Version oldestHost = {3, 0, 0, 6727, 0};
constexpr wide::Version ownVersion = {projectVersionMajor, projectVersionMinor, projectVersionPatch, 0, 0};

constexpr const wchar_t* entryCaptions[1] = {hostText::menuTitle};
constexpr wchar_t commandPrefix[] = L"quaver";

// A field the host's record has room for: an older host's shorter record lacks the fields at its end.
template <typename Record>
bool HasField(const Record* record, size_t offset, size_t size) {
    return record->size >= offset + size;
}

}  // namespace

extern "C" void HOSTAPI GetGlobalInfoW(wide::Identity* identity) {
    if (!identity || !HasField(identity, offsetof(wide::Identity, author), sizeof identity->author)) return;
    identity->oldestHost = oldestHost;
    identity->version = ownVersion;
    identity->module = wideId::module;
    identity->title = hostText::menuTitle;
    identity->description = L"Drives the Winamp player from the console: a panel and command-line words";
    identity->author = L"The Quaver Control developers";
}

extern "C" void HOSTAPI SetStartupInfoW(const wide::StartupRecord* startup) {
    CopyStartupRecord(startup);
    if (wideHost.tooOld) return;
    const SettingsVisit visit;
    settings.timeFormat = ReadStored(Stored::TimeFormat, 0) != 0;
    liveDisplay.scrollMode = ScrollModeFromStored(ReadStored(Stored::ScrollMode, 2));
    ResetTitleScrolling();
}

extern "C" void HOSTAPI GetPluginInfoW(wide::ModuleInfo* info) {
    if (!info || !HasField(info, offsetof(wide::ModuleInfo, commandPrefix), sizeof info->commandPrefix)) return;
    // Only a host that passed the longer record gets the status: the file manager's record ends before it.
    if (info->size == sizeof(wide::ModuleInfoReport)) {
        wide::ModuleInfoReport& report = *reinterpret_cast<wide::ModuleInfoReport*>(info);
        report.commandStatus = LastCommandStatus();
        const AddProgress add = ReadAddProgress();
        report.filesAdded = static_cast<uint32_t>(add.sent);
        report.filesToAdd = static_cast<uint32_t>(add.count);
    }
    info->flags = 0;
    info->driveMenu = {nullptr, nullptr, 0};
    info->pluginsMenu = {&wideId::pluginsMenuEntry, entryCaptions, 1};
    info->configMenu = {&wideId::configMenuEntry, entryCaptions, 1};
    info->commandPrefix = commandPrefix;
}

extern "C" wide::Handle HOSTAPI OpenW(const wide::OpenRecord* open) {
    if (wideHost.tooOld) {
        ShowErrorBox(message::HostTooOld);
        return nullptr;
    }
    ReportEndedAdd();
    const wchar_t* words = nullptr;
    if (open && open->openFrom == wide::openFrom::CommandLine && open->data) {
        const auto* line = reinterpret_cast<const wide::CommandLineRecord*>(open->data);
        if (HasField(line, offsetof(wide::CommandLineRecord, text), sizeof line->text)) words = line->text;
    }
    // "quaver:" alone, the menu and a macro open the panel.
    if (!words || !SendCommandWords(words)) OpenPanel();
    return nullptr;
}

extern "C" intptr_t HOSTAPI ConfigureW(const wide::ConfigureRecord*) { return RunConfigDialog(); }
