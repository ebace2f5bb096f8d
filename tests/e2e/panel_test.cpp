// The control panel in quaver-host.exe, worked through a real console as a person would: its looks in the
// four layouts, its shadow, the screen it gives back, and the commands the stand-in player receives.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "console_session.h"
#include "panel_pictures.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::Screen;

namespace {

constexpr int panelX = 23, widePanelX = 21, panelY = 5;
constexpr int narrow = 34, wide = 38;
constexpr int statusRow = 23;

using pictures::Oem;
using pictures::Picture;
using pictures::narrowGlyphPanel, pictures::narrowAsciiPanel, pictures::wideGlyphPanel, pictures::wideAsciiPanel;

void SetModuleSetting(const char* name, DWORD value) { ASSERT_TRUE(e2e::SetModuleSetting(name, value)); }

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        // No player is started by the module: a test that wants one starts the stand-in itself.
        SetModuleSetting("AutostartWinamp", 0);
        SetModuleSetting("DispVolumeCtrl", 1);  // all three optional parts on, as in the pictures
    }

    static bool PanelShown(const ConsoleSession& session, int x = panelX, int width = narrow) {
        return session.Text(x, panelY, 5) == Oem("╔═[■]") && session.Text(x + width - 1, panelY + 11, 1) == Oem("╝");
    }
    static bool WaitForPanel(const ConsoleSession& session, int x = panelX, int width = narrow) {
        return session.WaitFor([&] { return PanelShown(session, x, width); });
    }
    static bool WaitForPanelGone(const ConsoleSession& session) {
        return session.WaitFor([&] { return !PanelShown(session); }, 10000);
    }
    static ConsoleSession::Options FromMenu() {
        ConsoleSession::Options options;
        options.arguments = {"--menu"};
        return options;
    }
    // Opens the panel from the host's menu and returns the screen as it was before.
    static Screen OpenFromMenu(ConsoleSession& session) {
        EXPECT_TRUE(session.WaitForRowText(24, "F10 Quit")) << session.Dump();
        const Screen before = session.Capture();
        session.PressKey(VK_RETURN, 0, '\r');
        EXPECT_TRUE(WaitForPanel(session)) << session.Dump();
        return before;
    }
    static bool SameRows(const Screen& a, const Screen& b, int first, int last) {
        for (int y = first; y <= last; ++y)
            if (a.rows[y] != b.rows[y] || a.attributes[y] != b.attributes[y]) return false;
        return true;
    }

    void ExpectPicture(const ConsoleSession& session, const Picture& picture, int x) {
        for (int row = 0; row < static_cast<int>(picture.size()); ++row) {
            const std::string expected = Oem(picture[row]);
            const int width = static_cast<int>(expected.size());
            if (row >= 2 && row <= 4) {
                EXPECT_EQ(session.Text(x, panelY + row, 2), expected.substr(0, 2)) << "row " << row;
                EXPECT_EQ(session.Text(x + width - 2, panelY + row, 2), expected.substr(width - 2)) << "row " << row;
            } else {
                EXPECT_EQ(session.Text(x, panelY + row, width), expected) << "row " << row << "\n" << session.Dump();
            }
        }
    }

    e2e::ScopedModuleSettings settings;
};

int CommandCount(const std::vector<e2e::PlayerLogEntry>& log, uint64_t command) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const e2e::PlayerLogEntry& entry) {
        return entry.message == "WM_COMMAND" && entry.wParam == command;
    }));
}

// ---- looks ---------------------------------------------------------------------------------------------------

TEST_F(Panel, OpensInTheMiddleOfTheConsoleWithGlyphButtons) {
    ConsoleSession session;
    ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
    ASSERT_TRUE(WaitForPanel(session)) << session.Dump();
    ExpectPicture(session, narrowGlyphPanel, panelX);
}

TEST_F(Panel, DrawsAsciiButtonsWhenAsked) {
    SetModuleSetting("DrawUglyButtons", 1);
    ConsoleSession session;
    ASSERT_TRUE(WaitForPanel(session)) << session.Dump();
    ExpectPicture(session, narrowAsciiPanel, panelX);
}

TEST_F(Panel, IsWiderWithTheWideTrackNumber) {
    SetModuleSetting("WideTrackNumber", 1);
    ConsoleSession session;
    ASSERT_TRUE(WaitForPanel(session, widePanelX, wide)) << session.Dump();
    ExpectPicture(session, wideGlyphPanel, widePanelX);
}

TEST_F(Panel, IsWiderWithAsciiButtonsToo) {
    SetModuleSetting("WideTrackNumber", 1);
    SetModuleSetting("DrawUglyButtons", 1);
    ConsoleSession session;
    ASSERT_TRUE(WaitForPanel(session, widePanelX, wide)) << session.Dump();
    ExpectPicture(session, wideAsciiPanel, widePanelX);
}

TEST_F(Panel, CastsADimShadowAndGivesTheScreenModeAndCursorBackOnEsc) {
    ConsoleSession session(FromMenu());
    ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(24, "F10 Quit")) << session.Dump();
    const DWORD modeBefore = session.InputMode();
    const CONSOLE_CURSOR_INFO cursorBefore = session.CursorInfo();
    const Screen before = OpenFromMenu(session);

    // The shadow: two columns right from the second row, one row below from the third column.
    for (int y = panelY; y <= panelY + 12; ++y) {
        for (int x = panelX; x <= panelX + narrow + 1; ++x) {
            const bool onPanel = y < panelY + 12 && x < panelX + narrow;
            const bool inShadow = (x >= panelX + narrow && y > panelY) || (y == panelY + 12 && x >= panelX + 2);
            if (onPanel) continue;
            const uint16_t was = before.attributes[y][x];
            EXPECT_EQ(session.Text(x, y, 1)[0], before.rows[y][x]) << x << "," << y;
            EXPECT_EQ(session.Attribute(x, y), inShadow ? (was & 7) : was) << x << "," << y;
        }
    }
    EXPECT_EQ(session.InputMode(), modeBefore & ENABLE_MOUSE_INPUT) << "only mouse input while the panel is open";
    EXPECT_EQ(session.CursorInfo().dwSize, 1u);
    EXPECT_FALSE(session.CursorInfo().bVisible);

    session.PressKey(VK_ESCAPE);
    ASSERT_TRUE(session.WaitForRowText(statusRow, "closed")) << session.Dump();
    EXPECT_TRUE(SameRows(session.Capture(), before, 0, statusRow - 1)) << session.Dump();
    EXPECT_EQ(session.InputMode(), modeBefore);
    EXPECT_EQ(session.CursorInfo().dwSize, cursorBefore.dwSize);
    EXPECT_EQ(session.CursorInfo().bVisible, cursorBefore.bVisible);
}

TEST_F(Panel, CtrlAltShiftHidesThePanelAndLettingGoShowsItAgain) {
    ConsoleSession session(FromMenu());
    const Screen before = OpenFromMenu(session);
    const Screen shown = session.Capture();
    session.KeyDown(VK_CONTROL, LEFT_CTRL_PRESSED);
    session.KeyDown(VK_MENU, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED);
    session.KeyDown(VK_SHIFT, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED);
    ASSERT_TRUE(WaitForPanelGone(session)) << session.Dump();
    EXPECT_TRUE(session.WaitFor([&] { return SameRows(session.Capture(), before, 0, statusRow - 1); }, 5000))
        << "the screen beneath, exactly\n" << session.Dump();

    session.KeyUp(VK_SHIFT, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED);
    ASSERT_TRUE(WaitForPanel(session)) << session.Dump();
    EXPECT_TRUE(session.WaitFor([&] { return SameRows(session.Capture(), shown, panelY, panelY + 12); }, 5000))
        << session.Dump();
    session.KeyUp(VK_MENU, LEFT_CTRL_PRESSED);
    session.KeyUp(VK_CONTROL, 0);
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitForRowText(statusRow, "closed")) << session.Dump();
}

// ---- the player ----------------------------------------------------------------------------------------------

TEST_F(Panel, ZSendsPreviousTrackOnce) {
    e2e::StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(WaitForPanel(session)) << session.Dump();
    session.PressKey('Z', 0, 'z');
    ASSERT_TRUE(player.WaitForLog([](const auto& log) { return CommandCount(log, 40044) >= 1; })) << session.Dump();
    Sleep(500);
    EXPECT_EQ(CommandCount(player.Log(), 40044), 1);
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitForRowText(statusRow, "closed")) << session.Dump();
}

TEST_F(Panel, HoldingTheMouseOnRewindResendsItAboutEvery50MsUntilLetGo) {
    e2e::StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(WaitForPanel(session)) << session.Dump();
    const int x = panelX + 4, y = panelY + 7;
    session.MouseEvent(x, y, FROM_LEFT_1ST_BUTTON_PRESSED);
    ASSERT_TRUE(player.WaitForLog([](const auto& log) { return CommandCount(log, 40061) >= 1; })) << session.Dump();
    Sleep(1000);
    session.MouseEvent(x, y, 0);
    Sleep(300);  // a re-send already on its way may still arrive
    const auto log = player.Log();
    const int held = CommandCount(log, 40061);
    Sleep(500);
    EXPECT_EQ(CommandCount(player.Log(), 40061), held) << "nothing after the release";

    std::vector<uint32_t> ticks;
    for (const auto& entry : log)
        if (entry.message == "WM_COMMAND" && entry.wParam == 40061) ticks.push_back(entry.tick);
    ASSERT_GE(ticks.size(), 6u) << "about twenty in a second";
    EXPECT_LE(ticks.size(), 40u);
    const double meanGap = static_cast<double>(ticks.back() - ticks.front()) / static_cast<double>(ticks.size() - 1);
    EXPECT_GT(meanGap, 30.0);
    EXPECT_LT(meanGap, 160.0);
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitForRowText(statusRow, "closed")) << session.Dump();
}

TEST_F(Panel, AltF4ClosesThePlayerAndASecondAltF4ClosesThePanel) {
    e2e::StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.WaitFor([&] { return session.Text(panelX + narrow - 1, panelY, 1) == Oem("╗"); }))
        << session.Dump();
    session.KeyDown(VK_MENU, LEFT_ALT_PRESSED);
    session.PressKey(VK_F4, LEFT_ALT_PRESSED);
    ASSERT_TRUE(player.WaitForExit(10000)) << "the player was asked to close";
    Sleep(500);
    EXPECT_FALSE(session.HostEnded());
    EXPECT_EQ(session.Text(panelX, panelY + 11, 1), Oem("╚")) << "the panel stays\n" << session.Dump();
    session.PressKey(VK_F4, LEFT_ALT_PRESSED);
    session.KeyUp(VK_MENU, 0);
    EXPECT_TRUE(session.WaitForRowText(statusRow, "closed")) << session.Dump();
}

}  // namespace
