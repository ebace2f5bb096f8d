// The wide module in quaver-host.exe with a player whose titles and files are named in Japanese: the title
// line and the playlist menu show them as the player has them, and a file of such a name reaches the player
// through add. Run with the wide module only (QUAVER_E2E_MODULE=wide).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "command_line.h"
#include "console_session.h"
#include "host_run.h"
#include "standin_player.h"

using e2e::ConsoleSession;

namespace {

constexpr int PanelX = 23, PanelY = 5, PanelWidth = 34;
constexpr int TitleLineRow = PanelY + 5;
const std::string artist = "東京カルテット";
const std::string title = "夜明けの歌";

class WideTitles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::WideModuleRun()) << "these cases are for the wide module";
        ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0));
        ASSERT_TRUE(e2e::SetModuleSetting("ScrollMode", 0));  // centred: the title stands still to be read
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        playlist = std::string(temp) + "quaver-japanese-" + std::to_string(GetCurrentProcessId()) + ".txt";
        std::ofstream(playlist, std::ios::binary) << artist << "|" << title << "|244|320|48|2\n"
                                                  << "The Quavers|Opening Night|215|128|44|2\n";
    }
    void TearDown() override { DeleteFileA(playlist.c_str()); }

    e2e::ScopedModuleSettings settings;
    std::string playlist;
};

TEST_F(WideTitles, AJapaneseTitleShowsInTheTitleLineAndInThePlaylistMenu) {
    e2e::StandinPlayer player({"--playlist", playlist});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
    const std::string shown = artist + " - " + title;  // 27 cells: the two Japanese words take two a character
    ASSERT_TRUE(session.WaitFor([&] {
        return session.Glyphs(PanelX, TitleLineRow, PanelWidth).find(shown) != std::string::npos;
    })) << session.Dump();
    session.PressKey('J', 0, 'j');
    ASSERT_TRUE(session.WaitForGlyphs("1. " + shown)) << session.Dump();
    EXPECT_NE(session.FindGlyphRow("2. The Quavers - Opening Night"), -1) << session.Dump();
    session.PressKey(VK_ESCAPE);
    ASSERT_TRUE(session.WaitFor([&] { return session.FindGlyphRow("1. " + shown) < 0; })) << session.Dump();
    session.PressKey(VK_ESCAPE);
    ASSERT_TRUE(session.WaitForText("F10 Quit")) << session.Dump();
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
}

TEST_F(WideTitles, AFileWithAJapaneseNameReachesThePlayerThroughAdd) {
    e2e::StandinPlayer player({"--state", "stop"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const std::string name = title + ".mp3";
    const std::string path = e2e::TestFolder() + name;
    HANDLE file = CreateFileW(e2e::Utf16(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const e2e::HostRun run = e2e::RunHost({"--select", name, "--command", "add"});
    DeleteFileW(e2e::Utf16(path).c_str());
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    const std::string sent = " WM_COPYDATA 1100 " + path;
    EXPECT_TRUE(player.WaitForLog([&](const auto&) {
        const auto lines = player.LogLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(sent) != std::string::npos; });
    })) << "the path in UTF-16, every character as it is";
}

}  // namespace
