// The configuration dialog: one check box or radio button per setting, dependent options following
// their parent while the user works.
#pragma once

#include <cstdint>

#include "dialogs/dialog_items.h"
#include "host/host_api.h"

namespace quaver {

constexpr int configItemCount = 22;
constexpr int configHeight = 22;
extern const DialogInitItem configItems[configItemCount];

// Item indices of configItems.
namespace configItem {
constexpr int Frame = 0;
constexpr int OwnPalette = 1;          // "IgnoreFarPalette"
constexpr int ShowPlayerVersion = 2;  // "DispWinampVer" bit 0
constexpr int VersionDigits = 3;      // "DispWinampVer" bit 1, depends on ShowPlayerVersion
constexpr int CloseButton = 4;
constexpr int VolumeControl = 5;
constexpr int RepeatShuffle = 6;
constexpr int WideTrack = 7;           // "WideTrackNumber"
constexpr int StartPlayer = 8;         // "AutostartWinamp" bit 0
constexpr int StartOnlyOnCommand = 9;  // "AutostartWinamp" bit 1, depends on StartPlayer
constexpr int UglyButtons = 10;
constexpr int ScrollTitle = 11;     // "ScrollMode" bit 1
constexpr int RunningText = 12;     // "ScrollMode" bit 0 clear, depends on ScrollTitle
constexpr int BackAndForth = 13;    // "ScrollMode" bit 0 set, depends on ScrollTitle
constexpr int TreeToRunning = 14;   // depends on ScrollTitle
constexpr int TreeToBackAndForth = 15;  // depends on ScrollTitle
constexpr int TimeFormatHeading = 16;
constexpr int ElapsedTime = 17;
constexpr int RemainingTime = 18;
constexpr int ButtonSeparator = 19;
constexpr int Confirm = 20;
constexpr int Cancel = 21;
}  // namespace configItem

// The body of Configure: 1 when the user confirmed and the settings were stored, else 0.
int RunConfigDialog();
intptr_t HOSTAPI ConfigDialogHandler(void* dialog, int message, int parameter1, intptr_t parameter2);

}  // namespace quaver
