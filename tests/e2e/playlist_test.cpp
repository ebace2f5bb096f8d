// The playlist against the stand-in player and harsher players like it: J and the host's menu, add from the
// host's file list, and --status for scripts. Also the figure for opening the menu on a 20,000-entry playlist.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_session.h"
#include "host_run.h"
#include "standin_player.h"

using e2e::ConsoleSession;

namespace {

using e2e::HostRun;
using e2e::RunHost;

// How the run's module hands the player a path: the classic one in the ANSI code page (100), the wide one in
// UTF-16 (1100).
const std::string copyData = e2e::WideModuleRun() ? " WM_COPYDATA 1100 " : " WM_COPYDATA 100 ";

// The playlist's own messages and the commands, in order: "121 1", "command 40045", "copy <path>".
std::vector<std::string> Orders(const e2e::StandinPlayer& player) {
    std::vector<std::string> orders;
    for (const std::string& line : player.LogLines()) {
        e2e::PlayerLogEntry entry;
        const size_t copy = line.find(copyData);
        if (copy != std::string::npos) {
            orders.push_back("copy " + line.substr(copy + copyData.size()));
        } else if (e2e::ParsePlayerLogLine(line, entry)) {
            if (entry.message == "WM_COMMAND") orders.push_back("command " + std::to_string(entry.wParam));
            if (entry.message == "WM_USER" && entry.lParam == 121) orders.push_back("121 " + std::to_string(entry.wParam));
        }
    }
    return orders;
}

// Esc closes the panel, F10 the host's menu.
void Quit(ConsoleSession& session) {
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitForText("F10 Quit")) << session.Dump();
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
}

class Playlist : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0)); }
    e2e::ScopedModuleSettings settings;
};

TEST_F(Playlist, JThenDownAndEnterPlaysTheNextEntry) {
    e2e::StandinPlayer player({"--playlist", e2e::TestFolder() + "demo-playlist.txt"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
    session.PressKey('J', 0, 'j');
    ASSERT_TRUE(session.WaitForText("4. Simon & Garfunkel Tribute Band")) << session.Dump();
    ASSERT_TRUE(session.WaitForText(" Winamp ")) << "titled with the player's name\n" << session.Dump();
    session.PressKey(VK_DOWN);
    session.PressKey(VK_RETURN, 0, '\r');
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Orders(player).size() >= 2; })) << session.Dump();
    EXPECT_EQ(Orders(player), (std::vector<std::string>{"121 1", "command 40045"}));
    Quit(session);
}

TEST_F(Playlist, AddSendsTheTwoSelectedFilesAndAStoppedPlayerPlaysTheFirst) {
    e2e::StandinPlayer player({"--state", "stop"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HostRun run = RunHost({"--select", "quaver_en.lng", "--select", "quaver.dll", "--command", "add"});
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Orders(player).size() >= 4; }));
    const std::string folder = e2e::TestFolder();
    EXPECT_EQ(Orders(player), (std::vector<std::string>{"copy " + folder + "quaver.dll", "copy " + folder + "quaver_en.lng",
                                                        "121 6", "command 40045"}))
        << "in the list's order; the default playlist had 6 entries";
}

// The host hands each module the file list's names in its own coding: the classic one in the OEM code page, which
// it turns into the player's ANSI, the wide one in UTF-16; either way the player gets the name as it is.
TEST_F(Playlist, AFileNameWithAccentsReachesThePlayerAsItIs) {
    e2e::StandinPlayer player({"--state", "stop"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const std::string name = "Caf\xC3\xA9 Cr\xC3\xA8me.mp3";  // UTF-8, as the player logs it
    const std::wstring path = e2e::Utf16(e2e::TestFolder() + name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const HostRun run = RunHost({"--select", name, "--command", "add"});
    DeleteFileW(path.c_str());
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Orders(player).size() >= 3; }));
    EXPECT_EQ(Orders(player), (std::vector<std::string>{"copy " + e2e::TestFolder() + name, "121 6", "command 40045"}));
}

TEST_F(Playlist, StatusPrintsOneLineAndFollowPrintsEachChangeUntilThePlayerGoes) {
    HostRun run = RunHost({"--status"});
    EXPECT_EQ(run.exitCode, 5u) << "no player";
    EXPECT_NE(run.errors.find("no player"), std::string::npos) << run.errors;

    {
        e2e::StandinPlayer player;
        ASSERT_TRUE(player.Ready()) << player.Problem();
        run = RunHost({"--status"});
        EXPECT_EQ(run.exitCode, 0u) << run.errors;
        EXPECT_EQ(run.errors.rfind("playing 1/6 0:0", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find("/3:35 The Quavers - Opening Night"), std::string::npos) << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << "one line";
    }
    e2e::StandinPlayer player({"--auto-advance", "1000", "--exit-after", "4500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    run = RunHost({"--status", "--follow", "--format", "{track} {volume}%"});
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    std::vector<int> tracks;
    for (size_t at = 0, end; (end = run.errors.find('\n', at)) != std::string::npos; at = end + 1) {
        int track = 0;
        char rest[8] = {};
        EXPECT_EQ(std::sscanf(run.errors.substr(at, end - at).c_str(), "%d %7s", &track, rest), 2) << run.errors;
        EXPECT_STREQ(rest, "78%");
        if (!tracks.empty()) {
            EXPECT_NE(track, tracks.back()) << "a line only when the text changed";
        }
        tracks.push_back(track);
    }
    EXPECT_GE(tracks.size(), 2u) << run.errors;
}

TEST_F(Playlist, APlayerThatAnswersEveryTitleFromOneBufferStillListsEachEntrysOwnTitle) {
    e2e::StandinPlayer player({"--playlist", e2e::TestFolder() + "demo-playlist.txt", "--shared-title-buffer"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
    session.PressKey('J', 0, 'j');
    ASSERT_TRUE(session.WaitForText("1. The Quavers - Opening Night")) << session.Dump();
    EXPECT_TRUE(session.WaitForText("2. Mono Brothers - Single Channel Blues")) << session.Dump();
    EXPECT_TRUE(session.WaitForText("4. Simon & Garfunkel Tribute Band")) << session.Dump();
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitFor([&] { return session.FindRow("1. The Quavers -") < 0; })) << session.Dump();
    Quit(session);
}

// The menu of a long list comes before its titles are all read: the current entry and its neighbours are read
// first, the rest shows `Track N` until the TitleThread has it. Prints the figure for the README.
TEST_F(Playlist, TheMenuOf20000EntriesAt1MsATitleShowsTheNearTitlesWithoutWaitingForTheRest) {
    e2e::StandinPlayer player({"--entries", "20000", "--title-cost", "1"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
    const auto start = std::chrono::steady_clock::now();
    session.PressKey('J', 0, 'j');
    ASSERT_TRUE(session.WaitForText("1. Artist 1 - Title number 1", 30000)) << session.Dump();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const int asked = player.TitlesAsked();
    std::printf("[ FIGURE   ] J to the menu on screen, 20,000 entries at 1 ms a title: %lld ms (%d titles read by then)\n",
                static_cast<long long>(elapsed.count()), asked);
    RecordProperty("menu_ms", static_cast<int>(elapsed.count()));
    EXPECT_TRUE(session.WaitForText("11. Artist 11 - Title number 11", 2000)) << "ten after the current one\n"
                                                                              << session.Dump();
    EXPECT_LT(asked, 20000) << "the menu did not wait for every title";
    session.PressKey(VK_ESCAPE);
    // Keys pressed before the menu has gone are the menu's.
    EXPECT_TRUE(session.WaitFor([&] { return session.FindRow("1. Artist 1 -") < 0; })) << session.Dump();
    Quit(session);
}

TEST_F(Playlist, OnceTheTitleThreadHasReadThemAllTheMenuShowsEveryTitle) {
    e2e::StandinPlayer player({"--entries", "1500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession session;
    ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
    ASSERT_TRUE(player.WaitForLog([&](const auto&) { return player.TitlesAsked() >= 1500; }, 120000))
        << player.TitlesAsked() << " titles read";
    session.PressKey('J', 0, 'j');
    ASSERT_TRUE(session.WaitForText("1. Artist 1 - Title number 1")) << session.Dump();
    session.PressKey(VK_END);
    EXPECT_TRUE(session.WaitForText("1500. Artist 1500 - Title number 1500")) << session.Dump();
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitFor([&] { return session.FindRow("1. Artist 1 -") < 0; })) << session.Dump();
    Quit(session);
}

TEST_F(Playlist, TwelveFilesToAPlayerTaking250MsAnAppendAllArriveInOrder) {
    e2e::StandinPlayer player({"--append-cost", "250", "--state", "stop"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    // Twelve files of the host's own folder, in the order its file list shows them.
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((e2e::TestFolder() + "*.exe").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    ASSERT_GE(names.size(), 12u);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    names.resize(12);
    std::vector<std::string> arguments;
    for (const std::string& name : names) arguments.insert(arguments.end(), {"--select", name});
    arguments.insert(arguments.end(), {"--command", "add"});
    const HostRun run = RunHost(arguments);
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_NE(run.errors.find("12 of 12 files added"), std::string::npos) << run.errors;
    std::vector<std::string> expected;
    for (const std::string& name : names) expected.push_back("copy " + e2e::TestFolder() + name);
    expected.insert(expected.end(), {"121 6", "command 40045"});
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Orders(player).size() >= expected.size(); }));
    EXPECT_EQ(Orders(player), expected) << "in the list's order, then the first of them played";
}

TEST_F(Playlist, StatusWritesATitleToTheConsoleInItsOwnCharacters) {
    e2e::StandinPlayer player({"--title", "3. Caf\xE9 Orchestra - Valse - Winamp"});  // ANSI, as this program starts it
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession::Options options;
    options.arguments = {"--status", "--format", "[{title}]"};
    options.standardHandlesOnConsole = true;
    ConsoleSession session(options);
    ASSERT_TRUE(session.WaitForText("[Caf\x82 Orchestra - Valse]")) << "the OEM console's e acute\n" << session.Dump();
}

}  // namespace
