#include "panel/refresh.h"

#include "host/host.h"
#include "host/settings.h"
#include "panel/console_output.h"
#include "panel/frame.h"
#include "panel/panel.h"
#include "panel/player_queries.h"
#include "panel/stream_text.h"
#include "panel/title_line.h"
#include "panel/version_title.h"
#include "panel/widgets.h"
#include "player/commands.h"
#include "player/player.h"

namespace quaver {

int32_t playerVersion;
char versionTitle[40];

namespace {

// Widgets keep pointing at their texts after the pass: constant data only.
constexpr char shuffleLetter[] = "S";
constexpr char repeatLetter[] = "R";
constexpr char unlitIndicator[] = "\xC4";  // an unlit indicator continues the border line
constexpr char plainPanelTitle[] = " Quaver Control ";

constexpr uint8_t litColour = 6;
constexpr uint8_t unlitColour = 0;
constexpr int32_t pausedState = 3;

// Where the pass draws, relative to the panel's top-left corner.
constexpr int digitRowsColumn = 3;
constexpr int topDigitRowLine = 2;
constexpr int infoRowLine = 6;

struct PassBuffers {
    DigitRows digits;
    char infoRow[infoRowCells + 1];
};

struct PlayerState {
    int32_t playing;
    int32_t listPosition;
    int32_t sampleRate;
    int32_t bitRate;
    int32_t channels;
    int32_t trackLength;
    int32_t position;
};

bool PanelReady() {
    return panelPlacement && widgetTable[slot::PanelTitle] && widgetTable[slot::TitleLine] &&
           widgetTable[slot::Shuffle] && widgetTable[slot::Repeat];
}

// A pass that was waiting for the lock while the display was paused must not draw over what the pause was
// made for (the restored screen, the player's start notice).
bool DisplayStillActive(os::Handle stop) {
    return os::WaitForSingleObject(stop, 0) != os::WaitObject0 &&
           os::WaitForSingleObject(displayActiveEvent, 0) == os::WaitObject0;
}

void BlankBuffers(PassBuffers& buffers) {
    BlankDigitRows(buffers.digits);
    BlankInfoRow(buffers.infoRow);
    BlankTitleField();
}

bool AskPlayerState(PlayerQueries& player, PlayerState& state) {
    state.trackLength = 0;
    if (!player.Ask(query::PlayingState, state.playing) || !player.Ask(query::ListPosition, state.listPosition) ||
        !player.Ask(query::SampleRate, state.sampleRate) || !player.Ask(query::BitRate, state.bitRate) ||
        !player.Ask(query::Channels, state.channels))
        return false;
    if (state.channels < 0 || state.channels > 2) state.channels = 0;
    if (TimeFormat && !player.Ask(query::TrackLength, state.trackLength)) return false;
    if (!player.Ask(query::Position, state.position)) return false;
    if (state.playing < 0 || state.playing > 3) state.playing = 2;
    return true;
}

uint32_t TrackNumber(const PlayerState& state) {
    return state.listPosition < 0 ? 0 : static_cast<uint32_t>(state.listPosition) + 1;
}

// Elapsed seconds, or the remaining ones; never below 0.
uint32_t ShownSeconds(const PlayerState& state) {
    const int64_t elapsed = state.position / 1000;  // truncated toward zero: a position of -1 reads as 0
    const int64_t shown = TimeFormat ? int64_t{state.trackLength} - elapsed : elapsed;
    return shown < 0 ? 0 : static_cast<uint32_t>(shown);
}

// In even seconds of the tick count a paused clock is not shown: it blinks with a period of two seconds.
bool ClockHidden(const PlayerState& state) { return state.playing == pausedState && os::GetTickCount() / 1000 % 2 == 0; }

bool UpdateIndicator(PlayerQueries& player, Query question, int slotIndex, const char* letter) {
    int32_t lit = 0;
    if (!player.Ask(question, lit)) return false;
    Widget& indicator = *widgetTable[slotIndex];
    SetText(indicator, lit ? letter : unlitIndicator);
    indicator.colour = lit ? litColour : unlitColour;
    indicator.draw(false);
    return true;
}

void PlacePanelTitle(const char* text, int32_t length) {
    Widget& title = *widgetTable[slot::PanelTitle];
    SetTextAt(title, text, PanelTitleColumn(panelWidth, length, DispCloseButton != 0));
    title.draw(false);
}

bool UpdateVersionTitle(PlayerQueries& player) {
    int32_t value = 0;
    if (!player.Ask(query::Version, value)) return false;
    const PlayerVersionNumber version = SplitPlayerVersion(value, DispWinampVer[1] != 0);
    // A major version of 0 leaves the version unknown: it is asked again next pass.
    playerVersion = version.major;
    PlacePanelTitle(versionTitle, FormatVersionTitle(versionTitle, version));
    return true;
}

// Fills the buffers from the player's answers. False when the player stopped answering part way.
bool ShowPlayerState(os::Window window, PassBuffers& buffers) {
    PlayerQueries player(window, passQueryBudget);
    PlayerState state{};
    if (!AskPlayerState(player, state)) return false;
    if (DispRepeatShfl && (!UpdateIndicator(player, query::Shuffle, slot::Shuffle, shuffleLetter) ||
                           !UpdateIndicator(player, query::Repeat, slot::Repeat, repeatLetter)))
        return false;
    if (DispWinampVer[0] && playerVersion == 0 && !UpdateVersionTitle(player)) return false;

    WriteTrackNumber(buffers.digits, TrackNumber(state));
    if (!ClockHidden(state)) WriteClock(buffers.digits, ShownSeconds(state), TimeFormat != 0);
    char streamText[streamTextCapacity];
    PlaceStreamText(buffers.infoRow, streamText,
                    BuildStreamText(streamText, state.sampleRate, state.bitRate, state.channels));
    return UpdateTitleLine(player);
}

// The display without a player: track number 000, no clock, a plain info line, a blank title line; the
// indicators keep their last state. A player that went away also takes its version out of the panel title.
void ShowIdle(PassBuffers& buffers, bool playerGone) {
    if (playerGone && DispWinampVer[0] && playerVersion != 0) {
        playerVersion = 0;
        SetTextAt(*widgetTable[slot::PanelTitle], plainPanelTitle,
                  PanelTitleColumn(panelWidth, sizeof plainPanelTitle - 1, DispCloseButton != 0));
        // The whole panel, so that the border comes back under the longer version title.
        DrawPanel(*panelPlacement);
    }
    WriteTrackNumber(buffers.digits, 0);
}

void DrawPass(const PassBuffers& buffers) {
    const int x = panelPlacement->x;
    const int y = panelPlacement->y;
    const int first = WideTrackNumber ? 0 : narrowFirstCell;
    PutText(x + digitRowsColumn, y + topDigitRowLine, palette[2], buffers.digits.top + first);
    PutText(x + digitRowsColumn, y + topDigitRowLine + 1, palette[2], buffers.digits.middle + first);
    PutText(x + digitRowsColumn, y + topDigitRowLine + 2, palette[2], buffers.digits.bottom + first);
    PutText(x + static_cast<int>(infoLineX), y + infoRowLine, palette[0], buffers.infoRow);
    widgetTable[slot::TitleLine]->draw(false);
    FlushOutput();  // the one flush of the pass
}

}  // namespace

void RunRefreshPass(os::Handle stop) {
    os::CriticalSectionLock lock(drawingLock);
    if (!DisplayStillActive(stop) || !PanelReady()) return;

    PassBuffers buffers;
    BlankBuffers(buffers);
    const os::Window player = FindPlayer();
    if (!player || !ShowPlayerState(player, buffers)) {
        // A player that stopped answering part way may have filled some of the buffers.
        if (player) BlankBuffers(buffers);
        ShowIdle(buffers, !player);
    }
    TerminateDigitRows(buffers.digits);
    DrawPass(buffers);
}

uint32_t OSAPI RefreshThread(void* stop) {
    // stopEvent first, so that it wins when both are set; a paused display sleeps here without drawing.
    const os::Handle events[2] = {stop, displayActiveEvent};
    for (;;) {
        if (os::WaitForAnyObject(2, events, os::Infinite) != os::WaitObject0 + 1) return 0;
        RunRefreshPass(stop);
        if (os::WaitForSingleObject(stop, refreshPeriod) != os::WaitTimeout) return 0;
    }
}

}  // namespace quaver
