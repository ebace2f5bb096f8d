// What each console event means to the open panel: closing, releasing, hiding and showing, the two
// global player keys, and everything else offered to the widgets.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "panel/run_panel.h"
#include "panel/widgets.h"
#include "host/settings.h"
#include "player/player.h"
#include "panel_harness.h"

using namespace quaver;

namespace {

constexpr uint16_t shiftKey = 16, ctrlKey = 17, altKey = 18, escapeKey = 27, keyE = 0x45, key3 = 0x33;
constexpr uint32_t left = os::LeftButtonPressed;

class PanelInput : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<fake::PanelHarness>();
        fake::world().manualClock = true;
    }
    static uint32_t Key(uint16_t key, bool down, uint32_t state = 0) {
        fake::PushKey(key, down, state);
        return ReadPanelInput();
    }
    static uint32_t Mouse(int16_t x, int16_t y, uint32_t buttons, uint32_t flags = 0) {
        fake::PushMouse(x, y, buttons, flags);
        return ReadPanelInput();
    }
    static int EngagedWidgets() {
        return static_cast<int>(std::count_if(std::begin(openPanel.widgets), std::end(openPanel.widgets),
                                              [](const Widget* widget) { return widget && widget->engaged; }));
    }
    static uint32_t Focus() {
        fake::PushFocus(true);
        return ReadPanelInput();
    }
    void Hide() {
        panel->placement.shown = 1;
        ActOnInputCode(panelCode::HideOrShow, panel->placement);
        ASSERT_FALSE(panel->placement.shown);
    }
    void Act(uint32_t code) { ActOnInputCode(code, panel->placement); }
    std::unique_ptr<fake::PanelHarness> panel;
};

TEST_F(PanelInput, InputDroppedAfterAStartIsFlushedOnlyWhenTheConsoleKeptFillingPastTheReadLimit) {
    // A flush after the queue ran dry would lose an Esc or a key-up that came after the last read.
    for (const int queued : {3, 4097}) {
        const int flushesBefore = fake::world().inputFlushes;
        for (int i = 0; i < queued; ++i) fake::PushKey(0x58, i % 2 == 0);
        DiscardInputQueuedDuringStart();
        EXPECT_EQ(fake::world().inputFlushes - flushesBefore, queued > 4096 ? 1 : 0) << queued;
    }
}

TEST_F(PanelInput, EscClosesWhateverTheModifiersAndAlsoWhileHidden) {
    EXPECT_EQ(Key(escapeKey, true), panelCode::Close);
    EXPECT_EQ(Key(escapeKey, true, os::LeftCtrlPressed | os::ShiftPressed), panelCode::Close);
    Key(altKey, true);
    EXPECT_EQ(Key(escapeKey, true), panelCode::Close);
    Key(altKey, false);
    Hide();
    EXPECT_EQ(Key(escapeKey, true), panelCode::Close);
}

TEST_F(PanelInput, AltEAndAlt3ReachThePlayerAlsoWhileHiddenButNotWithCtrlOrShift) {
    Key(altKey, true);
    EXPECT_EQ(Key(keyE, true, os::LeftAltPressed), 40040u);
    EXPECT_EQ(Key(key3, true, os::LeftAltPressed), 40188u);
    Hide();
    EXPECT_EQ(Key(keyE, true, os::LeftAltPressed), 40040u);
    EXPECT_EQ(Key(key3, true, os::LeftAltPressed), 40188u);
    Key(ctrlKey, true);
    EXPECT_EQ(Key(keyE, true), panelCode::Nothing) << "Ctrl+Alt+E is not recognised";
    EXPECT_EQ(Key(ctrlKey, false), panelCode::HideOrShow) << "a key let go while hidden, the set incomplete";
}

TEST_F(PanelInput, AltEWithShiftGoesToTheWidgetsWhileShown) {
    Key(altKey, true);
    Key(shiftKey, true);
    EXPECT_EQ(Key(keyE, true, os::LeftAltPressed | os::ShiftPressed), panelCode::Nothing);
    EXPECT_EQ(EngagedWidgets(), 0);
    EXPECT_EQ(Key(key3, true), panelCode::Nothing);
    Key(shiftKey, false);
    Key(altKey, false);
    EXPECT_EQ(panelInput.modifiers, 0u);
}

TEST_F(PanelInput, CtrlAltShiftInAnyOrderHidesThePanelAndLettingGoOfAnyOfThemShowsIt) {
    const uint16_t modifiers[3] = {ctrlKey, altKey, shiftKey};
    std::vector<uint16_t> order(modifiers, modifiers + 3);
    std::sort(order.begin(), order.end());
    int orders = 0;
    do {
        for (uint16_t letGo : order) {
            ASSERT_TRUE(panel->placement.shown);
            EXPECT_EQ(Key(order[0], true), panelCode::Nothing);
            EXPECT_EQ(Key(order[1], true), panelCode::Nothing);
            const uint32_t code = Key(order[2], true);
            ASSERT_EQ(code, panelCode::HideOrShow) << "the press that completes the set";
            Act(code);
            EXPECT_FALSE(panel->placement.shown);
            EXPECT_EQ(Key(order[2], true), panelCode::Nothing) << "auto-repeat";
            EXPECT_EQ(Key(0x41, true), panelCode::Nothing) << "another key";
            EXPECT_EQ(Key(0x41, false), panelCode::Nothing) << "its release";
            const uint32_t shown = Key(letGo, false);
            ASSERT_EQ(shown, panelCode::HideOrShow);
            Act(shown);
            EXPECT_TRUE(panel->placement.shown);
            for (uint16_t key : order)
                if (key != letGo) Key(key, false);
            ASSERT_EQ(panelInput.modifiers, 0u);
        }
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 6);
    EXPECT_EQ(fake::host().savedAreasLive, 1) << "shown once more at the end";
}

TEST_F(PanelInput, HidingPutsBackTheScreenAndMakesItVisibleAtOnce) {
    fake::PaintHostScreen();
    panel->placement.shown = 0;
    SetPanelShown(panel->placement, true);
    const int flushes = fake::FlushCount();
    Act(panelCode::HideOrShow);
    EXPECT_EQ(fake::FlushCount(), flushes + 1);
    for (int32_t row = 0; row < 25; ++row)
        for (int32_t column = 0; column < 80; ++column)
            ASSERT_EQ(fake::CellAt(column, row), fake::PaintedCell(column, row)) << column << "," << row;
    Act(panelCode::HideOrShow);
    EXPECT_TRUE(panel->placement.shown);
    EXPECT_EQ(fake::FlushCount(), flushes + 1) << "showing leaves the flush to the live display";
    EXPECT_TRUE(panel->displayActive());
}

TEST_F(PanelInput, ALeftClickOutsideThePanelOrOnItsShadowCloses) {
    EXPECT_EQ(Mouse(23 + 34, 10, left), panelCode::Close) << "one column right";
    EXPECT_EQ(Mouse(23 + 35, 10, left), panelCode::Close) << "the shadow";
    EXPECT_EQ(Mouse(30, 5 + 12, left), panelCode::Close) << "the bottom shadow";
    EXPECT_EQ(Mouse(0, 0, left), panelCode::Close);
    EXPECT_EQ(Mouse(0, 0, 2), panelCode::Nothing) << "the right button does not close";
}

TEST_F(PanelInput, APressInsideAndAReleaseOutsideReleasesTheWidgetsAndKeepsThePanel) {
    EXPECT_EQ(Mouse(23 + 15, 5 + 7, left), 40045u);
    EXPECT_EQ(Mouse(0, 0, left, os::MouseMoved), panelCode::Nothing) << "dragging out is no new press";
    EXPECT_EQ(Mouse(0, 0, 0), panelCode::ReleaseAll);
    EXPECT_FALSE(panelInput.leftButtonHeld);
    EXPECT_EQ(Mouse(0, 0, 0, os::MouseMoved), panelCode::Nothing) << "moving about afterwards";
    EXPECT_EQ(Mouse(0, 0, left), panelCode::Close) << "the next press outside closes";
}

TEST_F(PanelInput, AFocusChangeReleasesEveryWidgetAlsoWhileHidden) {
    EXPECT_EQ(Focus(), panelCode::ReleaseAll);
    Hide();
    EXPECT_EQ(Focus(), panelCode::ReleaseAll);
}

TEST_F(PanelInput, WhileHiddenTheMouseAndOtherKeysDoNothing) {
    Key(ctrlKey, true);
    Key(altKey, true);
    Act(Key(shiftKey, true));
    ASSERT_FALSE(panel->placement.shown);
    EXPECT_EQ(Mouse(0, 0, left), panelCode::Nothing) << "no click closes a hidden panel";
    EXPECT_EQ(Mouse(23 + 15, 5 + 7, left), panelCode::Nothing);
    EXPECT_EQ(Key(0x58, true), panelCode::Nothing);
    os::InputRecord resize{};
    resize.eventType = os::WindowBufferSizeEventType;
    fake::PushInput(resize);
    EXPECT_EQ(ReadPanelInput(), panelCode::Nothing);
    for (Widget* widget : openPanel.widgets) EXPECT_FALSE(widget->engaged);
}

TEST_F(PanelInput, AFailedWaitClosesAndAFailedReadIsSkipped) {
    fake::world().inputReadFailures = 1;
    fake::PushKey(0x58, true);
    EXPECT_EQ(ReadPanelInput(), panelCode::Nothing);
    fake::world().inputWaitFails = true;
    EXPECT_EQ(ReadPanelInput(), panelCode::Close);
}

TEST_F(PanelInput, WaitingForInputSleepsInsteadOfPollingTheConsole) {
    fake::world().emptyInputGraceMs = 400;  // then the fake's wait gives up, which closes the panel
    timespec before{}, after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadPanelInput(), panelCode::Close);
    const auto waited = std::chrono::steady_clock::now() - start;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
    const double cpuMs = (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
    EXPECT_GE(waited, std::chrono::milliseconds(390));
    EXPECT_EQ(fake::world().inputWaitsGivenUp, 1) << "the one wait lasted until the fake gave up";
    EXPECT_LT(cpuMs, 100.0) << "the reader blocks in one untimed wait";
}

TEST_F(PanelInput, AnEventNoWidgetTakesLeavesNoActiveWidget) {
    EXPECT_EQ(Key(0x58, true), 40045u);
    EXPECT_EQ(EngagedWidgets(), 1);
    EXPECT_EQ(Key(0x41, true), panelCode::Nothing);
    EXPECT_EQ(EngagedWidgets(), 0);
    os::InputRecord menu{};
    menu.eventType = os::MenuEventType;
    fake::PushInput(menu);
    EXPECT_EQ(ReadPanelInput(), panelCode::Nothing);
}

// ---- a player that stopped answering, dialogs ----------------------------------------------------------------

TEST_F(PanelInput, EscIsReadWithinASecondBehindTwentyTapsToAPlayerThatStoppedAnswering) {
    fake::ShowPlayer(nullptr);
    fake::world().playerHung = true;  // not yet hung for Windows: a send waits its whole time-out
    ForgetOwedAnswer();
    for (int tap = 0; tap < 20; ++tap) {
        fake::PushKey(0x58, true);  // X: play
        fake::PushKey(0x58, false);
    }
    fake::PushKey(escapeKey, true);
    const uint32_t before = fake::world().tick;
    while (ActOnInputCode(ReadPanelInput(), panel->placement)) {
    }
    EXPECT_LT(fake::world().tick - before, 1000u) << "the host's thread's time until it read Esc";
    int sent = 0;
    for (const auto& message : fake::SentMessages()) sent += message.message == os::WmCommand;
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(fake::world().beeps.size(), 19u) << "each later tap refused";
}

TEST_F(PanelInput, AClickOutsideClosesThePanelAfterAnAboutBoxThatAClickOpened) {
    const int16_t x = panel->column(slot::PanelTitle), y = panel->row(slot::PanelTitle);
    fake::host().runDialog = [](fake::DialogCall&, HostDialogItem*, int) { return 10; };  // OK, the button let go
    Act(Mouse(x, y, left));
    EXPECT_EQ(EngagedWidgets(), 0) << "nothing held behind the dialog";
    EXPECT_EQ(Mouse(0, 0, left), panelCode::Close);
}

// ---- starting the player from a held key -------------------------------------------------------------------

TEST_F(PanelInput, AStartThatBringsNoPlayerIsTriedOnceForAHeldKeyAndWhatQueuedMeanwhileIsDropped) {
    constexpr uint16_t keyZ = 0x5A;  // previous track
    settings.startPlayer[0] = 1;
    settings.startPlayer[1] = 1;  // start the player when a command needs it
    fake::world().classesRoot["winamp.file\\shell\\open\\command"] = "C:\\Player\\player.exe";
    // While the start notice is up, the held Z repeats and a click lands somewhere.
    fake::world().onCreateProcess = [](const std::string&) {
        for (int repeat = 0; repeat < 8; ++repeat) fake::PushKey(keyZ, true);
        fake::PushMouse(1, 1, left);
    };
    auto started = [] { return fake::world().processesStarted.size(); };

    Act(Key(keyZ, true));
    EXPECT_EQ(started(), 1u);
    EXPECT_EQ(fake::PendingInput(), 0u) << "the queued repeats are dropped, not acted on";
    EXPECT_TRUE(panelInput.leftButtonHeld) << "the button went down meanwhile: its release will be a release";
    EXPECT_EQ(ReadPanelInput(), panelCode::ReleaseAll) << "the press that started ends with the start";

    // Still held after the attempt: its repeats do not start the player again, they only beep.
    fake::world().beeps.clear();
    for (int repeat = 0; repeat < 3; ++repeat) Act(Key(keyZ, true));
    EXPECT_EQ(started(), 1u);
    EXPECT_EQ(fake::world().beeps.size(), 3u);

    // The console lost the focus meanwhile: the key may have been let go unseen, so a press may start again.
    fake::world().onCreateProcess = nullptr;
    Act(Focus());
    Act(Key(keyZ, true));
    EXPECT_EQ(started(), 2u);
    EXPECT_EQ(ReadPanelInput(), panelCode::ReleaseAll);

    // Let go and pressed again: a new attempt. An Esc made while its notice is up still closes the panel.
    fake::world().onCreateProcess = [](const std::string&) {
        fake::PushKey(keyZ, true);
        fake::PushKey(escapeKey, true);
        fake::PushKey(keyZ, true);
    };
    Act(Key(keyZ, false));
    Act(Key(keyZ, true));
    EXPECT_EQ(started(), 3u);
    EXPECT_EQ(ReadPanelInput(), panelCode::Close);
}

}  // namespace
