// The live display in the real host with the stand-in player: the clock, track number, stream line,
// indicators and title read back from the console match what the player reports; the idle display returns
// when the player goes away; a player that stops answering leaves the panel working.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "console_session.h"
#include "panel_pictures.h"
#include "standin_player.h"

using e2e::ConsoleSession;

namespace {

// An 80 by 25 console centres the 34-column panel at column 23, row 5.
constexpr int PanelX = 23, PanelY = 5;
constexpr char PanelMark[] = " Track Time ";
constexpr char Line = '\xC4';  // the border's single horizontal line



// Track 7 at 3:45 elapsed on the narrow panel.
const std::vector<std::string> track7At345 = {
    "▄▄▄·▄▄▄····▄▄▄·▄▄▄···▄·▄·▄▄▄",
    "█·█···█····█·█·▄▄█·▀·█▄█·█▄▄",
    "█▄█···█····█▄█·▄▄█·▀···█·▄▄█",
};

class LiveDisplay : public ::testing::Test {
protected:
    // A player with every answer pinned, so that the picture does not move while it is read.
    static std::vector<std::string> PinnedPlayer(std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {
            "--title",       "7. Artist - Song - Winamp", "--answer", "104=1",       "--answer",
            "125=6",         "--answer",                  "105=225000", "--answer", "126=22",
            "--answer",      "126.1=64",                  "--answer", "126.2=1",     "--answer",
            "250=1",         "--answer",                  "251=0",    "--version",  "2091",
        };
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }

    void Open(std::vector<std::string> playerArguments) {
        player = std::make_unique<e2e::StandinPlayer>(std::move(playerArguments));
        ASSERT_TRUE(player->Ready()) << player->Problem();
        session = std::make_unique<ConsoleSession>();
        ASSERT_TRUE(session->Ready() && session->Launched()) << session->Problem();
        ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    }
    void TearDown() override {
        if (!session || !session->Launched() || session->HostEnded()) return;
        if (session->FindRow(PanelMark) >= 0) session->PressKey(VK_ESCAPE);
        session->WaitForRowText(24, "F10 Quit");
        session->PressKey(VK_F10);
        session->WaitForExit();
    }

    std::string Digits(int line) const { return pictures::DigitPicture(session->Text(PanelX + 3, PanelY + 2 + line, 28)); }
    std::string InfoRow() const { return pictures::LinePicture(session->Text(PanelX + 5, PanelY + 6, 25)); }
    std::string TitleField() const { return session->Text(PanelX + 2, PanelY + 5, 30); }
    std::string TopBorder() const { return session->Text(PanelX, PanelY, 34); }
    bool WaitForDigits(const std::vector<std::string>& rows, DWORD timeoutMs = 20000) const {
        return session->WaitFor(
            [&] { return Digits(0) == rows[0] && Digits(1) == rows[1] && Digits(2) == rows[2]; }, timeoutMs);
    }

    e2e::ScopedModuleSettings settings;  // the defaults: version shown with two-digit minor, indicators on
    std::unique_ptr<e2e::StandinPlayer> player;
    std::unique_ptr<ConsoleSession> session;
};

TEST_F(LiveDisplay, ShowsWhatThePlayerReports) {
    ASSERT_NO_FATAL_FAILURE(Open(PinnedPlayer()));
    ASSERT_TRUE(WaitForDigits(track7At345)) << session->Dump();
    EXPECT_EQ(InfoRow(), "-- 64 kbps 22 kHz mono --");
    EXPECT_EQ(TitleField(), "        Artist - Song         ");
    EXPECT_EQ(session->Text(PanelX + 30, PanelY + 6, 2), std::string("S") + Line) << "shuffle lit, repeat not";
    // Version 2091 with the two-digit minor: 2.1, centred and one column right for the close button.
    EXPECT_EQ(session->Text(PanelX + 7, PanelY, 21), " Quaver v2.1 Control ") << session->Dump();

    // Every pass asks the state afresh, but the version only until it is known.
    const auto asked = player->Log();
    int versionQueries = 0;
    for (const auto& entry : asked) versionQueries += entry.message == "WM_USER" && entry.lParam == 0;
    EXPECT_EQ(versionQueries, 1) << "the version is asked once";
}

TEST_F(LiveDisplay, ThePlayersOwnClockRunsOnThePanel) {
    ASSERT_NO_FATAL_FAILURE(Open({}));  // the simulated playlist, playing in real time
    // The clock's columns, right of the track number; the idle display leaves them blank.
    const auto clock = [&] {
        std::string rows;
        for (int line = 0; line < 3; ++line)
            rows += pictures::DigitPicture(session->Text(PanelX + 14, PanelY + 2 + line, 17)) + "\n";
        return rows;
    };
    std::string first;
    ASSERT_TRUE(session->WaitFor([&] { return (first = clock()).find("█") != std::string::npos; }))
        << "the clock shows\n" << session->Dump();
    ASSERT_TRUE(session->WaitFor([&] {
        const std::string now = clock();
        return now != first && now.find("█") != std::string::npos;
    })) << "the clock moves from\n" << first << session->Dump();
    EXPECT_NE(InfoRow(), "-------------------------") << "the stream line shows";
}

TEST_F(LiveDisplay, ClosingThePlayerBringsBackThePlainTitleAndTheIdleDisplay) {
    ASSERT_NO_FATAL_FAILURE(Open(PinnedPlayer()));
    ASSERT_TRUE(session->WaitFor([&] { return TopBorder().find(" Quaver v2.1 Control ") != std::string::npos; }))
        << session->Dump();
    player->Terminate();
    const std::vector<std::string> idle = {
        "▄▄▄·▄▄▄·····················", "█·█·█·█·····················", "█▄█·█▄█·····················"};
    ASSERT_TRUE(WaitForDigits(idle)) << session->Dump();
    // The whole panel was redrawn: the border is back under the longer version title.
    const std::string border = "\xC9\xCD[\xFE]\xCD\xCD\xCD\xCD\xCD Quaver Control \xCD\xCD\xCD\xCD\xCD\xCD\xCD\xBB";
    EXPECT_TRUE(session->WaitFor([&] { return TopBorder() == border; }, 5000)) << session->Dump();
    EXPECT_EQ(InfoRow(), "-------------------------");
    EXPECT_EQ(TitleField(), std::string(30, ' '));
    Sleep(600);  // further passes without the player leave the picture as it is
    EXPECT_EQ(TopBorder(), border);
}

TEST_F(LiveDisplay, AHungPlayerLeavesThePanelWorkingAndEscStillClosesIt) {
    ASSERT_NO_FATAL_FAILURE(Open(PinnedPlayer({"--hang-after", "4000"})));
    ASSERT_TRUE(WaitForDigits(track7At345)) << session->Dump();
    ASSERT_TRUE(player->WaitForLog(
        [](const std::vector<e2e::PlayerLogEntry>& log) {
            for (const auto& entry : log)
                if (entry.note == "hung") return true;
            return false;
        },
        20000));
    // The passes give the player up and show the idle display rather than freezing.
    const std::vector<std::string> idle = {
        "▄▄▄·▄▄▄·····················", "█·█·█·█·····················", "█▄█·█▄█·····················"};
    EXPECT_TRUE(WaitForDigits(idle, 10000)) << session->Dump();

    // The host's thread still gets to draw: the time label follows Space.
    session->PressKey(VK_SPACE, 0, ' ');
    EXPECT_TRUE(session->WaitForText(" Track Left ", 5000)) << session->Dump();

    const DWORD pressed = GetTickCount();
    session->PressKey(VK_ESCAPE);
    ASSERT_TRUE(session->WaitFor([&] { return session->FindRow(" Track Left ") < 0; }, 5000)) << session->Dump();
    EXPECT_LE(GetTickCount() - pressed, 1000u) << "Esc closes the panel within a second";
}

}  // namespace
