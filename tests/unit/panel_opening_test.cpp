// Whole openings of the panel through OpenPlugin, with scripted console input: what the user sees, what the
// player receives, and that every way out leaves the console and the system as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/settings.h"
#include "opening_checks.h"
#include "panel/panel.h"
#include "panel/title_line.h"
#include "panel_harness.h"
#include "player/player.h"

using namespace quaver;
using fake::ExpectNothingLeftBehind;

namespace {

constexpr uint16_t shiftKey = 16, ctrlKey = 17, altKey = 18, escapeKey = 27, keyF4 = 0x73;
void* const closed = reinterpret_cast<void*>(intptr_t{-1});

class Opening : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
        // No player is started unless a test asks for it.
        fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    }
    // Every opening ends by its own script, with its threads waited for.
    void TearDown() override { ExpectNothingLeftBehind(); }

    static void Tap(uint16_t key, uint32_t state = 0) {
        fake::PushKey(key, true, state);
        fake::PushKey(key, false, state);
    }
    static void ShowPlayer() {
        fake::ShowPlayer([](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
            if (message == os::WmClose) fake::RemovePlayer();
            return 0;
        });
    }
    static int CommandsSent(uintptr_t command, bool byRepeatThread = false) {
        int count = 0;
        for (const auto& sent : fake::SentMessages())
            count += sent.message == os::WmCommand && sent.wParam == command &&
                     (sent.timeout == repeatSendTimeout) == byRepeatThread;
        return count;
    }
    static int Sent(uint32_t message) {
        int count = 0;
        for (const auto& sent : fake::SentMessages()) count += sent.message == message;
        return count;
    }
    static void ExpectHostScreenPainted() {
        std::lock_guard lock(fake::HostMutex());
        for (int32_t y = 0; y < 25; ++y)
            for (int32_t x = 0; x < 80; ++x)
                ASSERT_EQ(fake::host().back[static_cast<size_t>(y * 80 + x)], fake::PaintedCell(x, y))
                    << x << "," << y;
    }
    static void ExpectSyntheticShift() {
        EXPECT_EQ(fake::world().keybdEvents, (std::vector<std::vector<uint32_t>>{{16, 0x2A, 0}, {16, 0x2A, 2}}));
    }
    static std::vector<std::string> ErrorBoxes() {
        std::vector<std::string> texts;
        for (const auto& box : fake::host().messageBoxes)
            if (box.buttonCount == 1 && box.lines.size() == 3) texts.push_back(box.lines[1]);
        return texts;
    }
    static bool Drew(const std::string& text) {
        for (const auto& call : fake::PutTexts())
            if (call.text == text) return true;
        return false;
    }
};

TEST_F(Opening, EscClosesThePanelAndPutsBackTheScreenTheInputModeAndTheCursor) {
    fake::PaintHostScreen();
    fake::PushKey(escapeKey, true);
    EXPECT_EQ(OpenPlugin(0, 0), closed);

    ExpectHostScreenPainted();
    EXPECT_EQ(fake::world().modesSet, (std::vector<uint32_t>{0x10, 0x1F7})) << "mouse input kept, the rest off";
    ASSERT_EQ(fake::world().cursorsSet.size(), 2u);
    EXPECT_EQ(fake::world().cursorsSet[0].size, 1u);
    EXPECT_FALSE(fake::world().cursorsSet[0].visible);
    EXPECT_EQ(fake::world().cursorsSet[1].size, 25u);
    EXPECT_TRUE(fake::world().cursorsSet[1].visible);
    EXPECT_EQ(fake::world().threadStackSize, 0x4000u);
    EXPECT_EQ(fake::host().savedRects, (std::vector<std::vector<int>>{{23, 5, 58, 17}}));
    ExpectNothingLeftBehind();
    ExpectSyntheticShift();
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(Opening, ThePanelIsDrawnWithItsTitleLabelsAndBordersAsItOpens) {
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_TRUE(Drew(fake::Oem("╔═[ ]════════════════════════════╗"))) << "the top border";
    EXPECT_TRUE(Drew(fake::Oem("╚════════════════════════════════╝")));
    EXPECT_TRUE(Drew(" Quaver Control "));
    EXPECT_TRUE(Drew(" Track Time "));
    EXPECT_TRUE(Drew("\xFE")) << "the close glyph";
}

struct FailureCase {
    const char* name;
    void (*arrange)(fake::World&);
    const char* box;
    std::vector<uint32_t> modes;
    bool shift;
    int locks;
};

TEST_F(Opening, EveryFailureIsReportedAndLeavesNothingCreatedBehind) {
    const FailureCase cases[] = {
        {"first event", [](fake::World& w) { w.eventsBeforeFailure = 0; }, "message 0", {}, false, 0},
        {"reading the mode", [](fake::World& w) { w.modeReadFails = true; }, "message 2", {}, true, 1},
        {"setting the mode", [](fake::World& w) { w.modeSetFails = true; }, "message 2", {}, true, 1},
        {"stop event", [](fake::World& w) { w.eventsBeforeFailure = 1; }, "message 0", {0x10, 0x1F7}, true, 1},
        {"RepeatThread", [](fake::World& w) { w.threadsBeforeFailure = 0; }, "message 1", {0x10, 0x1F7}, true, 1},
        {"RefreshThread", [](fake::World& w) { w.threadsBeforeFailure = 1; }, "message 1", {0x10, 0x1F7}, true, 1},
    };
    for (const FailureCase& failure : cases) {
        SCOPED_TRACE(failure.name);
        SetUp();
        fake::PaintHostScreen();
        {
            std::lock_guard lock(fake::Mutex());
            failure.arrange(fake::world());
        }
        fake::PushKey(escapeKey, true);
        EXPECT_EQ(OpenPlugin(0, 0), closed);
        EXPECT_EQ(ErrorBoxes(), std::vector<std::string>{failure.box});
        EXPECT_EQ(fake::world().modesSet, failure.modes);
        EXPECT_TRUE(fake::world().cursorsSet.empty());
        EXPECT_TRUE(fake::PutTexts().empty()) << "the panel never appeared";
        EXPECT_EQ(fake::PendingInput(), 1u) << "no input was read";
        EXPECT_EQ(fake::world().locksCreated, failure.locks);
        ExpectNothingLeftBehind();
        if (failure.shift)
            ExpectSyntheticShift();
        else
            EXPECT_TRUE(fake::world().keybdEvents.empty());
    }
}

TEST_F(Opening, AHostTooOldGetsItsErrorBoxAndNothingIsCreatedOrTouched) {
    fake::StartModule(static_cast<int>(sizeof(HostServices)) - 1);
    fake::PushKey(escapeKey, true);
    EXPECT_EQ(OpenPlugin(0, 0), closed);
    EXPECT_EQ(ErrorBoxes(), std::vector<std::string>{"message 3"});
    EXPECT_EQ(fake::world().eventsCreated, 0);
    EXPECT_EQ(fake::world().locksCreated, 0);
    EXPECT_TRUE(fake::world().modesSet.empty());
    EXPECT_TRUE(fake::world().cursorsSet.empty());
    EXPECT_TRUE(fake::world().keybdEvents.empty()) << "no synthetic Shift before anything was created";
    EXPECT_EQ(fake::PendingInput(), 1u);
    ExpectNothingLeftBehind();
}

TEST_F(Opening, ATapOnZSendsPreviousToThePlayerOnceAndGivesTheForegroundBack) {
    ShowPlayer();
    Tap(0x5A);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(CommandsSent(40044), 1);
    EXPECT_EQ(fake::world().foreground, reinterpret_cast<os::Window>(0xF00D));
    EXPECT_TRUE(fake::world().beeps.empty());
}

TEST_F(Opening, AltEAndAlt3GoToThePlayer) {
    ShowPlayer();
    fake::PushKey(altKey, true);
    fake::PushKey(0x45, true, os::LeftAltPressed);
    fake::PushKey(0x33, true, os::LeftAltPressed);
    fake::PushKey(altKey, false);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(CommandsSent(40040), 1);
    EXPECT_EQ(CommandsSent(40188), 1);
}

TEST_F(Opening, AVolumeCommandIsStampedForTheTitleLineAndACommandWithoutPlayerBeeps) {
    Tap(0x26);
    fake::PushKey(escapeKey, true);
    const uint32_t before = os::GetTickCount();
    OpenPlugin(0, 0);
    EXPECT_GE(playerLink.volumeChangeTick.load(), before);
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
}

TEST_F(Opening, EveryOpeningTakesTheModifiersFromItsOwnKeysWhateverTheLastOneSawPressed) {
    // Closed while modifiers were held (the host, not the panel, gets their key-ups); then X and E.
    for (const auto& closing : {std::vector<uint16_t>{ctrlKey, altKey, shiftKey, escapeKey}, {altKey, keyF4}}) {
        SetUp();
        for (uint16_t key : closing) fake::PushKey(key, true);
        OpenPlugin(0, 0);
        SetUp();
        ShowPlayer();
        for (uint16_t key : {uint16_t{0x58}, uint16_t{0x45}, escapeKey}) fake::PushKey(key, true);
        OpenPlugin(0, 0);
        EXPECT_EQ(CommandsSent(40045) + CommandsSent(40040), 1) << "X plays, E is no Alt+E";
        EXPECT_EQ(fake::host().savedRects.size(), 1u) << "never hidden";
    }
}

TEST_F(Opening, AltF4ClosesThePlayerFirstAndThePanelTheSecondTime) {
    ShowPlayer();
    fake::PushKey(altKey, true);
    Tap(keyF4, os::LeftAltPressed);
    fake::PushKey(keyF4, true, os::LeftAltPressed);
    fake::PushKey(0x58, true);  // never read: the panel has closed
    EXPECT_EQ(OpenPlugin(0, 0), closed);
    EXPECT_EQ(Sent(os::WmClose), 1);
    EXPECT_EQ(fake::PendingInput(), 1u);
    ExpectNothingLeftBehind();
}

TEST_F(Opening, ACommandAndAltF4ToAHungPlayerNeverHoldUpTheHostsThread) {
    fake::ShowPlayer(nullptr);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerHung = true;
    }
    Tap(0x58);  // X: play
    fake::PushKey(altKey, true);
    Tap(keyF4, os::LeftAltPressed);
    fake::PushKey(altKey, false);
    fake::PushKey(escapeKey, true);
    EXPECT_EQ(OpenPlugin(0, 0), closed);
    EXPECT_EQ(fake::PendingInput(), 0u) << "Esc was read";
    int toPlayer = 0;
    for (const auto& sent : fake::SentMessages()) {
        if (sent.message != os::WmCommand && sent.message != os::WmClose) continue;
        ++toPlayer;
        EXPECT_TRUE(sent.posted || (sent.withTimeout && sent.timeout <= 1000 && sent.flags == os::SmtoAbortIfHung))
            << sent.message;
    }
    EXPECT_EQ(toPlayer, 2);
    EXPECT_EQ(Sent(os::WmClose), 1);
    ExpectNothingLeftBehind();
}

TEST_F(Opening, AClickThatStartsThePlayerSendsItsRepeatingCommandOnce) {
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 3);
    fake::world().onCreateProcess = [](const std::string&) {
        fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) {  // slow enough for the RepeatThread to send meanwhile
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return intptr_t{0};
        });
    };
    fake::PushMouse(23 + 4, 5 + 7, os::LeftButtonPressed);  // rewind, let go while the start notice is up
    fake::PushMouse(23 + 4, 5 + 7, 0);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(CommandsSent(40061) + CommandsSent(40061, true), 1);
}

TEST_F(Opening, SpaceTogglesTheClockFormatForThisAndLaterOpeningsWithoutStoringIt) {
    Tap(0x20);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(settings.timeFormat, 1);
    EXPECT_TRUE(Drew(" Track Left "));
    EXPECT_FALSE(fake::HasValue(fake::testSettingsKey, "TimeFormat"));

    fake::host().putTexts.clear();
    Tap(0x20);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    const auto calls = fake::PutTexts();
    std::vector<std::string> labels;
    for (const auto& call : calls)
        if (call.y == 6 && call.x == 23 + 17) labels.push_back(call.text);
    // opened naming the remaining time, drawn pressed by the key and flipped; Esc came before the released look
    EXPECT_EQ(labels, (std::vector<std::string>{" Track Left ", " Track Left ", " Track Time "}));
    EXPECT_EQ(settings.timeFormat, 0);
}

TEST_F(Opening, EnterStepsTheScrollModeAndRestartsTheScrollingWithoutStoringIt) {
    ASSERT_EQ(liveDisplay.scrollMode, 2);
    liveDisplay.scroll.offset = 9;
    liveDisplay.scroll.pause = 0;
    liveDisplay.scroll.backward = 1;
    Tap(0x0D);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(liveDisplay.scrollMode, 0);
    EXPECT_EQ(liveDisplay.scroll.offset, 0);
    EXPECT_EQ(liveDisplay.scroll.pause, 13);
    EXPECT_EQ(liveDisplay.scroll.backward, 0);
    EXPECT_FALSE(fake::HasValue(fake::testSettingsKey, "ScrollMode"));
    Tap(0x0D);
    Tap(0x0D);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(liveDisplay.scrollMode, 2);
}

TEST_F(Opening, CtrlAltShiftHidesAndShowsThePanelAndClosingPutsBackTheScreen) {
    fake::PaintHostScreen();
    fake::PushKey(ctrlKey, true);
    fake::PushKey(altKey, true);
    fake::PushKey(shiftKey, true);
    fake::PushKey(shiftKey, false);
    fake::PushKey(ctrlKey, false);
    fake::PushKey(altKey, false);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::host().savedRects.size(), 2u);
    EXPECT_EQ(fake::host().restores, 2);
    ExpectHostScreenPainted();
    ExpectNothingLeftBehind();
}

TEST_F(Opening, EscWhileHiddenClosesWithoutRestoringTheScreenTwice) {
    fake::PaintHostScreen();
    fake::PushKey(ctrlKey, true);
    fake::PushKey(altKey, true);
    fake::PushKey(shiftKey, true);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::host().restores, 1);
    ExpectHostScreenPainted();
    ExpectNothingLeftBehind();
    ExpectSyntheticShift();
}

TEST_F(Opening, AClickOutsideOrAFailedWaitClosesThePanelNormally) {
    fake::PaintHostScreen();
    fake::PushMouse(2, 2, os::LeftButtonPressed);
    OpenPlugin(0, 0);
    ExpectHostScreenPainted();
    ExpectNothingLeftBehind();

    SetUp();
    fake::PaintHostScreen();
    fake::world().inputWaitFails = true;
    OpenPlugin(0, 0);
    ExpectHostScreenPainted();
    ExpectNothingLeftBehind();
    EXPECT_EQ(fake::world().modesSet, (std::vector<uint32_t>{0x10, 0x1F7}));
}

TEST_F(Opening, AConsoleOfUnknownOrTinySizeGetsThePanelInItsCorner) {
    fake::world().bufferSizeFails = true;
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::host().savedRects, (std::vector<std::vector<int>>{{0, 0, 35, 12}}));
    EXPECT_EQ(fake::world().consoleCellReads, 0) << "no shadow on a console of unknown size";
    ExpectNothingLeftBehind();

    SetUp();
    fake::ResizeConsole(20, 10);
    fake::StartModule();
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::host().savedRects, (std::vector<std::vector<int>>{{0, 0, 35, 12}}));
    ExpectNothingLeftBehind();
}

TEST_F(Opening, TheWidePanelIsCentredOnItsOwnWidth) {
    fake::SetDword(fake::testSettingsKey, "WideTrackNumber", 1);
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::host().savedRects, (std::vector<std::vector<int>>{{21, 5, 60, 17}}));
}

TEST_F(Opening, AFocusChangeShowsAHeldButtonReleased) {
    const auto released = [] {
        int drawn = 0;
        for (const auto& call : fake::PutTexts())
            drawn += call.x == 23 + 14 && call.y == 5 + 7 && call.text == "  \x10  " &&
                     call.colour == settings.palette[3];
        return drawn;
    };
    fake::PushKey(0x58, true);
    fake::PushFocus(false);
    std::thread later([&] {  // Esc once the released look is drawn, or after 5 s, however slow the machine
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (released() < 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        fake::PushKey(escapeKey, true);
        fake::Notify();
    });
    OpenPlugin(0, 0);
    later.join();
    EXPECT_EQ(released(), 2) << "drawn when the panel opened, and again when the focus change let it go";
}

TEST_F(Opening, TheWorkerThreadsStayPausedUntilThePanelIsOnTheScreen) {
    // A player started at opening that left the display running, and a held command: nothing may be re-sent
    // before the panel has been drawn, however long the way there takes.
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 1);
    fake::world().classesRoot["winamp.file\\shell\\open\\command"] = "player.exe \"%1\"";
    bool sentBeforeDrawn = false;
    fake::world().onCreateProcess = [&](const std::string&) {
        fake::ShowPlayer([&](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
            if (message == os::WmCommand && fake::PutTexts().empty()) sentBeforeDrawn = true;
            return 0;
        });
        os::SetEvent(openPanel.displayActiveEvent);
        playerLink.heldCommand = 40061;
    };
    fake::host().onSaveScreenArea = [](int, int, int x2, int) {
        if (x2 >= 0) std::this_thread::sleep_for(std::chrono::milliseconds(150));
    };
    fake::PushKey(escapeKey, true);
    OpenPlugin(0, 0);
    EXPECT_EQ(fake::world().processesStarted.size(), 1u);
    EXPECT_FALSE(sentBeforeDrawn);
    ExpectNothingLeftBehind();
}

TEST_F(Opening, HoldingTheMouseOnRewindResendsItAbout20TimesASecondUntilLetGo) {
    ShowPlayer();
    std::thread opening([] { OpenPlugin(0, 0); });
    ASSERT_TRUE(fake::WaitUntil([](fake::World& w) { return w.cursorsSet.size() == 1; }));
    const auto pressed = std::chrono::steady_clock::now();
    fake::PushMouse(23 + 4, 5 + 7, os::LeftButtonPressed);
    // A busy machine only slows the rhythm down: the count is bounded by the time held, never below it.
    EXPECT_TRUE(fake::WaitUntil(
        [](fake::World& w) {
            int resent = 0;
            for (const auto& sent : w.sent) resent += sent.wParam == 40061 && sent.timeout == repeatSendTimeout;
            return resent >= 3;
        },
        5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const int whileHeld = CommandsSent(40061, true);
    const auto heldMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed);
    fake::PushMouse(23 + 4, 5 + 7, 0);
    ASSERT_TRUE(fake::WaitUntil([](fake::World&) { return playerLink.heldCommand == 0; })) << "the release was read";
    const int afterRelease = CommandsSent(40061, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fake::PushKey(escapeKey, true);
    opening.join();

    EXPECT_EQ(CommandsSent(40061), 1) << "the press itself sends once";
    EXPECT_LE(whileHeld, heldMs.count() / 40 + 1) << "about one every 50 ms, in " << heldMs.count() << " ms";
    EXPECT_LE(CommandsSent(40061, true), afterRelease + 1) << "at most the send under way as the button was let go";
    ExpectNothingLeftBehind();
}

}  // namespace
