// One refresh pass as the user sees it: what the panel's live part shows for the player's answers, what the
// player is asked, and how the pass copes with a player that is absent, goes away or stops answering.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/settings.h"
#include "panel/frame.h"
#include "panel/panel.h"
#include "panel/player_queries.h"
#include "panel/refresh.h"
#include "panel/title_line.h"
#include "panel/widgets.h"
#include "panel_harness.h"
#include "panel_pictures.h"
#include "player/player.h"
#include "scripted_player.h"

using namespace quaver;

namespace {



struct Query2 {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const Query2&) const = default;
};

class RefreshPass : public ::testing::Test {
protected:
    void Open(const fake::PanelLook& look = {}) {
        Close();
        panel = std::make_unique<fake::PanelHarness>(look);
        stop = os::CreateEvent(true, false);
        os::SetEvent(openPanel.displayActiveEvent);
        liveDisplay.playerVersion = 0;
        settings.showVersion[0] = 0;
        settings.showVersion[1] = 0;
        liveDisplay.scrollMode = 0;
        ResetTitleScrolling();
    }
    void TearDown() override { Close(); }
    void Close() {
        if (stop) os::CloseHandle(stop);
        stop = nullptr;
        panel.reset();
    }

    void Pass() { RunRefreshPass(stop); }
    void ShowPlayer() { fake::ShowScriptedPlayer(&player); }

    int x() const { return panel->placement.x; }
    int y() const { return panel->placement.y; }
    int digitCells() const { return settings.wideTrackNumber ? 32 : 28; }
    std::string Digits(int line) const { return pictures::DigitPicture(fake::ScreenRow(y() + 2 + line, x() + 3, digitCells())); }
    std::string InfoRow() const { return pictures::LinePicture(fake::ScreenRow(y() + 6, x() + static_cast<int>(openPanel.infoLineX), 25)); }
    std::string TitleField() const {
        return fake::ScreenRow(y() + 5, x() + 2, static_cast<int>(openPanel.titleFieldLength));
    }
    fake::Cell Cell(int column, int line) const { return fake::CellAt(x() + column, y() + line); }

    std::vector<Query2> Asked() const {
        std::vector<Query2> asked;
        for (const auto& sent : fake::SentMessages())
            if (sent.window == fake::world().player || sent.message == os::WmUser || sent.message == os::WmGetText)
                asked.push_back({sent.message, sent.wParam, sent.message == os::WmGetText ? 0 : sent.lParam});
        return asked;
    }
    static void ForgetSent() {
        std::lock_guard lock(fake::Mutex());
        fake::world().sent.clear();
    }
    // Texts drawn since `from`, flushes included.
    static std::vector<fake::PutTextCall> DrawnSince(size_t from) {
        const auto all = fake::PutTexts();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }
    static int Flushes(const std::vector<fake::PutTextCall>& calls) {
        int flushes = 0;
        for (const auto& call : calls) flushes += call.isFlush;
        return flushes;
    }
    // Puts of the panel's bottom border: only a whole-panel redraw draws it.
    int PanelRedraws(const std::vector<fake::PutTextCall>& calls) const {
        int redraws = 0;
        for (const auto& call : calls) redraws += !call.isFlush && call.x == x() && call.y == y() + 11;
        return redraws;
    }

    std::unique_ptr<fake::PanelHarness> panel;
    os::Handle stop = nullptr;
    fake::PlayerAnswers player;
};

const std::vector<std::string> track7At345Narrow = {
    "▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄·▄·▄▄▄",
    "█·█···█····█·█·▄▄█·▀·█▄█·█▄▄",
    "█▄█···█····█▄█·▄▄█·▀···█·▄▄█",
};
const std::vector<std::string> track123At5959RemainingWide = {
    "··▄·▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄▄▄·▄▄▄",
    "··█·▄▄█·▄▄█·▄▄·█▄▄·█▄█·▀·█▄▄·█▄█",
    "··█·█▄▄·▄▄█····▄▄█·▄▄█·▀·▄▄█·▄▄█",
};

// ---- the picture -------------------------------------------------------------------------------------------

TEST_F(RefreshPass, ShowsTrackClockStreamAndTitleAsThePlayerReportsThem) {
    Open();
    ShowPlayer();
    Pass();
    for (int line = 0; line < 3; ++line) EXPECT_EQ(Digits(line), track7At345Narrow[static_cast<size_t>(line)]);
    EXPECT_EQ(InfoRow(), "-- 64 kbps 22 kHz mono --");
    EXPECT_EQ(TitleField(), "        Artist - Song         ");
    EXPECT_EQ(Cell(3, 2).attribute, fake::testPalette[2]) << "the digits in palette entry 2";
    EXPECT_EQ(Cell(5, 6).attribute, fake::testPalette[0]) << "the info row in palette entry 0";
}

TEST_F(RefreshPass, ShowsTheRemainingTimeOnTheWidePanel) {
    Open({.wideTrackNumber = true, .timeFormat = 1});
    player.listPosition = 122;
    player.trackLength = 4000;
    player.position = (4000 - 3599) * 1000 + 999;  // 3599 seconds left, the fraction truncated
    ShowPlayer();
    Pass();
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(Digits(line), track123At5959RemainingWide[static_cast<size_t>(line)]);
    EXPECT_EQ(InfoRow(), "-- 64 kbps 22 kHz mono --");
}

TEST_F(RefreshPass, ATrackLengthBelowTheElapsedTimeReadsMinusZero) {
    Open({.wideTrackNumber = true, .timeFormat = 1});
    player.listPosition = 0;
    player.trackLength = 10;
    player.position = 65000;
    ShowPlayer();
    Pass();
    EXPECT_EQ(Digits(1), "█·█·█·█···█·▄▄·█·█·█·█·▀·█·█·█·█");
}

TEST_F(RefreshPass, OddAnswersAreNormalised) {
    Open({.wideTrackNumber = true});
    player.listPosition = -5;  // no track: 000
    player.position = -1;      // reads as 0 seconds
    player.playing = 77;       // counts as stopped, not paused: no blinking
    player.channels = 3;       // shown like none
    player.bitRate = 128;
    player.sampleRate = 44;
    ShowPlayer();
    Pass();
    EXPECT_EQ(Digits(0), "▄▄▄·▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄▄▄·▄▄▄");
    EXPECT_EQ(Digits(1), "█·█·█·█·█·█····█·█·█·█·▀·█·█·█·█");
    EXPECT_EQ(InfoRow(), "--- 128 kbps 44 kHz  ----");
}

TEST_F(RefreshPass, TrackNumbersAndMinutesShowTheirLastDigits) {
    Open({.wideTrackNumber = true});
    player.listPosition = 1233;      // track 1234
    player.position = 125 * 60000 + 7000;  // 125:07
    ShowPlayer();
    Pass();
    const std::vector<std::string> wide = {Digits(0), Digits(1), Digits(2)};
    EXPECT_EQ(wide[0], "▄▄▄·▄▄▄·▄·▄····▄▄▄·▄▄▄···▄▄▄·▄▄▄");
    EXPECT_EQ(wide[1], "▄▄█·▄▄█·█▄█····▄▄█·█▄▄·▀·█·█···█");
    EXPECT_EQ(wide[2], "█▄▄·▄▄█···█····█▄▄·▄▄█·▀·█▄█···█");
    Open();
    player.position = 6000000;  // exactly 100 minutes: 00:00
    ShowPlayer();
    Pass();
    EXPECT_EQ(Digits(0), "▄▄▄·▄·▄····▄▄▄·▄▄▄···▄▄▄·▄▄▄") << "the narrow panel shows 34";
    EXPECT_EQ(Digits(1), "▄▄█·█▄█····█·█·█·█·▀·█·█·█·█");
}

TEST_F(RefreshPass, APausedClockBlinksWithTheTickCountWhileTheTrackNumberStays) {
    Open();
    player.playing = 3;
    ShowPlayer();
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;
        fake::world().tick = 42000;  // an even second
    }
    Pass();
    EXPECT_EQ(Digits(0), "▄▄▄·▄▄▄·····················") << "07, no clock";
    EXPECT_EQ(Digits(1), "█·█···█·····················");
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().tick = 43999;  // an odd second
    }
    Pass();
    for (int line = 0; line < 3; ++line) EXPECT_EQ(Digits(line), track7At345Narrow[static_cast<size_t>(line)]);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().tick = 44000;
    }
    settings.timeFormat = 1;
    Pass();
    EXPECT_EQ(Digits(1), "█·█···█·····················") << "the minus sign blinks with the clock";
}

TEST_F(RefreshPass, TheIndicatorsShowShuffleAndRepeatOrContinueTheBorder) {
    Open();
    player.shuffle = 1;
    player.repeat = 0;
    ShowPlayer();
    Pass();
    EXPECT_EQ(Cell(30, 6), (fake::Cell{'S', fake::testPalette[6]}));
    EXPECT_EQ(Cell(31, 6), (fake::Cell{static_cast<char>(0xC4), fake::testPalette[0]}));
    player.shuffle = 0;
    player.repeat = 5;
    Pass();
    EXPECT_EQ(Cell(30, 6), (fake::Cell{static_cast<char>(0xC4), fake::testPalette[0]}));
    EXPECT_EQ(Cell(31, 6), (fake::Cell{'R', fake::testPalette[6]}));
    EXPECT_EQ(panel->at(slot::Repeat).length, 1u);
}

TEST_F(RefreshPass, WithoutTheIndicatorsTheyAreNeitherAskedNorDrawn) {
    Open({.repeatShuffle = false});
    ShowPlayer();
    const size_t before = fake::PutTexts().size();
    Pass();
    int streamLineDraws = 0;
    for (const auto& call : DrawnSince(before)) {
        if (call.isFlush || call.y != y() + 6) continue;
        ++streamLineDraws;
        EXPECT_LE(call.x + static_cast<int>(call.text.size()), x() + 30) << "drawn up to column " << call.x;
    }
    EXPECT_GT(streamLineDraws, 0) << "the stream line itself is drawn";
    const std::vector<Query2> expected = {
        {os::WmUser, 0, 104}, {os::WmUser, 0, 125}, {os::WmUser, 0, 126}, {os::WmUser, 1, 126},
        {os::WmUser, 2, 126}, {os::WmUser, 0, 105}, {os::WmGetText, 255, 0},
    };
    EXPECT_EQ(Asked(), expected) << "the usual queries without shuffle (250) and repeat (251)";
}

// ---- what is asked, and how often things happen --------------------------------------------------------------

TEST_F(RefreshPass, AsksOnlyTheListedQueriesInOrderAndFlushesOnce) {
    Open();
    settings.showVersion[0] = 1;
    settings.timeFormat = 1;
    ShowPlayer();
    const size_t before = fake::PutTexts().size();
    const int lookups = fake::world().findWindowCalls;
    Pass();
    const std::vector<Query2> expected = {
        {os::WmUser, 0, 104}, {os::WmUser, 0, 125}, {os::WmUser, 0, 126}, {os::WmUser, 1, 126},
        {os::WmUser, 2, 126}, {os::WmUser, 1, 105}, {os::WmUser, 0, 105}, {os::WmUser, 0, 250},
        {os::WmUser, 0, 251}, {os::WmUser, 0, 0},   {os::WmGetText, 255, 0},
    };
    EXPECT_EQ(Asked(), expected);
    EXPECT_EQ(fake::world().findWindowCalls, lookups + 1);
    const auto drawn = DrawnSince(before);
    EXPECT_EQ(Flushes(drawn), 1);
    EXPECT_TRUE(drawn.back().isFlush) << "the flush ends the pass";
    for (const auto& sent : fake::SentMessages()) {
        EXPECT_TRUE(sent.withTimeout) << "a bounded send";
        EXPECT_EQ(sent.flags, os::SmtoAbortIfHung);
        EXPECT_LE(sent.timeout, queryTimeout);
    }

    ForgetSent();
    settings.timeFormat = 0;
    Pass();
    EXPECT_EQ(Asked().size(), expected.size() - 2) << "no track length, and the version is known";
}

TEST_F(RefreshPass, APlayerThatStaysAwayIsShownIdleWithoutRedrawingThePanel) {
    Open({.wideTrackNumber = true});
    settings.showVersion[0] = 1;
    DrawPanel(panel->placement);
    const size_t before = fake::PutTexts().size();
    Pass();
    Pass();
    EXPECT_EQ(Digits(0), "▄▄▄·▄▄▄·▄▄▄·····················");
    EXPECT_EQ(Digits(1), "█·█·█·█·█·█·····················");
    EXPECT_EQ(Digits(2), "█▄█·█▄█·█▄█·····················");
    EXPECT_EQ(InfoRow(), "-------------------------");
    EXPECT_EQ(TitleField(), std::string(34, ' '));
    const auto drawn = DrawnSince(before);
    EXPECT_EQ(Flushes(drawn), 2);
    EXPECT_EQ(PanelRedraws(drawn), 0);
    EXPECT_TRUE(fake::SentMessages().empty());
    EXPECT_EQ(fake::ScreenRow(y(), x() + 11, 16), " Quaver Control ");
}

TEST_F(RefreshPass, ThePlayersVersionGoesIntoThePanelTitleUntilThePlayerGoesAway) {
    Open();
    settings.showVersion[0] = 1;
    ShowPlayer();
    DrawPanel(panel->placement);
    Pass();
    EXPECT_EQ(liveDisplay.playerVersion, 2);
    EXPECT_STREQ(panel->at(slot::PanelTitle).text, " Quaver v2.19 Control ");
    EXPECT_EQ(panel->at(slot::PanelTitle).x, 7) << "(34 - 22) / 2, one further for the close button";
    EXPECT_EQ(fake::ScreenRow(y(), x() + 7, 22), " Quaver v2.19 Control ");

    fake::RemovePlayer();
    size_t before = fake::PutTexts().size();
    Pass();
    EXPECT_EQ(liveDisplay.playerVersion, 0);
    EXPECT_STREQ(panel->at(slot::PanelTitle).text, " Quaver Control ");
    EXPECT_EQ(panel->at(slot::PanelTitle).x, 10);
    EXPECT_EQ(PanelRedraws(DrawnSince(before)), 1) << "the border comes back under the longer title";
    EXPECT_EQ(pictures::LinePicture(fake::ScreenRow(y(), x(), 34)), pictures::LinePicture(fake::Oem("╔═[■]═════ Quaver Control ═══════╗")));
    EXPECT_EQ(InfoRow(), "-------------------------");

    before = fake::PutTexts().size();
    Pass();
    EXPECT_EQ(PanelRedraws(DrawnSince(before)), 0) << "once only";
}

TEST_F(RefreshPass, TheMinorVersionFormAndAMajorVersionOfZero) {
    Open();
    settings.showVersion[0] = 1;
    settings.showVersion[1] = 1;
    player.version = 0x2100;
    ShowPlayer();
    Pass();
    EXPECT_STREQ(liveDisplay.versionTitle, " Quaver v2.10 Control ");

    liveDisplay.playerVersion = 0;
    settings.showVersion[1] = 0;
    Pass();
    EXPECT_STREQ(liveDisplay.versionTitle, " Quaver v2.1 Control ");

    liveDisplay.playerVersion = 0;
    player.version = 0x0091;  // major 0: asked again on the next pass
    ForgetSent();
    Pass();
    Pass();
    int versionQueries = 0;
    for (const auto& asked : Asked()) versionQueries += asked.message == os::WmUser && asked.lParam == 0;
    EXPECT_EQ(versionQueries, 2);
    EXPECT_EQ(liveDisplay.playerVersion, 0);
    EXPECT_STREQ(panel->at(slot::PanelTitle).text, " Quaver v0.19 Control ");
}

TEST_F(RefreshPass, ANegativeVersionCountsAsUnknownAndIsNotShown) {
    Open();
    settings.showVersion[0] = 1;
    player.version = static_cast<int32_t>(0xFFFF2091u);
    ShowPlayer();
    Pass();
    EXPECT_EQ(liveDisplay.playerVersion, 0);
    EXPECT_STREQ(panel->at(slot::PanelTitle).text, " Quaver Control ");
    player.version = 0x2091;
    Pass();
    EXPECT_EQ(liveDisplay.playerVersion, 2) << "asked again, and known once the answer makes sense";
}

// ---- a player that stops answering, answers slowly or changes part way -------------------------------------

class SlowPlayer : public RefreshPass {
protected:
    void SetUp() override {
        Open();
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;
    }
    static uint32_t Tick() {
        std::lock_guard lock(fake::Mutex());
        return fake::world().tick;
    }
    static void Advance(uint32_t ms) {
        std::lock_guard lock(fake::Mutex());
        fake::world().tick += ms;
    }
    static void Hang(bool hung) {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerHung = hung;
    }
    void ExpectTrack7At345() const {
        for (int line = 0; line < 3; ++line) EXPECT_EQ(Digits(line), track7At345Narrow[static_cast<size_t>(line)]);
        EXPECT_EQ(InfoRow(), "-- 64 kbps 22 kHz mono --");
    }
    void ExpectIdle() const {
        EXPECT_EQ(Digits(0), "▄▄▄·▄▄▄·····················");
        EXPECT_EQ(Digits(1), "█·█·█·█·····················");
        EXPECT_EQ(InfoRow(), "-------------------------");
    }
};

TEST_F(SlowPlayer, AHungPlayerKeepsItsLastPictureUntilSilentForTwoSecondsThenShowsIdle) {
    ShowPlayer();
    Pass();
    ExpectTrack7At345();
    Hang(true);
    player.position = 300000;  // would read 05:00
    ForgetSent();
    const uint32_t started = Tick();
    const size_t before = fake::PutTexts().size();
    Pass();
    EXPECT_LE(Tick() - started, queryTimeout) << "one question's time-out, then nothing more is asked";
    EXPECT_EQ(Asked().size(), 1u);
    ExpectTrack7At345();
    EXPECT_EQ(TitleField(), "        Artist - Song         ");
    EXPECT_EQ(Flushes(DrawnSince(before)), 1);

    Advance(silenceBeforeIdle - queryTimeout - 1);
    Pass();
    ExpectTrack7At345();
    Advance(queryTimeout);
    Pass();
    ExpectIdle();
    EXPECT_EQ(TitleField(), std::string(30, ' '));

    Hang(false);
    Pass();
    EXPECT_EQ(Digits(1), "█·█···█····█·█·█▄▄·▀·█·█·█·█") << "answering again: 07 at 05:00";
}

TEST_F(SlowPlayer, APlayerThatHangsPartWayNeverShowsAHalfPicture) {
    ShowPlayer();
    Pass();
    player.listPosition = 7;  // track 8
    player.bitRate = 128;
    player.hangAfter = player.answered + 5;  // the five stream answers, then the position hangs
    Pass();
    EXPECT_EQ(Asked().size(), 9u + 6u);
    ExpectTrack7At345();
}

TEST_F(SlowPlayer, AHungTitleQueryKeepsThePictureAndTheVersion) {
    settings.showVersion[0] = 1;
    ShowPlayer();
    Pass();
    ASSERT_EQ(liveDisplay.playerVersion, 2);
    player.hangAfter = player.answered + 8;  // the eight queries of the next pass, then the title hangs
    player.position = 300000;
    const size_t before = fake::PutTexts().size();
    Pass();
    ExpectTrack7At345();
    EXPECT_EQ(TitleField(), "        Artist - Song         ");
    EXPECT_EQ(PanelRedraws(DrawnSince(before)), 0) << "an unanswering player is not a player gone";
    EXPECT_EQ(liveDisplay.playerVersion, 2);

    Advance(silenceBeforeIdle);
    Pass();  // nothing answered at all now
    Advance(silenceBeforeIdle);
    Pass();
    ExpectIdle();
    EXPECT_STREQ(panel->at(slot::PanelTitle).text, " Quaver v2.19 Control ") << "the version stays";
}

TEST_F(SlowPlayer, APlayerAnsweringEveryQuestionIn30MsShowsItsPictureAndLeavesTheLockFree) {
    // While the pass waits for an answer, another thread (the host's, drawing a pressed key) takes the lock.
    std::atomic<int> lockTaken{0};
    int takenWhileAsking = 0;
    std::vector<std::thread> hosts;
    fake::ShowPlayer([&](uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
        if (hosts.empty()) {
            hosts.emplace_back([&] {
                os::CriticalSectionLock lock(openPanel.drawingLock);
                lockTaken = 1;
            });
            for (int wait = 0; wait < 500 && !lockTaken; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            takenWhileAsking = lockTaken;
        }
        os::Sleep(30);
        fake::PlayerAnswers answers;
        if (message == os::WmGetText) {
            std::strcpy(reinterpret_cast<char*>(lParam), answers.windowTitle.c_str());
            return static_cast<intptr_t>(answers.windowTitle.size());
        }
        switch (lParam) {
        case 104: return answers.playing;
        case 125: return answers.listPosition;
        case 126: return wParam == 0 ? answers.sampleRate : wParam == 1 ? answers.bitRate : answers.channels;
        case 105: return answers.position;
        default: return 0;
        }
    });
    const uint32_t started = Tick();
    Pass();
    for (auto& host : hosts) host.join();
    EXPECT_EQ(takenWhileAsking, 1) << "the questions are asked without drawingLock";
    EXPECT_EQ(Tick() - started, 9u * 30u) << "nine questions of 30 ms, all answered";
    ExpectTrack7At345();
    EXPECT_EQ(TitleField(), "        Artist - Song         ");
}

TEST_F(SlowPlayer, APlayerChangingPartWayThroughAPassIsDrawnAsItAnsweredInOneGo) {
    // The track, clock and stream come from before the change; the indicators and the title from after it.
    fake::PlayerAnswers changed;
    changed.listPosition = 41;
    changed.position = 65000;
    changed.shuffle = 0;
    changed.repeat = 1;
    changed.windowTitle = "42. Other - Tune - Winamp";
    player.changed = &changed;
    player.changeAfter = 6;
    ShowPlayer();
    const size_t before = fake::PutTexts().size();
    Pass();
    ExpectTrack7At345();
    EXPECT_EQ(Cell(30, 6), (fake::Cell{static_cast<char>(0xC4), fake::testPalette[0]}));
    EXPECT_EQ(Cell(31, 6), (fake::Cell{'R', fake::testPalette[6]}));
    EXPECT_EQ(TitleField(), "         Other - Tune         ");
    EXPECT_EQ(Flushes(DrawnSince(before)), 1);

    Pass();
    EXPECT_EQ(Digits(1), "█▄█·▄▄█····█·█···█·▀·█·█·█▄▄") << "the next pass: all of it changed, 42 at 01:05";
}

TEST_F(SlowPlayer, ClosingThePanelEndsTheQuestionsAndThePassDrawsNothing) {
    os::Handle closing = stop;
    fake::ShowPlayer([closing](uint32_t, uintptr_t, intptr_t) -> intptr_t {
        os::SetEvent(closing);
        return 1;
    });
    const size_t before = fake::PutTexts().size();
    Pass();
    EXPECT_EQ(Asked().size(), 1u);
    EXPECT_TRUE(DrawnSince(before).empty());
}

// ---- a pass that comes too late -----------------------------------------------------------------------------

TEST_F(RefreshPass, APassAfterThePauseOrTheStopDrawsNothing) {
    Open();
    ShowPlayer();
    SetDisplayActive(false);
    const size_t before = fake::PutTexts().size();
    Pass();
    EXPECT_TRUE(DrawnSince(before).empty());
    EXPECT_EQ(fake::world().findWindowCalls, 0);

    SetDisplayActive(true);
    os::SetEvent(stop);
    Pass();
    EXPECT_TRUE(DrawnSince(before).empty());
    EXPECT_TRUE(fake::SentMessages().empty());
}

TEST_F(RefreshPass, APassWaitingForTheLockWhileThePanelIsPausedDoesNotDraw) {
    Open();
    // The pass is past its first look at the display and asking the player when the host's thread takes the
    // lock (as around a widget draw) and pauses the display: the pass then waits for the lock, and must look
    // again before it draws.
    static std::atomic<int> step;
    step = 0;
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) -> intptr_t {
        if (step == 0) {
            step = 1;
            while (step != 2) std::this_thread::yield();
        }
        return 1;
    });
    const size_t before = fake::PutTexts().size();
    os::Handle thread = os::CreateThread(RefreshThread, stop, 0x4000);
    while (step != 1) std::this_thread::yield();
    {
        os::CriticalSectionLock lock(openPanel.drawingLock);
        step = 2;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the pass's questions end, it waits here
        SetDisplayActive(false);
    }
    os::SetEvent(stop);
    EXPECT_EQ(os::WaitForSingleObject(thread, 3000), os::WaitObject0);
    os::CloseHandle(thread);
    EXPECT_TRUE(DrawnSince(before).empty()) << "drawn after the pause";
    EXPECT_FALSE(fake::SentMessages().empty()) << "the pass did ask the player";
}

// ---- the thread ---------------------------------------------------------------------------------------------

TEST_F(RefreshPass, TheThreadPassesAboutEveryPeriodWhileActiveAndEndsOnStop) {
    Open();
    ShowPlayer();
    const auto started = std::chrono::steady_clock::now();
    os::Handle thread = os::CreateThread(RefreshThread, stop, 0x4000);
    EXPECT_TRUE(fake::WaitForFlushes(4, 5000));
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_GE(elapsed, std::chrono::milliseconds(3 * refreshPeriod - 10)) << "three waits between four passes";

    SetDisplayActive(false);
    const int flushes = fake::FlushCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(fake::FlushCount(), flushes) << "a paused display is not drawn";

    os::SetEvent(stop);
    EXPECT_EQ(os::WaitForSingleObject(thread, 3000), os::WaitObject0) << "stop ends the thread";
    os::CloseHandle(thread);
}

TEST_F(RefreshPass, ARealHungPlayerStillLetsTheHostsThreadDraw) {
    Open();
    ShowPlayer();
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerHung = true;
    }
    os::Handle thread = os::CreateThread(RefreshThread, stop, 0x4000);
    EXPECT_TRUE(fake::WaitUntil([](fake::World& world) { return !world.sent.empty(); }));
    // The host's thread takes the lock for a widget draw: it gets it within one pass's budget.
    const auto asked = std::chrono::steady_clock::now();
    { os::CriticalSectionLock lock(openPanel.drawingLock); }
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(2000));
    os::SetEvent(stop);
    EXPECT_EQ(os::WaitForSingleObject(thread, 3000), os::WaitObject0);
    os::CloseHandle(thread);
}

}  // namespace
