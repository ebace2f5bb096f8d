// Any 32-bit answers a player gives to every question of a refresh pass, over a few passes some time apart,
// in both time formats and both panel widths, with the indicators and the version title on or off, and a
// player that may go away, stop answering or change its answers part way through a pass: each pass draws
// only on the panel and its shadow, flushes exactly once, and leaves every widget as wide as its text; a pass
// that did not get every answer draws the same digit rows as the pass before it, or the idle ones.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_input.h"
#include "host/settings.h"
#include "panel/big_digits.h"
#include "panel/panel.h"
#include "panel/refresh.h"
#include "panel/title_line.h"
#include "panel_area.h"
#include "panel_harness.h"
#include "player/player.h"
#include "scripted_player.h"

using namespace quaver;
using fuzz::Require;

namespace {

void TakeAnswers(fuzz::FuzzInput& in, fake::PlayerAnswers& answers) {
    answers.playing = in.Take<int32_t>();
    answers.listPosition = in.Take<int32_t>();
    answers.sampleRate = in.Take<int32_t>();
    answers.bitRate = in.Take<int32_t>();
    answers.channels = in.Take<int32_t>();
    answers.trackLength = in.Take<int32_t>();
    answers.position = in.Take<int32_t>();
    answers.shuffle = in.Take<int32_t>();
    answers.repeat = in.Take<int32_t>();
    answers.version = in.Take<int32_t>();
    const uint8_t title = in.Take<uint8_t>();
    answers.titleUnterminated = (title & 1) != 0;
    answers.claimTitleLength = (title & 2) != 0;
    answers.claimedTitleLength = in.Take<int32_t>();
    // Stops answering after that many questions of this pass, or never.
    answers.hangAfter = (title & 4) ? 1 + (title >> 3) : -1;
    answers.answered = 0;
    answers.windowTitle = in.TakeText(300);
    // From a later message on, it answers from another record.
    answers.changeAfter = in.TakeBool() ? static_cast<int>(in.TakeBelow(12)) : -1;
}

// The three digit rows as drawn on the screen.
std::string DrawnDigitRows(const PanelPlacement& placement) {
    std::string rows;
    const int cells = settings.wideTrackNumber ? digitRowCells : digitRowCells - narrowFirstCell;
    for (int line = 2; line <= 4; ++line) rows += fake::ScreenRow(placement.y + line, placement.x + 3, cells);
    return rows;
}

// The idle display's digit rows: track number 000 and no clock.
std::string IdleDigitRows() {
    DigitRows rows;
    BlankDigitRows(rows);
    WriteTrackNumber(rows, 0);
    const int first = settings.wideTrackNumber ? 0 : narrowFirstCell;
    const size_t cells = static_cast<size_t>(digitRowCells - first);
    return std::string(rows.top + first, cells) + std::string(rows.middle + first, cells) +
           std::string(rows.bottom + first, cells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    fake::PanelLook look;
    const uint8_t switches = in.Take<uint8_t>();
    look.wideTrackNumber = switches & 1;
    look.timeFormat = (switches >> 1) & 1;
    look.repeatShuffle = (switches >> 2) & 1;
    look.closeButton = (switches >> 3) & 1;
    look.uglyButtons = (switches >> 4) & 1;
    fake::PanelHarness panel(look);
    settings.showVersion[0] = (switches >> 5) & 1;
    settings.showVersion[1] = (switches >> 6) & 1;
    liveDisplay.playerVersion = 0;  // as every opening of the panel starts
    liveDisplay.scrollMode = static_cast<int32_t>(in.TakeBelow(3));
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;
        fake::world().tick = in.Take<uint32_t>();
        fake::world().volumeFails = in.TakeBool();
        fake::world().volume = in.Take<uint32_t>();
    }
    playerLink.volumeChangeTick = in.Take<uint32_t>();

    fake::PlayerAnswers answers;
    fake::PlayerAnswers changed;
    os::UniqueHandle stop(os::CreateEvent(true, false));
    std::string shownRows = DrawnDigitRows(panel.placement);  // the digit rows before this pass
    SetDisplayActive(true);
    const int passes = 1 + static_cast<int>(in.TakeBelow(4));
    for (int pass = 0; pass < passes; ++pass) {
        // Before each pass the player is there with new answers, or has gone.
        {
            std::lock_guard lock(fake::Mutex());
            fake::world().playerHung = false;
        }
        bool present = false;
        if (in.TakeBool()) {
            fake::RemovePlayer();
        } else {
            TakeAnswers(in, answers);
            TakeAnswers(in, changed);
            changed.changeAfter = -1;
            answers.changed = &changed;
            fake::ShowScriptedPlayer(&answers);
            present = true;
        }
        {
            std::lock_guard lock(fake::Mutex());
            fake::world().tick += in.TakeBelow(3000);
        }
        const size_t sentBefore = fake::SentMessages().size();
        fuzz::TakeDrawing();
        RunRefreshPass(stop.get());
        // Every question this pass sent was answered (a hung player's are not).
        const bool everyAnswer = fake::SentMessages().size() - sentBefore == static_cast<size_t>(answers.answered);
        const std::string rows = DrawnDigitRows(panel.placement);
        if (present && !everyAnswer)
            Require(rows == shownRows || rows == IdleDigitRows(),
                    "a pass without every answer keeps the last picture or shows the idle one");
        shownRows = rows;
        const int flushes = fuzz::RequireDrawnOnPanel(fuzz::TakeDrawing(), panel.placement);
        Require(flushes == 1, "a pass flushes exactly once");
        fuzz::RequireWidgetLengths();
        Require(liveDisplay.playerVersion == 0 || settings.showVersion[0],
                "the version is known only while it is shown");
    }
    fake::RemovePlayer();
    SetDisplayActive(false);
    return 0;
}
