// The RefreshThread: big-digit clock and track number, stream information, indicators, version title.
#pragma once

#include <cstdint>

#include "host/host_text.h"
#include "os/os.h"
#include "panel/big_digits.h"
#include "panel/stream_text.h"
#include "panel/title_layout.h"

namespace quaver {

constexpr int32_t titleLineCells = 34;  // the widest title field
// The title line's text: in the classic build one byte a cell; in the wide build a cell may take more than one
// UTF-16 unit (a character outside the Basic Multilingual Plane, combining marks).
#if QUAVER_WIDE
constexpr int32_t titleLineCapacity = 4 * titleLineCells + 1;
#else
constexpr int32_t titleLineCapacity = 40;
#endif

// The cells one pass draws besides the widgets.
struct PassBuffers {
    DigitRows digits;
    char infoRow[infoRowCells + 1];
};

// The live display: what the RefreshThread draws and carries from pass to pass. The RefreshThread writes it
// under drawingLock. The host's thread writes it only while the display is paused or no panel is open: an
// opening forgets the version and the picture and starts the title line blank (the scroll mode and state
// carry over), and SetStartupInfo and the configuration dialog set the scroll mode; the one exception is the
// Enter key, which changes the scroll mode and starts the scroll over under drawingLock.
struct LiveDisplay {
    int32_t playerVersion;  // major version once asked; 0 before
    char versionTitle[40];  // the panel title with the version in it
    HostChar titleLine[titleLineCapacity];  // text of the title-line widget, in the host's characters
    int32_t scrollMode;     // a scrollModeValue
    ScrollState scroll;
    // The host's words for an add in the title line, fetched as the panel opens (the host's thread).
    const HostChar* addingFilesText;
    const HostChar* filesAddedText;
    // What the panel shows between passes. A pass whose answers did not all arrive redraws the last complete
    // picture (its clock simply stands still) until the player has been silent for silenceBeforeIdle.
    PassBuffers shownBuffers;  // the last complete picture, or the idle one
    bool silent;               // the last pass got no answer at all
    uint32_t silentSince;
};
extern LiveDisplay liveDisplay;

constexpr uint32_t refreshPeriod = 175;  // ms between the end of one pass and the start of the next
// A player that answers nothing for this long is shown as no player; until then its last picture stays.
constexpr uint32_t silenceBeforeIdle = 2000;

uint32_t OSAPI RefreshThread(void* stopEvent);

// One refresh pass: asks the player afresh, without drawingLock, then redraws the live part of the panel
// under the lock with one flush: the player's picture when every answer came, else the last complete
// picture, or the idle display once the window is gone or silent too long. Draws nothing when the display
// was paused, or stop set, meanwhile.
void RunRefreshPass(os::Handle stopEvent);
// Every opening of the panel starts from the idle picture.
void ResetRefreshPicture();

}  // namespace quaver
