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
    IgnoreFarPalette = ReadSetting("IgnoreFarPalette", 0) != 0;
    TimeFormat = ReadSetting("TimeFormat", 1) != 0;
    const uint32_t scrolling = ReadSetting("ScrollMode", 3) & 3u;

    SetState(items[OwnPalette], IgnoreFarPalette);
    SetState(items[ShowPlayerVersion], DispWinampVer[0]);
    SetState(items[VersionDigits], DispWinampVer[1]);
    SetState(items[CloseButton], DispCloseButton);
    SetState(items[VolumeControl], DispVolumeCtrl);
    SetState(items[RepeatShuffle], DispRepeatShfl);
    SetState(items[WideTrack], WideTrackNumber);
    SetState(items[StartPlayer], AutostartWinamp[0]);
    SetState(items[StartOnlyOnCommand], AutostartWinamp[1]);
    SetState(items[UglyButtons], DrawUglyButtons);
    SetState(items[ScrollTitle], Bit(scrolling, 1));
    SetState(items[RunningText], Bit(scrolling, 0) == 0);
    SetState(items[BackAndForth], Bit(scrolling, 0));
    SetState(items[ElapsedTime], TimeFormat == 0);
    SetState(items[RemainingTime], TimeFormat);

    scrollMode = ScrollModeFromStored(scrolling);
    scrollOffset = 0;
    scrollBackward = 0;

    if (scrollMode == 0) Disable(items, RunningText, TreeToBackAndForth);
    if (!DispWinampVer[0]) Disable(items, VersionDigits, VersionDigits);
    if (!AutostartWinamp[0]) Disable(items, StartOnlyOnCommand, StartOnlyOnCommand);
}

// The confirmed choices into the switches and the store. Disabled items count like the others, so a
// dependent option keeps its value while its parent is off. False when the store did not take them all.
bool StoreItems(const HostDialogItem* items) {
    IgnoreFarPalette = On(items[OwnPalette]);
    DispRepeatShfl = On(items[RepeatShuffle]);
    DispWinampVer[0] = On(items[ShowPlayerVersion]);
    DispWinampVer[1] = On(items[VersionDigits]);
    DispCloseButton = On(items[CloseButton]);
    DispVolumeCtrl = On(items[VolumeControl]);
    AutostartWinamp[0] = On(items[StartPlayer]);
    AutostartWinamp[1] = On(items[StartOnlyOnCommand]);
    WideTrackNumber = On(items[WideTrack]);
    DrawUglyButtons = On(items[UglyButtons]);
    TimeFormat = On(items[RemainingTime]);
    // Taken from the value that is stored, so that memory and registry agree even if the host left both
    // or neither of the style buttons selected.
    const uint32_t scrolling = 2u * On(items[ScrollTitle]) + On(items[BackAndForth]);
    scrollMode = ScrollModeFromStored(scrolling);

    const StoredSetting settings[] = {
        {"IgnoreFarPalette", IgnoreFarPalette},
        {"AutostartWinamp", AutostartWinamp[0] + 2u * AutostartWinamp[1]},
        {"WideTrackNumber", WideTrackNumber},
        {"DrawUglyButtons", DrawUglyButtons},
        {"DispCloseButton", DispCloseButton},
        {"DispVolumeCtrl", DispVolumeCtrl},
        {"DispRepeatShfl", DispRepeatShfl},
        {"DispWinampVer", DispWinampVer[0] + 2u * DispWinampVer[1]},
        {"TimeFormat", TimeFormat},
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
