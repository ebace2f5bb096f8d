// The player misbehaving while the user holds the rewind button with the mouse and the title scrolls: it
// exits, a new one starts, it hangs, it answers slowly. The panel keeps answering (Esc closes it within a
// second), leaves nothing drawn on the host's screen, and once the button is let go nothing is re-sent.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "console_session.h"
#include "panel_view.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::Part;
using e2e::PlayerLogEntry;
using e2e::StandinPlayer;

namespace {

constexpr unsigned Rewind = 40061;
constexpr char LongTitle[] = "3. A Title Far Too Long To Fit Into The Panel's Title Line At Once - Winamp";
// The rewind button's label, " ◄◄ ", drawn one cell further right while pressed.
constexpr char RewindLabel[] = " \x11\x11 ";
// Track number 00 and no clock: the display without an answering player.
const std::string idleTopRow = std::string("\xDC\xDC\xDC \xDC\xDC\xDC ") + std::string(20, ' ');

int Count(const std::vector<PlayerLogEntry>& log, unsigned command) {
    int count = 0;
    for (const auto& entry : log) count += entry.message == "WM_COMMAND" && entry.wParam == command;
    return count;
}

bool Noted(const std::vector<PlayerLogEntry>& log, const std::string& note) {
    for (const auto& entry : log)
        if (entry.note == note) return true;
    return false;
}

using e2e::SetModuleSetting;

class PlayerFaults : public ::testing::Test {
protected:
    void SetUp() override { SetModuleSetting("AutostartWinamp", 0); }  // only the test starts players
    void TearDown() override {
        if (session && session->Launched() && !session->HostEnded()) {
            session->MouseEvent(RewindX(), RewindY(), 0);
            if (e2e::PanelShown(*session, area)) session->PressKey(VK_ESCAPE);
            session->WaitForRowText(24, "F10 Quit", 5000);
            session->PressKey(VK_F10);
            session->WaitForExit(5000);
        }
    }

    // The first player, the host with its menu, and the panel opened from it over the host's screen.
    void Open(std::vector<std::string> playerArguments) {
        playerArguments.insert(playerArguments.end(), {"--title", LongTitle});
        first = std::make_unique<StandinPlayer>(std::move(playerArguments));
        ASSERT_TRUE(first->Ready()) << first->Problem();
        ConsoleSession::Options options;
        options.arguments = {"--menu"};
        session = std::make_unique<ConsoleSession>(options);
        ASSERT_TRUE(session->Ready() && session->Launched()) << session->Problem();
        ASSERT_TRUE(session->WaitForRowText(24, "F10 Quit")) << session->Dump();
        before = session->Capture();
        session->PressKey(VK_RETURN, 0, '\r');
        ASSERT_TRUE(e2e::WaitForPanel(*session, area)) << session->Dump();
    }

    int RewindX() const { return area.x + 3; }
    int RewindY() const { return area.y + 7; }
    std::string TitleField() const { return session->Text(area.x + 2, area.y + 5, 30); }
    std::string TopDigitRow() const { return session->Text(area.x + 3, area.y + 2, 28); }
    bool RewindPressed() const { return session->Text(RewindX() + 1, RewindY(), 4) == RewindLabel; }
    bool RewindReleased() const { return session->Text(RewindX(), RewindY(), 4) == RewindLabel; }

    void ExpectTitleScrolling() {
        ASSERT_TRUE(session->WaitFor([&] { return TitleField().find("Title Far") != std::string::npos; }))
            << session->Dump();
        const std::string shown = TitleField();
        EXPECT_TRUE(session->WaitFor([&] { return TitleField() != shown; }, 5000)) << "the title runs\n"
                                                                                   << session->Dump();
    }

    // The left button pressed on rewind and kept down until re-sends reach the player.
    void HoldRewind(const StandinPlayer& player) {
        session->MouseEvent(RewindX() + 1, RewindY(), FROM_LEFT_1ST_BUTTON_PRESSED);
        ASSERT_TRUE(player.WaitForLog([](const auto& log) { return Count(log, Rewind) >= 4; }, 10000))
            << "the press and its re-sends\n" << session->Dump();
        EXPECT_TRUE(session->WaitFor([&] { return RewindPressed(); }, 5000)) << session->Dump();
    }
    void LetGo() { session->MouseEvent(RewindX() + 1, RewindY(), 0); }

    // A second player whose own title the panel shows once it talks to it.
    std::unique_ptr<StandinPlayer> StartSecondPlayer() {
        auto player = std::make_unique<StandinPlayer>(std::vector<std::string>{"--title", "1. Second Player - Winamp"});
        EXPECT_TRUE(player->Ready()) << player->Problem();
        return player;
    }
    bool ShowsSecondPlayer(DWORD timeoutMs = 10000) const {
        return session->WaitFor([&] { return TitleField().find("Second Player") != std::string::npos; }, timeoutMs);
    }

    // Waits until no rewind has reached the player for `quietMs` (re-sends already on their way arrive
    // first); false if they keep coming. The count then is in *settled.
    bool WaitForRewindsToStop(const StandinPlayer& player, DWORD quietMs, int* settled) const {
        *settled = Count(player.Log(), Rewind);
        DWORD lastChange = GetTickCount();
        return session->WaitFor(
            [&] {
                const int now = Count(player.Log(), Rewind);
                if (now != *settled) {
                    *settled = now;
                    lastChange = GetTickCount();
                }
                return GetTickCount() - lastChange >= quietMs;
            },
            30000);
    }

    // Esc within a second, and the host's screen back exactly where the panel and its shadow were.
    void ExpectEscClosesCleanly() {
        const DWORD closing = e2e::CloseWithEsc(*session, area);
        EXPECT_LE(closing, 1000u) << "Esc closes the panel within a second\n" << session->Dump();
        EXPECT_TRUE(session->WaitFor(
            [&] { return e2e::Differences(before, session->Capture(), area, Part::Inside).empty(); }, 5000))
            << e2e::Differences(before, session->Capture(), area, Part::Inside);
    }

    e2e::ScopedModuleSettings settings;
    e2e::PanelArea area;
    e2e::Screen before;
    std::unique_ptr<StandinPlayer> first;
    std::unique_ptr<ConsoleSession> session;
};

TEST_F(PlayerFaults, APlayerThatExitsWhileRewindIsHeldIsNotSentItAgainWhenANewOneStarts) {
    ASSERT_NO_FATAL_FAILURE(Open({}));
    ExpectTitleScrolling();
    ASSERT_NO_FATAL_FAILURE(HoldRewind(*first));

    PostMessageA(first->Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(first->WaitForExit(10000));
    EXPECT_TRUE(session->WaitFor([&] { return TopDigitRow() == idleTopRow; }, 10000)) << session->Dump();

    // Still held: the dropped command must not go to the player that starts now.
    auto second = StartSecondPlayer();
    ASSERT_TRUE(ShowsSecondPlayer()) << session->Dump();
    Sleep(700);
    EXPECT_EQ(Count(second->Log(), Rewind), 0) << "re-sent to the new player while still held";
    LetGo();
    EXPECT_TRUE(session->WaitFor([&] { return RewindReleased(); }, 5000)) << session->Dump();
    Sleep(500);
    EXPECT_EQ(Count(second->Log(), Rewind), 0) << "re-sent to the new player after the release";

    ExpectEscClosesCleanly();
}

TEST_F(PlayerFaults, APlayerThatHangsWhileRewindIsHeldLeavesThePanelAnsweringAndTheReleaseEndsTheRepeat) {
    // Long enough for the panel to open and the button to be held before the player stops answering.
    ASSERT_NO_FATAL_FAILURE(Open({"--hang-after", "9000"}));
    ExpectTitleScrolling();
    ASSERT_NO_FATAL_FAILURE(HoldRewind(*first));
    ASSERT_TRUE(first->WaitForLog([](const auto& log) { return Noted(log, "hung"); }, 20000));

    // The passes give the hung player up; the host's thread still draws the button and reads the mouse.
    EXPECT_TRUE(session->WaitFor([&] { return TopDigitRow() == idleTopRow; }, 10000)) << session->Dump();
    EXPECT_EQ(TitleField(), std::string(30, ' '));
    EXPECT_TRUE(RewindPressed()) << session->Dump();
    LetGo();
    EXPECT_TRUE(session->WaitFor([&] { return RewindReleased(); }, 2000)) << "drawn released\n" << session->Dump();

    // The hung window still exists, below the new one: the window search finds the new player first, so
    // a command still held would reach it.
    auto second = StartSecondPlayer();
    ASSERT_TRUE(ShowsSecondPlayer()) << session->Dump();
    ASSERT_TRUE(first->Running());
    Sleep(700);
    EXPECT_EQ(Count(second->Log(), Rewind), 0) << "re-sent after the release";

    ExpectEscClosesCleanly();
}

TEST_F(PlayerFaults, ASlowPlayerStillScrollsTheTitleAndGetsNothingOnceRewindIsLetGo) {
    // Every answer late, but the pass's questions still fit in their time budget.
    ASSERT_NO_FATAL_FAILURE(Open({"--slow", "15"}));
    ExpectTitleScrolling();
    ASSERT_NO_FATAL_FAILURE(HoldRewind(*first));
    Sleep(1000);
    const std::string held = TitleField();
    EXPECT_TRUE(session->WaitFor([&] { return TitleField() != held; }, 5000)) << "still running\n" << session->Dump();
    LetGo();
    EXPECT_TRUE(session->WaitFor([&] { return RewindReleased(); }, 2000)) << session->Dump();

    // What was already on its way arrives; then nothing more.
    int settled = 0;
    ASSERT_TRUE(WaitForRewindsToStop(*first, 400, &settled)) << "the re-sends never stopped";
    Sleep(600);
    EXPECT_EQ(Count(first->Log(), Rewind), settled) << "re-sent after the release";

    ExpectEscClosesCleanly();
}

TEST_F(PlayerFaults, AVerySlowPlayerLeavesThePanelAnsweringAndTheRepeatEndsWithTheRelease) {
    // Too slow for a pass's budget: the panel shows no player, but rewind still reaches it, late.
    ASSERT_NO_FATAL_FAILURE(Open({"--slow", "100"}));
    ASSERT_NO_FATAL_FAILURE(HoldRewind(*first));
    Sleep(1000);
    LetGo();
    EXPECT_TRUE(session->WaitFor([&] { return RewindReleased(); }, 2000)) << session->Dump();

    // Re-sends that timed out were still queued for the player: they drain, then nothing more comes.
    int settled = 0;
    ASSERT_TRUE(WaitForRewindsToStop(*first, 600, &settled)) << "the re-sends never stopped";
    Sleep(600);
    EXPECT_EQ(Count(first->Log(), Rewind), settled) << "re-sent after the release";

    ExpectEscClosesCleanly();
}

}  // namespace
