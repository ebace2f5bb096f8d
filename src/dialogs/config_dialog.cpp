#include "dialogs/config_dialog.h"

#include "dialogs/host_dialog.h"
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

void Disable(HostDialog& dialog, int first, int last) {
    for (int i = first; i <= last; ++i) dialog.Disable(i);
}

// Reads the settings into the items; the in-memory switches and scrolling follow the store from here on,
// whether or not the user confirms.
void FillItems(HostDialog& dialog) {
    uint8_t ownPalette = 0;
    uint32_t scrolling = 0;
    {
        const SettingsVisit visit;
        LoadDisplaySettings();
        // The palette choice is read afresh when the palette is loaded: no switch keeps it.
        ownPalette = ReadStored(Stored::OwnPalette, 0) != 0;
        settings.timeFormat = ReadStored(Stored::TimeFormat, 1) != 0;
        scrolling = ReadStored(Stored::ScrollMode, 3) & (storedScroll::Scrolls | storedScroll::BackAndForth);
    }

    dialog.Set(OwnPalette, ownPalette);
    dialog.Set(ShowPlayerVersion, settings.showVersion[0]);
    dialog.Set(VersionDigits, settings.showVersion[1]);
    dialog.Set(CloseButton, settings.showCloseButton);
    dialog.Set(VolumeControl, settings.showVolumeControl);
    dialog.Set(RepeatShuffle, settings.showRepeatShuffle);
    dialog.Set(WideTrack, settings.wideTrackNumber);
    dialog.Set(StartPlayer, settings.startPlayer[0]);
    dialog.Set(StartOnlyOnCommand, settings.startPlayer[1]);
    dialog.Set(UglyButtons, settings.asciiButtons);
    dialog.Set(ScrollTitle, (scrolling & storedScroll::Scrolls) != 0);
    dialog.Set(RunningText, (scrolling & storedScroll::BackAndForth) == 0);
    dialog.Set(BackAndForth, (scrolling & storedScroll::BackAndForth) != 0);
    dialog.Set(ElapsedTime, settings.timeFormat == 0);
    dialog.Set(RemainingTime, settings.timeFormat);

    liveDisplay.scrollMode = ScrollModeFromStored(scrolling);
    liveDisplay.scroll.offset = 0;
    liveDisplay.scroll.backward = 0;

    if (liveDisplay.scrollMode == scrollModeValue::Centred) Disable(dialog, RunningText, TreeToBackAndForth);
    if (!settings.showVersion[0]) Disable(dialog, VersionDigits, VersionDigits);
    if (!settings.startPlayer[0]) Disable(dialog, StartOnlyOnCommand, StartOnlyOnCommand);
}

// The confirmed choices into the switches and the store. Disabled items count like the others, so a
// dependent option keeps its value while its parent is off. False when the store did not take them all.
bool StoreItems(const HostDialog& dialog) {
    settings.showRepeatShuffle = dialog.On(RepeatShuffle);
    settings.showVersion[0] = dialog.On(ShowPlayerVersion);
    settings.showVersion[1] = dialog.On(VersionDigits);
    settings.showCloseButton = dialog.On(CloseButton);
    settings.showVolumeControl = dialog.On(VolumeControl);
    settings.startPlayer[0] = dialog.On(StartPlayer);
    settings.startPlayer[1] = dialog.On(StartOnlyOnCommand);
    settings.wideTrackNumber = dialog.On(WideTrack);
    settings.asciiButtons = dialog.On(UglyButtons);
    settings.timeFormat = dialog.On(RemainingTime);
    // Taken from the value that is stored, so that memory and the store agree even if the host left both
    // or neither of the style buttons selected.
    const uint32_t scrolling = (dialog.On(ScrollTitle) ? storedScroll::Scrolls : 0u) |
                               (dialog.On(BackAndForth) ? storedScroll::BackAndForth : 0u);
    liveDisplay.scrollMode = ScrollModeFromStored(scrolling);

    return StoreSettings(dialog.On(OwnPalette), scrolling);
}

}  // namespace

int RunConfigDialog() {
    HostDialog dialog(configItems, configItemCount, true);
    FillItems(dialog);
    const int result =
        dialog.Show(DialogId::Config, dialog.FrameRight() + 4, configHeight, hostText::configTopic, ConfigDialogHandler);
    if (result != confirmedResult) return 0;
    if (!StoreItems(dialog)) {
        // Never called saved when it was not: the user is told, and the host hears 0.
        ShowErrorBox(message::SettingsStoreFailed);
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
    return DefaultDialogEvent(dialog, message, parameter1, parameter2);
}

}  // namespace quaver
