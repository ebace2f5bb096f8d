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
    if (!hostLink.services.SendDialogMessage) return 0;
    return hostLink.services.SendDialogMessage(dialog, message, parameter1, parameter2);
}

// Reads the settings into the items; the in-memory switches and scrolling follow the store from here on,
// whether or not the user confirms.
void FillItems(HostDialogItem* items) {
    LoadDisplaySettings();
    // The palette choice is read afresh when the palette is loaded: no switch keeps it.
    const uint8_t ownPalette = ReadStored(Stored::OwnPalette, 0) != 0;
    settings.timeFormat = ReadStored(Stored::TimeFormat, 1) != 0;
    const uint32_t scrolling =
        ReadStored(Stored::ScrollMode, 3) & (storedScroll::Scrolls | storedScroll::BackAndForth);

    SetState(items[OwnPalette], ownPalette);
    SetState(items[ShowPlayerVersion], settings.showVersion[0]);
    SetState(items[VersionDigits], settings.showVersion[1]);
    SetState(items[CloseButton], settings.showCloseButton);
    SetState(items[VolumeControl], settings.showVolumeControl);
    SetState(items[RepeatShuffle], settings.showRepeatShuffle);
    SetState(items[WideTrack], settings.wideTrackNumber);
    SetState(items[StartPlayer], settings.startPlayer[0]);
    SetState(items[StartOnlyOnCommand], settings.startPlayer[1]);
    SetState(items[UglyButtons], settings.asciiButtons);
    SetState(items[ScrollTitle], (scrolling & storedScroll::Scrolls) != 0);
    SetState(items[RunningText], (scrolling & storedScroll::BackAndForth) == 0);
    SetState(items[BackAndForth], (scrolling & storedScroll::BackAndForth) != 0);
    SetState(items[ElapsedTime], settings.timeFormat == 0);
    SetState(items[RemainingTime], settings.timeFormat);

    liveDisplay.scrollMode = ScrollModeFromStored(scrolling);
    liveDisplay.scroll.offset = 0;
    liveDisplay.scroll.backward = 0;

    if (liveDisplay.scrollMode == scrollModeValue::Centred) Disable(items, RunningText, TreeToBackAndForth);
    if (!settings.showVersion[0]) Disable(items, VersionDigits, VersionDigits);
    if (!settings.startPlayer[0]) Disable(items, StartOnlyOnCommand, StartOnlyOnCommand);
}

// The confirmed choices into the switches and the store. Disabled items count like the others, so a
// dependent option keeps its value while its parent is off. False when the store did not take them all.
bool StoreItems(const HostDialogItem* items) {
    settings.showRepeatShuffle = On(items[RepeatShuffle]);
    settings.showVersion[0] = On(items[ShowPlayerVersion]);
    settings.showVersion[1] = On(items[VersionDigits]);
    settings.showCloseButton = On(items[CloseButton]);
    settings.showVolumeControl = On(items[VolumeControl]);
    settings.startPlayer[0] = On(items[StartPlayer]);
    settings.startPlayer[1] = On(items[StartOnlyOnCommand]);
    settings.wideTrackNumber = On(items[WideTrack]);
    settings.asciiButtons = On(items[UglyButtons]);
    settings.timeFormat = On(items[RemainingTime]);
    // Taken from the value that is stored, so that memory and registry agree even if the host left both
    // or neither of the style buttons selected.
    const uint32_t scrolling = (On(items[ScrollTitle]) ? storedScroll::Scrolls : 0u) |
                               (On(items[BackAndForth]) ? storedScroll::BackAndForth : 0u);
    liveDisplay.scrollMode = ScrollModeFromStored(scrolling);

    return StoreSettings(On(items[OwnPalette]), scrolling);
}

}  // namespace

int RunConfigDialog() {
    HostDialogItem items[configItemCount];
    ExpandDialogItems(configItems, items, configItemCount, true);
    FillItems(items);
    const HostServices& host = hostLink.services;
    if (!host.ShowDialogEx) return 0;
    const int result = host.ShowDialogEx(host.moduleNumber, -1, -1, items[Frame].x2 + 4, configHeight, "Config", items,
                                         configItemCount, 0, 0, ConfigDialogHandler, 0);
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
    if (!hostLink.services.DefaultDialogHandler) return 0;
    return hostLink.services.DefaultDialogHandler(dialog, message, parameter1, parameter2);
}

}  // namespace quaver
