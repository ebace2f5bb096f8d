// The About box in the real host, over the open panel with the stand-in player running: it hides the
// panel, its Help button opens the "Hotkeys" help, and the panel comes back only afterwards, without the
// keys that were meant for the dialog or the viewer.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "console_session.h"
#include "quaver_version.h"
#include "standin_player.h"

using e2e::ConsoleSession;

namespace {

constexpr char PanelMark[] = " Track Time ";  // the panel's time label (elapsed time on an empty store)
constexpr char AboutMark[] = "Quaver Remote Control";
constexpr char HelpMark[] = "Quaver Control: keys and mouse";   // the title of the help's Hotkeys topic
constexpr char SettingsMark[] = "Quaver Control: settings";     // and of its Config topic
constexpr unsigned StopCommand = 40047;  // what V sends to the player

class AboutBoxInHost : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(player.Ready()) << player.Problem();
        session = std::make_unique<ConsoleSession>();
        ASSERT_TRUE(session->Ready() && session->Launched()) << session->Problem();
        ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    }
    void TearDown() override {
        if (!session || !session->Launched()) return;
        session->PressKey(VK_ESCAPE);  // closes the panel
        session->WaitForRowText(24, "F10 Quit");
        session->PressKey(VK_F10);
        session->WaitForExit();
    }

    bool Shows(const char* text) const { return session->FindRow(text) >= 0; }
    int StopsSent() const {
        int stops = 0;
        for (const e2e::PlayerLogEntry& entry : player.Commands()) stops += entry.wParam == StopCommand;
        return stops;
    }
    // Waits until the About box is up and the panel has stepped aside.
    void OpenAboutBox() {
        session->PressKey(VK_F1);
        ASSERT_TRUE(session->WaitForText(AboutMark)) << session->Dump();
        EXPECT_FALSE(Shows(PanelMark)) << "the panel is hidden under the About box\n" << session->Dump();
    }

    e2e::ScopedModuleSettings settings;
    e2e::StandinPlayer player;
    std::unique_ptr<ConsoleSession> session;
};

TEST_F(AboutBoxInHost, OkClosesItAndThePanelComesBack) {
    OpenAboutBox();
    EXPECT_TRUE(Shows(quaver::aboutVersionLine));
    EXPECT_TRUE(Shows(" OK ") && Shows(" Help "));
    session->PressKey(VK_RETURN);  // OK has the focus
    ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    EXPECT_FALSE(Shows(AboutMark));
    EXPECT_FALSE(Shows(HelpMark)) << "OK opens no help";
}

TEST_F(AboutBoxInHost, EscClosesOnlyTheAboutBoxNotThePanel) {
    OpenAboutBox();
    session->PressKey(VK_ESCAPE);
    ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    Sleep(500);
    EXPECT_TRUE(Shows(PanelMark)) << "the panel stays open\n" << session->Dump();
    EXPECT_FALSE(Shows(HelpMark));
}

TEST_F(AboutBoxInHost, HelpShowsTheHotkeysAndThePanelReturnsOnlyAfterTheViewerWithoutItsKeys) {
    OpenAboutBox();
    const int y = session->FindRow(" Help ");
    ASSERT_GE(y, 0);
    session->Click(static_cast<int>(session->Row(y).find(" Help ")) + 2, y);
    ASSERT_TRUE(session->WaitForText(HelpMark)) << session->Dump();
    EXPECT_TRUE(Shows("previous track")) << session->Dump();
    EXPECT_FALSE(Shows(AboutMark));
    session->PressKey(VK_NEXT);  // the viewer scrolls; the panel does not see the key
    Sleep(300);
    EXPECT_FALSE(Shows(PanelMark)) << "the panel waits for the viewer\n" << session->Dump();

    // Esc and V typed together: the viewer takes Esc, and V must not reach the panel afterwards.
    INPUT_RECORD keys[4]{};
    const WORD codes[4] = {VK_ESCAPE, VK_ESCAPE, 'V', 'V'};
    const char characters[4] = {27, 27, 'v', 'v'};
    for (int i = 0; i < 4; ++i) {
        keys[i].EventType = KEY_EVENT;
        keys[i].Event.KeyEvent.bKeyDown = i % 2 == 0;
        keys[i].Event.KeyEvent.wRepeatCount = 1;
        keys[i].Event.KeyEvent.wVirtualKeyCode = codes[i];
        keys[i].Event.KeyEvent.uChar.AsciiChar = characters[i];
    }
    const int stopsBefore = StopsSent();
    session->WriteEvents(keys, 4);
    ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    EXPECT_FALSE(Shows(HelpMark));
    Sleep(1000);
    EXPECT_EQ(StopsSent(), stopsBefore) << "the V typed into the viewer was dropped";

    session->PressKey('V', 0, 'v');  // and the panel does take a V of its own
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return StopsSent() > stopsBefore; }, 10000))
        << "the panel works again\n" << session->Dump();
}


TEST_F(AboutBoxInHost, HelpLinksLeadToTheirTopicsAndBackspaceReturns) {
    OpenAboutBox();
    const int y = session->FindRow(" Help ");
    ASSERT_GE(y, 0);
    session->Click(static_cast<int>(session->Row(y).find(" Help ")) + 2, y);
    ASSERT_TRUE(session->WaitForText(HelpMark)) << session->Dump();
    session->PressKey(VK_RETURN);  // the first link shown: the settings
    ASSERT_TRUE(session->WaitForText(SettingsMark)) << session->Dump();
    EXPECT_FALSE(Shows(HelpMark));
    session->PressKey(VK_BACK);
    ASSERT_TRUE(session->WaitForText(HelpMark)) << session->Dump();
    session->PressKey(VK_TAB);  // the next link: the contents
    session->PressKey(VK_RETURN);
    ASSERT_TRUE(session->WaitForText("what each key and click does")) << session->Dump();
    session->PressKey(VK_TAB, SHIFT_PRESSED);  // round to the contents' last link: the command line
    session->PressKey(VK_RETURN);
    ASSERT_TRUE(session->WaitForText("Quaver Control: the command line")) << session->Dump();
    session->PressKey(VK_ESCAPE);  // closes the viewer at once, however deep
    ASSERT_TRUE(session->WaitForText(PanelMark)) << session->Dump();
    EXPECT_FALSE(Shows("Quaver Control: the command line"));
}

}  // namespace
