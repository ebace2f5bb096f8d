// The panel's widgets as the user works them: keys and clicks, holding, dragging, releasing, and their looks.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "panel/run_panel.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "panel_harness.h"
#include "player/player.h"

using namespace quaver;

namespace {

constexpr uint16_t keyZ = 0x5A, keyX = 0x58, keyL = 0x4C, keyS = 0x53, keyR = 0x52, keyC = 0x43;
constexpr uint16_t keyLeft = 0x25, keyUp = 0x26, keyDown = 0x28, keyF4 = 0x73, keyPad8 = 0x68, keyPad2 = 0x62;
constexpr uint32_t left = os::LeftButtonPressed, moved = os::MouseMoved;

os::InputRecord Key(uint16_t virtualKey, bool down, uint32_t state = 0) {
    os::InputRecord record{};
    record.eventType = os::KeyEventType;
    record.key = os::KeyEvent{down, 1, virtualKey, 0, 0, state};
    return record;
}

os::InputRecord Mouse(int16_t x, int16_t y, uint32_t buttons, uint32_t flags = 0) {
    os::InputRecord record{};
    record.eventType = os::MouseEventType;
    record.mouse = os::MouseEvent{x, y, buttons, 0, flags};
    return record;
}

class Widgets : public ::testing::Test {
protected:
    void SetUp() override { Open({}); }

    void Open(const fake::PanelLook& look) {
        panel.reset();
        panel = std::make_unique<fake::PanelHarness>(look);
        fake::world().manualClock = true;  // time passes only when a test lets it
    }

    // One event through the panel's reader, as the input loop gets it.
    static uint32_t Read(const os::InputRecord& event) {
        fake::PushInput(event);
        return ReadPanelInput();
    }
    uint32_t Tap(uint16_t key, uint32_t state = 0) {
        const uint32_t code = Read(Key(key, true, state));
        Read(Key(key, false, state));
        return code;
    }
    uint32_t Click(int16_t x, int16_t y) {
        const uint32_t code = Read(Mouse(x, y, left));
        const uint32_t up = Read(Mouse(x, y, 0));
        EXPECT_EQ(up, panelCode::ReleaseAll);
        ActOnInputCode(up, panel->placement);
        return code;
    }
    static size_t Mark() { return fake::PutTexts().size(); }
    static std::vector<fake::PutTextCall> DrawsSince(size_t mark) {
        auto calls = fake::PutTexts();
        return std::vector<fake::PutTextCall>(calls.begin() + static_cast<long>(mark), calls.end());
    }
    // Lets time pass on the manual clock, as the input loop's wait does, and draws the released looks now due.
    static void PassTime(uint32_t ms) {
        fake::world().tick += ms;
        DrawDueReleases();
    }
    // Widgets released and still drawn pressed, waiting for their released look.
    int ReleasesPending() {
        int pending = 0;
        for (int slot = 0; slot < widgetCount; ++slot) pending += at(slot).releaseDrawPending;
        return pending;
    }
    Widget& at(int slot) { return panel->at(slot); }

    std::unique_ptr<fake::PanelHarness> panel;
};

void ExpectPressedButton(const std::vector<fake::PutTextCall>& draws, int x, int y, const std::string& face) {
    ASSERT_GE(draws.size(), 3u);
    EXPECT_EQ(draws[0].x, x);
    EXPECT_EQ(draws[0].text, " ");
    EXPECT_EQ(draws[0].colour, 0x70);
    EXPECT_EQ(draws[1].x, x + 1) << "the face moves one cell right";
    EXPECT_EQ(draws[1].y, y);
    EXPECT_EQ(draws[1].text, face);
    EXPECT_EQ(draws[1].colour, 0x74);
    EXPECT_EQ(draws[2].x, x + 1);
    EXPECT_EQ(draws[2].y, y + 1);
    EXPECT_EQ(draws[2].text, std::string(face.size(), ' ')) << "the half-block shadow is blanked";
    EXPECT_EQ(draws[2].colour, 0x70);
}

void ExpectReleasedButton(const std::vector<fake::PutTextCall>& draws, int x, int y, const std::string& face) {
    ASSERT_GE(draws.size(), 3u);
    EXPECT_EQ(draws[0].x, x);
    EXPECT_EQ(draws[0].y, y);
    EXPECT_EQ(draws[0].text, face);
    EXPECT_EQ(draws[0].colour, 0x73);
    EXPECT_EQ(draws[1].x, x + static_cast<int>(face.size()));
    EXPECT_EQ(draws[1].y, y);
    EXPECT_EQ(draws[1].text, "\xDC");
    EXPECT_EQ(draws[1].colour, 0x75);
    EXPECT_EQ(draws[2].x, x + 1);
    EXPECT_EQ(draws[2].y, y + 1);
    EXPECT_EQ(draws[2].text, std::string(face.size(), '\xDF'));
    EXPECT_EQ(draws[2].colour, 0x75);
}

// ---- keys ----------------------------------------------------------------------------------------------------

TEST_F(Widgets, ATapOnZSendsPreviousOnceShowsThePressAtOnceAndTheReleaseAfter55Ms) {
    size_t mark = Mark();
    EXPECT_EQ(Read(Key(keyZ, true)), 40044u);
    EXPECT_TRUE(at(slot::Previous).engaged);
    auto draws = DrawsSince(mark);
    ExpectPressedButton(draws, 23 + 9, 5 + 7, " < ");
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_TRUE(draws[3].isFlush) << "a press is visible at once";

    mark = Mark();
    EXPECT_EQ(Read(Key(keyZ, false)), panelCode::Nothing) << "the key-up delivers nothing";
    EXPECT_FALSE(at(slot::Previous).engaged);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_TRUE(fake::world().sleeps.empty()) << "the host's thread does not wait for the released look";
    PassTime(54);
    EXPECT_TRUE(DrawsSince(mark).empty()) << "still shown pressed";
    PassTime(1);
    draws = DrawsSince(mark);
    ExpectReleasedButton(draws, 32, 12, " < ");
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_TRUE(draws[3].isFlush);
}

TEST_F(Widgets, WaitingForTheNextEventTheInputLoopWakesOnceToDrawAReleasedLookWhenItIsDue) {
    Read(Key(keyZ, true));
    Read(Key(keyZ, false));
    const size_t mark = Mark();
    const uint32_t before = fake::world().tick;
    fake::world().emptyInputGraceMs = 0;  // then nothing comes: the untimed wait gives up, which closes
    EXPECT_EQ(ReadPanelInput(), panelCode::Close);
    fake::world().inputWaitsGivenUp = 0;
    EXPECT_EQ(fake::world().tick - before, 55u) << "one timed wait, ending when the look was due";
    ExpectReleasedButton(DrawsSince(mark), 32, 12, " < ");
}

TEST_F(Widgets, HoldingLeftRepeatsRewindWithEveryKeyRepeatOfTheConsoleWithoutRedrawing) {
    EXPECT_EQ(Read(Key(keyLeft, true)), 40061u);
    const size_t mark = Mark();
    for (int repeat = 0; repeat < 3; ++repeat) EXPECT_EQ(Read(Key(keyLeft, true)), 40061u);
    EXPECT_TRUE(DrawsSince(mark).empty());
    EXPECT_EQ(playerLink.heldCommand, 0u) << "a key repeats through the console, not through the RepeatThread";
    EXPECT_TRUE(at(slot::Rewind).pressed);
}

TEST_F(Widgets, EveryBoundKeySendsItsCommandOrPanelCode) {
    const struct {
        uint16_t key;
        uint32_t state;
        uint32_t code;
    } bindings[] = {
        {keyZ, 0, 40044},  {0x64, 0, 40044}, {keyX, 0, 40045},  {0x65, 0, 40045}, {keyC, 0, 40046},
        {0x56, 0, 40047},  {0x42, 0, 40048}, {0x66, 0, 40048},  {keyL, 0, 40145}, {0x60, 0, 40145},
        {keyLeft, 0, 40061}, {0x67, 0, 40061}, {0x27, 0, 40060}, {0x69, 0, 40060}, {keyUp, 0, 40058},
        {keyPad8, 0, 40058}, {keyDown, 0, 40059}, {keyPad2, 0, 40059}, {0x70, 0, panelCode::AboutBox},
        {0x20, 0, panelCode::ToggleTimeFormat}, {0x0D, 0, panelCode::NextScrollMode}, {keyS, 0, 40023},
        {keyR, 0, 40022}, {keyF4, os::LeftAltPressed, panelCode::ClosePlayer},
        {keyF4, os::RightAltPressed, panelCode::ClosePlayer},
    };
    for (const auto& binding : bindings)
        EXPECT_EQ(Tap(binding.key, binding.state), binding.code) << "key " << binding.key;
}

TEST_F(Widgets, ModifiersMustMatchExactlyAndLockKeysDoNotCount) {
    const os::KeyEvent shiftZ{true, 1, keyZ, 0, 0, os::ShiftPressed};
    const os::KeyEvent ctrlZ{true, 1, keyZ, 0, 0, os::RightCtrlPressed};
    const os::KeyEvent altZ{true, 1, keyZ, 0, 0, os::LeftAltPressed};
    const os::KeyEvent lockedZ{true, 1, keyZ, 0, 0, 0x20 | 0x40 | 0x80 | os::EnhancedKey};
    EXPECT_FALSE(HitsKey(at(slot::Previous), shiftZ));
    EXPECT_FALSE(HitsKey(at(slot::Previous), ctrlZ));
    EXPECT_FALSE(HitsKey(at(slot::Previous), altZ));
    EXPECT_TRUE(HitsKey(at(slot::Previous), lockedZ)) << "Num, Caps and Scroll Lock and the enhanced flag";

    const os::KeyEvent f4{true, 1, keyF4, 0, 0, 0};
    const os::KeyEvent ctrlAltF4{true, 1, keyF4, 0, 0, os::LeftCtrlPressed | os::LeftAltPressed};
    const os::KeyEvent altShiftF4{true, 1, keyF4, 0, 0, os::LeftAltPressed | os::ShiftPressed};
    const os::KeyEvent altF4{true, 1, keyF4, 0, 0, os::RightAltPressed};
    EXPECT_FALSE(HitsKey(at(slot::CloseGlyph), f4));
    EXPECT_FALSE(HitsKey(at(slot::CloseGlyph), ctrlAltF4));
    EXPECT_FALSE(HitsKey(at(slot::CloseGlyph), altShiftF4));
    EXPECT_TRUE(HitsKey(at(slot::CloseGlyph), altF4));

    EXPECT_EQ(Tap(keyZ, os::ShiftPressed), panelCode::Nothing);
    EXPECT_EQ(Tap(keyZ, os::LeftCtrlPressed), panelCode::Nothing);
    EXPECT_EQ(Tap(keyF4), panelCode::Nothing);
}

TEST_F(Widgets, AKeyWithoutAVirtualKeyCodeIsNoBindingOfAWidgetWithOnlyOneKey) {
    // Pause, stop, the labels and the indicators have no second key: an event with key code 0 (typed
    // characters some consoles deliver that way) must not press them.
    const os::KeyEvent nothing{true, 1, 0, 0, 'a', 0};
    for (int slot = 0; slot < widgetCount; ++slot) EXPECT_FALSE(HitsKey(at(slot), nothing)) << slot;
    EXPECT_EQ(Tap(0), panelCode::Nothing);
}

TEST_F(Widgets, AnotherBoundKeyWhileOneIsHeldReleasesTheFirstAndPressesTheOther) {
    EXPECT_EQ(Read(Key(keyX, true)), 40045u);
    const size_t mark = Mark();
    EXPECT_EQ(Read(Key(keyL, true)), 40145u);
    EXPECT_TRUE(at(slot::Open).engaged);
    EXPECT_FALSE(at(slot::Play).engaged);
    EXPECT_TRUE(at(slot::Open).pressed);
    PassTime(55);
    EXPECT_FALSE(at(slot::Play).pressed);
    const auto draws = DrawsSince(mark);
    ASSERT_EQ(draws.size(), 8u);
    ExpectPressedButton(draws, 23 + 23, 14, "   \x1E   ");
    ExpectReleasedButton({draws.begin() + 4, draws.end()}, 23 + 14, 12, "  \x10  ");
}

TEST_F(Widgets, APressReleasesTheHeldWidgetAlsoAfterAnEventNoWidgetTook) {
    // The pointer passing over the console is taken by no widget, which leaves no active widget behind.
    EXPECT_EQ(Read(Key(keyL, true)), 40145u);
    EXPECT_EQ(Read(Mouse(0, 0, 0, moved)), panelCode::Nothing);
    EXPECT_EQ(Read(Key(keyX, true)), 40045u);
    EXPECT_FALSE(at(slot::Open).engaged) << "one key holds one button";
    EXPECT_EQ(at(slot::Open).releaseDrawPending, 1);
    EXPECT_TRUE(at(slot::Play).pressed);

    const int16_t x = panel->column(slot::FastForward, 1), y = panel->row(slot::FastForward);
    Read(Key(keyX, false));
    EXPECT_EQ(Read(Mouse(x, y, left)), 40060u);
    EXPECT_EQ(Read(Mouse(x, y, left, moved)), panelCode::Nothing);
    EXPECT_EQ(Read(Key(keyZ, true)), 40044u);
    EXPECT_FALSE(at(slot::FastForward).engaged) << "the button held by the mouse is let go";
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_EQ(ReleasesPending(), 3);
    PassTime(55);
    EXPECT_FALSE(at(slot::FastForward).pressed);
}

TEST_F(Widgets, AnotherKeyOrTheKeyUpEndsAKeyPressWithoutDeliveringAnything) {
    Read(Key(keyX, true));
    EXPECT_EQ(Read(Key(0x41, true)), panelCode::Nothing) << "an unbound key";
    EXPECT_FALSE(at(slot::Play).engaged);
    PassTime(55);
    Read(Key(keyX, true));
    EXPECT_EQ(Read(Key(keyX, false)), panelCode::Nothing);
    EXPECT_FALSE(at(slot::Play).engaged);
    EXPECT_EQ(ReleasesPending(), 1);
}

// ---- the mouse -----------------------------------------------------------------------------------------------

TEST_F(Widgets, HoldingTheMouseOnRewindRepeatsItUntilDraggedOffAndAgainWhenDraggedBack) {
    const int16_t x = panel->column(slot::Rewind, 1), y = panel->row(slot::Rewind);
    size_t mark = Mark();
    EXPECT_EQ(Read(Mouse(x, y, left)), 40061u) << "delivered once by the press";
    EXPECT_EQ(playerLink.heldCommand, 40061u) << "then repeated by the RepeatThread";
    ExpectPressedButton(DrawsSince(mark), 26, 12, " \x11\x11 ");

    mark = Mark();
    EXPECT_EQ(Read(Mouse(x, static_cast<int16_t>(y + 1), left, moved)), panelCode::Nothing);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_FALSE(at(slot::Rewind).pressed);
    EXPECT_TRUE(at(slot::Rewind).engaged) << "dragged off, still held";
    ExpectReleasedButton(DrawsSince(mark), 26, 12, " \x11\x11 ");
    EXPECT_EQ(ReleasesPending(), 0) << "dragging off shows the release at once";

    EXPECT_EQ(Read(Mouse(static_cast<int16_t>(x + 10), y, left, moved)), panelCode::Nothing)
        << "moving elsewhere off the widget changes nothing";
    mark = Mark();
    EXPECT_EQ(Read(Mouse(x, y, left, moved)), panelCode::Nothing) << "dragging back delivers nothing";
    EXPECT_EQ(playerLink.heldCommand, 40061u);
    EXPECT_TRUE(at(slot::Rewind).pressed);
    ExpectPressedButton(DrawsSince(mark), 26, 12, " \x11\x11 ");

    mark = Mark();
    const uint32_t up = Read(Mouse(x, y, 0));
    EXPECT_EQ(up, panelCode::ReleaseAll) << "letting go is not offered to the widgets";
    ActOnInputCode(up, panel->placement);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_FALSE(at(slot::Rewind).engaged);
    PassTime(55);
    ExpectReleasedButton(DrawsSince(mark), 26, 12, " \x11\x11 ");
}

TEST_F(Widgets, AMousePressOnAButtonWithoutRepeatLeavesNothingToRepeat) {
    EXPECT_EQ(Read(Mouse(panel->column(slot::Play, 2), panel->row(slot::Play), left)), 40045u);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_TRUE(at(slot::Play).mouseHeld);
}

TEST_F(Widgets, AMoveWithTheButtonDownNeverStartsAPress) {
    EXPECT_EQ(Read(Mouse(panel->column(slot::Play), panel->row(slot::Play), left, moved)), panelCode::Nothing);
    EXPECT_FALSE(at(slot::Play).engaged);
    EXPECT_EQ(Read(Mouse(panel->column(slot::Play), panel->row(slot::Play), left, moved)), panelCode::Nothing);
    EXPECT_FALSE(at(slot::Play).engaged);
}

TEST_F(Widgets, APressedButtonTakesTheMouseWhereItsFaceIsDrawnOneCellRight) {
    const int16_t x = panel->column(slot::Rewind), y = panel->row(slot::Rewind);
    const int16_t last = static_cast<int16_t>(x + at(slot::Rewind).length);  // the pressed face's last cell
    EXPECT_EQ(Read(Mouse(x, y, left)), 40061u);
    struct Move {
        int16_t column;
        bool pressedAfter;
    };
    for (const Move& move : {Move{last, true}, Move{x, false}, Move{last, false}, Move{x, true}}) {
        Read(Mouse(move.column, y, left, moved));
        EXPECT_EQ(at(slot::Rewind).pressed, move.pressedAfter) << "moved to column " << move.column - x;
        EXPECT_EQ(playerLink.heldCommand, move.pressedAfter ? 40061u : 0u);
    }
}

TEST_F(Widgets, AHeldWidgetTakesADoubleClickOrItsOwnKeyAgainButAnyOtherKeyEndsTheHold) {
    const int16_t x = panel->column(slot::FastForward, 1), y = panel->row(slot::FastForward);
    Widget& fastForward = at(slot::FastForward);
    uint32_t code = 0;
    ASSERT_TRUE(fastForward.offer(Mouse(x, y, left), code));
    code = 0;
    EXPECT_TRUE(fastForward.offer(Mouse(x, y, left, os::DoubleClick), code));
    EXPECT_EQ(code, 40060u);
    code = 0;
    EXPECT_FALSE(fastForward.offer(Mouse(0, 0, left | 2), code)) << "another button, off the widget";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(fastForward.offer(Key(0x27, true), code)) << "its own key";
    EXPECT_EQ(code, 40060u);
    EXPECT_EQ(playerLink.heldCommand, 40060u) << "still held by the mouse";
    code = 0;
    EXPECT_FALSE(fastForward.offer(Key(0x27, false), code)) << "a key-up ends the hold";
    EXPECT_FALSE(fastForward.engaged);
    EXPECT_EQ(playerLink.heldCommand, 0u);
}

TEST_F(Widgets, AWidgetHeldByAKeyIgnoresTheMouse) {
    Widget& play = at(slot::Play);
    uint32_t code = 0;
    ASSERT_TRUE(play.offer(Key(keyX, true), code));
    code = 0;
    EXPECT_FALSE(play.offer(Mouse(panel->column(slot::Play), panel->row(slot::Play), left), code));
    EXPECT_FALSE(play.offer(Mouse(0, 0, 0), code));
    EXPECT_TRUE(play.pressed);
    EXPECT_EQ(code, 0u);
}

TEST_F(Widgets, ReleasingTheButtonOnAHeldWidgetEndsItsHold) {
    Widget& rewind = at(slot::Rewind);
    uint32_t code = 0;
    ASSERT_TRUE(rewind.offer(Mouse(panel->column(slot::Rewind), panel->row(slot::Rewind), left), code));
    EXPECT_FALSE(rewind.offer(Mouse(panel->column(slot::Rewind), panel->row(slot::Rewind), 0), code));
    EXPECT_FALSE(rewind.engaged);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_EQ(ReleasesPending(), 1);
}

TEST_F(Widgets, ADraggedOffWidgetIgnoresKeysAndClicksUntilTheButtonComesBack) {
    Widget& rewind = at(slot::Rewind);
    const int16_t x = panel->column(slot::Rewind), y = panel->row(slot::Rewind);
    uint32_t code = 0;
    ASSERT_TRUE(rewind.offer(Mouse(x, y, left), code));
    rewind.offer(Mouse(0, 0, left, moved), code);
    ASSERT_FALSE(rewind.pressed);
    code = 0;
    EXPECT_FALSE(rewind.offer(Key(keyLeft, true), code));
    EXPECT_FALSE(rewind.offer(Mouse(x, y, left), code)) << "a click, not a move";
    EXPECT_FALSE(rewind.offer(Mouse(x, y, 0, moved), code)) << "a move without the button";
    EXPECT_FALSE(rewind.pressed);
    EXPECT_TRUE(rewind.engaged);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(playerLink.heldCommand, 0u);
}

TEST_F(Widgets, AReleaseFromAnotherWidgetsPressIsDrawnAndStopsTheRepeat) {
    uint32_t code = 0;
    ASSERT_TRUE(at(slot::Rewind).offer(Mouse(panel->column(slot::Rewind), panel->row(slot::Rewind), left), code));
    ASSERT_EQ(playerLink.heldCommand, 40061u);
    EXPECT_EQ(Read(Key(keyX, true)), 40045u) << "a key for another widget";
    EXPECT_EQ(playerLink.heldCommand, 0u);
    const size_t mark = Mark();
    PassTime(55);
    EXPECT_FALSE(at(slot::Rewind).pressed);
    ExpectReleasedButton(DrawsSince(mark), panel->column(slot::Rewind), panel->row(slot::Rewind), " \x11\x11 ");
}

TEST_F(Widgets, ReleasingAWidgetThatIsNotPressedDrawsNothingAndKeepsTheRepeat) {
    playerLink.heldCommand = 40058;
    const size_t mark = Mark();
    at(slot::Stop).release();
    EXPECT_TRUE(DrawsSince(mark).empty());
    EXPECT_EQ(playerLink.heldCommand, 40058u);
    EXPECT_EQ(ReleasesPending(), 0);
}

TEST_F(Widgets, InvisibleVolumeArrowsAndIndicatorsStillTakeTheirKeysAndClicks) {
    Open({.volumeControl = false, .repeatShuffle = false});
    const size_t mark = Mark();
    EXPECT_EQ(Tap(keyUp), 40058u);
    EXPECT_EQ(Tap(keyPad8), 40058u);
    EXPECT_EQ(Tap(keyDown), 40059u);
    EXPECT_EQ(Tap(keyPad2), 40059u);
    EXPECT_EQ(Tap(keyS), 40023u);
    EXPECT_EQ(Tap(keyR), 40022u);
    EXPECT_EQ(Click(23 + 32, 5 + 2), 40058u);
    EXPECT_EQ(Click(23 + 32, 5 + 4), 40059u);
    EXPECT_EQ(Click(23 + 30, 5 + 6), 40023u);
    EXPECT_EQ(Click(23 + 31, 5 + 6), 40022u);
    EXPECT_TRUE(DrawsSince(mark).empty()) << "nothing drawn, not even a flush";
}

TEST_F(Widgets, AHiddenCloseGlyphTakesNeitherAltF4NorAClick) {
    Open({.closeButton = false});
    EXPECT_EQ(Tap(keyF4, os::LeftAltPressed), panelCode::Nothing);
    EXPECT_EQ(Click(23 + 3, 5), panelCode::Nothing);
    EXPECT_FALSE(at(slot::CloseGlyph).engaged);
}

TEST_F(Widgets, TheCloseGlyphShowsASquareReleasedAndASunPressed) {
    const size_t mark = Mark();
    EXPECT_EQ(Read(Key(keyF4, true, os::LeftAltPressed)), panelCode::ClosePlayer);
    Read(Key(keyF4, false, os::LeftAltPressed));
    PassTime(55);
    const auto draws = DrawsSince(mark);
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].text, "\x0F");
    EXPECT_EQ(draws[0].x, 26);
    EXPECT_EQ(draws[0].y, 5);
    EXPECT_EQ(draws[0].colour, 0x76);
    EXPECT_EQ(draws[2].text, "\xFE");
    EXPECT_EQ(draws[2].colour, 0x76);
    EXPECT_EQ(Click(26, 5), panelCode::ClosePlayer);
}

TEST_F(Widgets, APressedIndicatorLightsInThePressedColour) {
    const size_t mark = Mark();
    Read(Key(keyS, true));
    Read(Key(keyS, false));
    PassTime(55);
    const auto draws = DrawsSince(mark);
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].text, "S");
    EXPECT_EQ(draws[0].colour, 0x77);
    EXPECT_EQ(draws[2].colour, 0x76);
}

TEST_F(Widgets, LabelsTakeClicksAnywhereOnTheirText) {
    EXPECT_EQ(Click(23 + 9, 5), panelCode::AboutBox);
    EXPECT_EQ(Click(23 + 24, 5), panelCode::AboutBox);
    EXPECT_EQ(Click(23 + 25, 5), panelCode::Nothing) << "one cell past the title";
    EXPECT_EQ(Click(23 + 17, 6), panelCode::ToggleTimeFormat);
    EXPECT_EQ(Click(23 + 2, 10), panelCode::PlaylistMenu) << "the title line lists the playlist";
    EXPECT_EQ(Click(23 + 31, 10), panelCode::PlaylistMenu);
    EXPECT_EQ(Click(23 + 32, 10), panelCode::Nothing);
}

TEST_F(Widgets, AReleaseWhileThePanelIsHiddenLeavesTheHostsScreenAlone) {
    Read(Key(keyX, true));
    panel->placement.shown = 0;
    const size_t mark = Mark();
    ActOnInputCode(panelCode::ReleaseAll, panel->placement);
    PassTime(55);
    EXPECT_TRUE(DrawsSince(mark).empty());
    EXPECT_FALSE(at(slot::Play).pressed) << "shown released when the panel comes back";
}

TEST_F(Widgets, APressWaitsForARefreshPassInProgressBeforeDrawing) {
    std::promise<void> locked, finish;
    std::thread pass([&] {
        os::EnterCriticalSection(openPanel.drawingLock);
        locked.set_value();
        finish.get_future().wait();
        os::LeaveCriticalSection(openPanel.drawingLock);
    });
    locked.get_future().wait();
    auto press = std::async(std::launch::async, [&] {
        uint32_t code = 0;
        return at(slot::Play).offer(Key(keyX, true), code);
    });
    EXPECT_EQ(press.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    finish.set_value();
    pass.join();
    EXPECT_TRUE(press.get());
}

// ---- building ------------------------------------------------------------------------------------------------

TEST_F(Widgets, TheAsciiLayoutSendsOpenRewindAndFastForwardFromItsOwnLabels) {
    Open({.uglyButtons = true});
    EXPECT_STREQ(at(slot::Open).text, " ^ ");
    EXPECT_EQ(Click(23 + 27, 5 + 9), 40145u);
    EXPECT_EQ(Click(23 + 9, 5 + 9), 40061u);
    EXPECT_EQ(Click(23 + 15, 5 + 9), 40060u);
    EXPECT_EQ(Click(23 + 3, 5 + 7), 40045u);
}

TEST_F(Widgets, TheTimeLabelNamesTheFormatAndKeepsItsColumnOnBothPanels) {
    EXPECT_STREQ(at(slot::TimeLabel).text, " Track Time ");
    EXPECT_EQ(at(slot::TimeLabel).x, 17);
    EXPECT_EQ(at(slot::TimeLabel).length, 12u);
    Open({.wideTrackNumber = true, .timeFormat = 1});
    EXPECT_STREQ(at(slot::TimeLabel).text, " Track Left ");
    EXPECT_EQ(at(slot::TimeLabel).x, 21);
}

TEST_F(Widgets, TheTitleLineStartsBlankAcrossTheWholeField) {
    EXPECT_EQ(at(slot::TitleLine).length, 30u);
    EXPECT_EQ(std::string(at(slot::TitleLine).text), std::string(30, ' '));
    EXPECT_EQ(at(slot::TitleLine).text, liveDisplay.titleLine) << "the title line draws the module's buffer";
    Open({.wideTrackNumber = true});
    EXPECT_EQ(at(slot::TitleLine).length, 34u);
    EXPECT_EQ(at(slot::Shuffle).x, 33);
    EXPECT_EQ(at(slot::PanelTitle).x, 11);
}

TEST_F(Widgets, AReopenedPanelStartsFromItsTablesAgain) {
    Read(Key(keyX, true));
    SetText(at(slot::Shuffle), "\xC4");
    BuildWidgets();
    EXPECT_FALSE(at(slot::Play).pressed);
    EXPECT_FALSE(at(slot::Play).engaged);
    EXPECT_STREQ(at(slot::Shuffle).text, "S");
}

}  // namespace
