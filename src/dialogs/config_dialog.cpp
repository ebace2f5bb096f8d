#include "dialogs/config_dialog.h"

#include "host/host.h"
#include "host/settings.h"
#include "panel/title_line.h"

namespace quaver {

namespace {

using namespace configItem;

constexpr int confirmedResult = Confirm;

// A parent check box and the items that are enabled only while it is checked.
struct Dependents {
    int parent;
    int first, last;
    bool redraw;  // the tree lines change colour too: redraw the whole dialog
};
constexpr Dependents dependents[] = {
    {ShowPlayerVersion, VersionDigits, VersionDigits, false},
    {StartPlayer, StartOnlyOnCommand, StartOnlyOnCommand, false},
    {ScrollTitle, RunningText, TreeToBackAndForth, true},
};

uint8_t On(const HostDialogItem& item) { return item.selected != 0; }

void SetState(HostDialogItem& item, uint8_t on) { item.selected = on; }

void Disable(HostDialogItem* items, int first, int last) {
    for (int i = first; i <= last; ++i) items[i].flags |= dialogItem::Disabled;
}

intptr_t SendToDialog(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (!hostServices.SendDialogMessage) return 0;
    return hostServices.SendDialogMessage(dialog, message, parameter1, parameter2);
}

// Reads the settings into the items; the in-memory switches and scrolling follow the store from here on,
// whether or not the user confirms.
void FillItems(HostDialogItem* items) {
    LoadDisplaySettings();
    // The palette choice is read afresh when the palette is loaded: no switch keeps it.
    const uint8_t ownPalette = ReadSetting("IgnoreFarPalette", 0) != 0;
    timeFormat = ReadSetting("TimeFormat", 1) != 0;
    const uint32_t scrolling = ReadSetting("ScrollMode", 3) & (storedScroll::Scrolls | storedScroll::BackAndForth);

    SetState(items[OwnPalette], ownPalette);
    SetState(items[ShowPlayerVersion], showVersion[0]);
    SetState(items[VersionDigits], showVersion[1]);
    SetState(items[CloseButton], showCloseButton);
    SetState(items[VolumeControl], showVolumeControl);
    SetState(items[RepeatShuffle], showRepeatShuffle);
    SetState(items[WideTrack], wideTrackNumber);
    SetState(items[StartPlayer], startPlayer[0]);
    SetState(items[StartOnlyOnCommand], startPlayer[1]);
    SetState(items[UglyButtons], asciiButtons);
    SetState(items[ScrollTitle], (scrolling & storedScroll::Scrolls) != 0);
    SetState(items[RunningText], (scrolling & storedScroll::BackAndForth) == 0);
    SetState(items[BackAndForth], (scrolling & storedScroll::BackAndForth) != 0);
    SetState(items[ElapsedTime], timeFormat == 0);
    SetState(items[RemainingTime], timeFormat);

    scrollMode = ScrollModeFromStored(scrolling);
    scrollOffset = 0;
    scrollBackward = 0;

    if (scrollMode == scrollModeValue::Centred) Disable(items, RunningText, TreeToBackAndForth);
    if (!showVersion[0]) Disable(items, VersionDigits, VersionDigits);
    if (!startPlayer[0]) Disable(items, StartOnlyOnCommand, StartOnlyOnCommand);
}

// The confirmed choices into the switches and the store. Disabled items count like the others, so a
// dependent option keeps its value while its parent is off. False when the store did not take them all.
bool StoreItems(const HostDialogItem* items) {
    showRepeatShuffle = On(items[RepeatShuffle]);
    showVersion[0] = On(items[ShowPlayerVersion]);
    showVersion[1] = On(items[VersionDigits]);
    showCloseButton = On(items[CloseButton]);
    showVolumeControl = On(items[VolumeControl]);
    startPlayer[0] = On(items[StartPlayer]);
    startPlayer[1] = On(items[StartOnlyOnCommand]);
    wideTrackNumber = On(items[WideTrack]);
    asciiButtons = On(items[UglyButtons]);
    timeFormat = On(items[RemainingTime]);
    // Taken from the value that is stored, so that memory and registry agree even if the host left both
    // or neither of the style buttons selected.
    const uint32_t scrolling = (On(items[ScrollTitle]) ? storedScroll::Scrolls : 0u) |
                               (On(items[BackAndForth]) ? storedScroll::BackAndForth : 0u);
    scrollMode = ScrollModeFromStored(scrolling);

    const StoredSetting settings[] = {
        {"IgnoreFarPalette", On(items[OwnPalette])},
        {"AutostartWinamp", startPlayer[0] + 2u * startPlayer[1]},
        {"WideTrackNumber", wideTrackNumber},
        {"DrawUglyButtons", asciiButtons},
        {"DispCloseButton", showCloseButton},
        {"DispVolumeCtrl", showVolumeControl},
        {"DispRepeatShfl", showRepeatShuffle},
        {"DispWinampVer", showVersion[0] + 2u * showVersion[1]},
        {"TimeFormat", timeFormat},
        {"ScrollMode", scrolling},
    };
    return WriteSettings(settings, static_cast<int>(sizeof settings / sizeof settings[0]));
}

}  // namespace

int RunConfigDialog() {
    HostDialogItem items[configItemCount];
    ExpandDialogItems(configItems, items, configItemCount, true);
    FillItems(items);
    if (!hostServices.ShowDialogEx) return 0;
    const int result = hostServices.ShowDialogEx(hostServices.moduleNumber, -1, -1, items[Frame].x2 + 4,
                                                 configHeight, "Config", items, configItemCount, 0, 0,
                                                 ConfigDialogHandler, 0);
    if (result != confirmedResult) return 0;
    if (!StoreItems(items)) {
        // Never called saved when it was not: the user is told, and the host hears 0.
        ShowErrorBox(message::SettingsNotSaved);
        return 0;
    }
    return 1;
}

intptr_t HOSTAPI ConfigDialogHandler(void* dialog, int message, int parameter1, intptr_t parameter2) {
    if (message == dialogMessage::ItemChanged) {
        for (const Dependents& group : dependents) {
            if (parameter1 != group.parent) continue;
            for (int i = group.first; i <= group.last; ++i)
                SendToDialog(dialog, dialogMessage::EnableItem, i, parameter2);
            if (group.redraw) SendToDialog(dialog, dialogMessage::Redraw, 0, 0);
            return 1;
        }
        if (parameter1 == Cancel) return SendToDialog(dialog, dialogMessage::Close, -1, 0);
    }
    if (message == dialogMessage::Closing && parameter1 == -1)
        return SendToDialog(dialog, dialogMessage::Close, -1, 0);
    if (!hostServices.DefaultDialogHandler) return 0;
    return hostServices.DefaultDialogHandler(dialog, message, parameter1, parameter2);
}

}  // namespace quaver
