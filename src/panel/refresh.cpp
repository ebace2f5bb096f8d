#include "panel/refresh.h"

#include "host/host.h"
#include "host/settings.h"
#include "host/screen.h"
#include "panel/frame.h"
#include "panel/panel.h"
#include "panel/player_queries.h"
#include "panel/player_snapshot.h"
#include "panel/stream_text.h"
#include "panel/title_line.h"
#include "panel/version_title.h"
#include "panel/widgets.h"
#include "player/commands.h"
#include "player/player.h"

namespace quaver {

LiveDisplay liveDisplay;

namespace {

// Widgets keep pointing at their texts after the pass: constant data only.
constexpr char shuffleLetter[] = "S";
constexpr char repeatLetter[] = "R";
constexpr char unlitIndicator[] = "\xC4";  // an unlit indicator continues the border line
constexpr char plainPanelTitle[] = " Quaver Control ";

constexpr int32_t pausedState = 3;

// Where the pass draws, relative to the panel's top-left corner.
constexpr int digitRowsColumn = 3;
constexpr int topDigitRowLine = 2;
constexpr int infoRowLine = 6;

bool PanelReady() {
    return openPanel.placement && openPanel.widgets[slot::PanelTitle] && openPanel.widgets[slot::TitleLine] &&
           openPanel.widgets[slot::Shuffle] && openPanel.widgets[slot::Repeat];
}

// A pass that was waiting for the lock while the display was paused must not draw over what the pause was
// made for (the restored screen, the player's start notice).
bool DisplayStillActive(os::Handle stop) {
    return os::WaitForSingleObject(stop, 0) != os::WaitObject0 &&
           os::WaitForSingleObject(openPanel.displayActiveEvent, 0) == os::WaitObject0;
}

void BlankBuffers(PassBuffers& buffers) {
    BlankDigitRows(buffers.digits);
    BlankInfoRow(buffers.infoRow);
    BlankTitleField();
}

uint32_t TrackNumber(const PlayerSnapshot& snapshot) {
    return snapshot.listPosition < 0 ? 0 : static_cast<uint32_t>(snapshot.listPosition) + 1;
}

// Elapsed seconds, or the remaining ones; never below 0.
uint32_t ShownSeconds(const PlayerSnapshot& snapshot) {
    const int64_t elapsed = snapshot.position / 1000;  // truncated toward zero: a position of -1 reads as 0
    const int64_t seconds = snapshot.remaining ? int64_t{snapshot.trackLength} - elapsed : elapsed;
    return seconds < 0 ? 0 : static_cast<uint32_t>(seconds);
}

// In even seconds of the tick count a paused clock is not shown: it blinks with a period of two seconds.
bool ClockHidden(const PlayerSnapshot& snapshot) {
    const int32_t playing = snapshot.playing < 0 || snapshot.playing > 3 ? 2 : snapshot.playing;
    return playing == pausedState && os::GetTickCount() / 1000 % 2 == 0;
}

void ShowIndicator(int slotIndex, int32_t lit, const char* letter) {
    Widget& indicator = *openPanel.widgets[slotIndex];
    SetText(indicator, lit ? letter : unlitIndicator);
    indicator.colour = lit ? paletteIndicator : paletteFrame;
    indicator.draw(false);
}

void PlacePanelTitle(const char* text, int32_t length) {
    Widget& title = *openPanel.widgets[slot::PanelTitle];
    SetTextAt(title, text, PanelTitleColumn(openPanel.panelWidth, length, settings.showCloseButton != 0));
    title.draw(false);
}

void ShowVersion(int32_t value) {
    const PlayerVersionNumber version = SplitPlayerVersion(value, settings.showVersion[1] != 0);
    // No player has a negative version: it stays unknown, unshown, and is asked again next pass.
    if (version.major < 0) return;
    // A major version of 0 leaves the version unknown too: it is asked again next pass.
    liveDisplay.playerVersion = version.major;
    PlacePanelTitle(liveDisplay.versionTitle, FormatVersionTitle(liveDisplay.versionTitle, version));
}

void DrawPass(const PassBuffers& buffers) {
    const int x = openPanel.placement->x;
    const int y = openPanel.placement->y;
    const int first = settings.wideTrackNumber ? 0 : narrowFirstCell;
    const int digits = settings.palette[paletteDigits];
    PutText(x + digitRowsColumn, y + topDigitRowLine, digits, buffers.digits.top + first);
    PutText(x + digitRowsColumn, y + topDigitRowLine + 1, digits, buffers.digits.middle + first);
    PutText(x + digitRowsColumn, y + topDigitRowLine + 2, digits, buffers.digits.bottom + first);
    PutText(x + static_cast<int>(openPanel.infoLineX), y + infoRowLine, settings.palette[paletteFrame], buffers.infoRow);
    openPanel.widgets[slot::TitleLine]->draw(false);
    FlushOutput();  // the one flush of the pass
}

void DrawSnapshot(const PlayerSnapshot& snapshot) {
    PassBuffers buffers;
    BlankBuffers(buffers);
    if (snapshot.indicatorsAsked) {
        ShowIndicator(slot::Shuffle, snapshot.shuffle, shuffleLetter);
        ShowIndicator(slot::Repeat, snapshot.repeat, repeatLetter);
    }
    if (snapshot.versionAsked) ShowVersion(snapshot.version);

    WriteTrackNumber(buffers.digits, TrackNumber(snapshot));
    if (!ClockHidden(snapshot)) WriteClock(buffers.digits, ShownSeconds(snapshot), snapshot.remaining);
    const int32_t channels = snapshot.channels < 0 || snapshot.channels > 2 ? 0 : snapshot.channels;
    char streamText[streamTextCapacity];
    PlaceStreamText(buffers.infoRow, streamText,
                    BuildStreamText(streamText, snapshot.sampleRate, snapshot.bitRate, channels));
    FillTitleLine(snapshot.title);
    TerminateDigitRows(buffers.digits);
    DrawPass(buffers);
    liveDisplay.shownBuffers = buffers;
}

void IdleBuffers(PassBuffers& buffers) {
    BlankBuffers(buffers);
    WriteTrackNumber(buffers.digits, 0);
    TerminateDigitRows(buffers.digits);
}

// The display without a player: track number 000, no clock, a plain info line, a blank title line; the
// indicators keep their last state. A player that went away also takes its version out of the panel title.
void ShowIdle(bool playerGone) {
    if (playerGone && settings.showVersion[0] && liveDisplay.playerVersion != 0) {
        liveDisplay.playerVersion = 0;
        SetTextAt(*openPanel.widgets[slot::PanelTitle], plainPanelTitle,
                  PanelTitleColumn(openPanel.panelWidth, sizeof plainPanelTitle - 1, settings.showCloseButton != 0));
        // The whole panel, so that the border comes back under the longer version title.
        DrawPanel(*openPanel.placement);
    }
    IdleBuffers(liveDisplay.shownBuffers);
    DrawPass(liveDisplay.shownBuffers);
}

}  // namespace

bool AskPlayer(PlayerQueries& player, bool remaining, PlayerSnapshot& snapshot) {
    snapshot.remaining = remaining;
    snapshot.trackLength = 0;
    if (!player.Ask(query::PlayingState, snapshot.playing) || !player.Ask(query::ListPosition, snapshot.listPosition) ||
        !player.Ask(query::SampleRate, snapshot.sampleRate) || !player.Ask(query::BitRate, snapshot.bitRate) ||
        !player.Ask(query::Channels, snapshot.channels))
        return false;
    if (remaining && !player.Ask(query::TrackLength, snapshot.trackLength)) return false;
    if (!player.Ask(query::Position, snapshot.position)) return false;
    snapshot.indicatorsAsked = settings.showRepeatShuffle != 0;
    if (snapshot.indicatorsAsked &&
        (!player.Ask(query::Shuffle, snapshot.shuffle) || !player.Ask(query::Repeat, snapshot.repeat)))
        return false;
    // liveDisplay.playerVersion is written only by this thread.
    snapshot.versionAsked = settings.showVersion[0] && liveDisplay.playerVersion == 0;
    if (snapshot.versionAsked && !player.Ask(query::Version, snapshot.version)) return false;
    return AskTitleLine(player, snapshot.title);
}

void ResetRefreshPicture() {
    IdleBuffers(liveDisplay.shownBuffers);
    liveDisplay.silent = false;
    liveDisplay.silentSince = 0;
}

void RunRefreshPass(os::Handle stop) {
    bool remaining = false;
    {
        os::CriticalSectionLock lock(openPanel.drawingLock);
        if (!DisplayStillActive(stop) || !PanelReady()) return;
        remaining = settings.timeFormat != 0;  // the host's thread flips it under the lock
    }

    // The questions are asked without the lock, so that a key's pressed look and command never wait for them.
    PlayerSnapshot snapshot{};
    const os::Window player = FindPlayer();
    bool complete = false;
    bool answeredAny = false;
    if (player) {
        PlayerQueries queries(player, stop);
        complete = AskPlayer(queries, remaining, snapshot);
        answeredAny = queries.answeredAny();
    }

    os::CriticalSectionLock lock(openPanel.drawingLock);
    if (!DisplayStillActive(stop) || !PanelReady()) return;
    const uint32_t now = os::GetTickCount();
    if (answeredAny) {
        liveDisplay.silent = false;
    } else if (!liveDisplay.silent) {
        liveDisplay.silent = true;
        liveDisplay.silentSince = now;
    }
    if (!player) {
        ShowIdle(true);
    } else if (complete) {
        DrawSnapshot(snapshot);
    } else if (liveDisplay.silent && now - liveDisplay.silentSince >= silenceBeforeIdle) {
        ShowIdle(false);
    } else {
        // Never a partial snapshot: the last complete picture stays, drawn again in case the panel was
        // redrawn meanwhile. The title line still holds its text.
        DrawPass(liveDisplay.shownBuffers);
    }
}

uint32_t OSAPI RefreshThread(void* stop) {
    // stopEvent first, so that it wins when both are set; a paused display sleeps here without drawing.
    const os::Handle events[2] = {stop, openPanel.displayActiveEvent};
    for (;;) {
        if (os::WaitForAnyObject(2, events, os::Infinite) != os::WaitObject0 + 1) return 0;
        RunRefreshPass(stop);
        if (os::WaitForSingleObject(stop, refreshPeriod) != os::WaitTimeout) return 0;
    }
}

}  // namespace quaver
