// The stand-in player, as every later Windows test relies on it: a real "Winamp v1.x" window that answers the
// player's queries, acts on its commands, logs what it receives and misbehaves on request.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "standin_player.h"

namespace {

using e2e::StandinPlayer;

intptr_t Ask(HWND window, uintptr_t wParam, intptr_t lParam) {
    return static_cast<intptr_t>(static_cast<int32_t>(SendMessageA(window, WM_USER, wParam, lParam)));
}
void Command(HWND window, uintptr_t command) { SendMessageA(window, WM_COMMAND, command, 0); }
std::string Title(HWND window) {
    char text[256] = {};
    const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<size_t>(length));
}

// A question whose answer is an address in the player: the whole result, the player's width being ours.
uintptr_t AskAddress(HWND window, uintptr_t wParam, intptr_t lParam) {
    return static_cast<uintptr_t>(SendMessageA(window, WM_USER, wParam, lParam));
}

// The zero-terminated text of `Char`s at address in the player's memory, as another process reads it; what could
// be read, then "?" where reading failed.
template <typename Char>
std::basic_string<Char> ReadText(const StandinPlayer& player, uintptr_t address) {
    std::basic_string<Char> text;
    HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, player.ProcessId());
    if (!process) return {};
    for (;; address += sizeof(Char)) {
        Char c{};
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<const void*>(address), &c, sizeof c, &read) || read != sizeof c) {
            text += Char('?');
            break;
        }
        if (c == 0) break;
        text += c;
    }
    CloseHandle(process);
    return text;
}
std::string ReadTitle(const StandinPlayer& player, uintptr_t address) { return ReadText<char>(player, address); }

std::string WritePlaylist(const std::string& text) {
    std::string path = e2e::NewPlayerLogPath() + ".playlist";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(StandinPlayer, IsATopLevelWindowOfThePlayersClassWithThePlayersTitle) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), player.Window());
    EXPECT_EQ(GetAncestor(player.Window(), GA_ROOT), player.Window());
    EXPECT_EQ(GetParent(player.Window()), nullptr) << "not message-only";
    EXPECT_EQ(Title(player.Window()), "1. The Quavers - Opening Night - Winamp");
}

TEST(StandinPlayer, AnswersEveryQueryFromTheTrackItPlays) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND w = player.Window();
    EXPECT_EQ(Ask(w, 0, 104), 1) << "playing";
    EXPECT_EQ(Ask(w, 0, 125), 0) << "first in the list";
    EXPECT_EQ(Ask(w, 0, 126), 44) << "kHz";
    EXPECT_EQ(Ask(w, 1, 126), 128) << "kbps";
    EXPECT_EQ(Ask(w, 2, 126), 2) << "stereo";
    EXPECT_EQ(Ask(w, 1, 105), 215) << "length in seconds";
    EXPECT_EQ(Ask(w, 0, 250), 0) << "shuffle off";
    EXPECT_EQ(Ask(w, 0, 251), 1) << "repeat on";
    EXPECT_EQ(Ask(w, 0, 0), 0x5094) << "version";
    EXPECT_EQ(Ask(w, 0, 999), 0) << "an unknown query";

    const intptr_t before = Ask(w, 0, 105);
    Sleep(400);
    const intptr_t after = Ask(w, 0, 105);
    EXPECT_GE(after - before, 300) << "the position runs in real time while playing";
    EXPECT_LE(after - before, 3000);
}

TEST(StandinPlayer, CommandsMoveThroughThePlaylistAndChangeTheAnswers) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND w = player.Window();

    Command(w, 40048);  // next
    EXPECT_EQ(Ask(w, 0, 125), 1);
    EXPECT_EQ(Ask(w, 2, 126), 1) << "the second track is mono";
    EXPECT_EQ(Title(w), "2. Mono Brothers - Single Channel Blues - Winamp");
    Command(w, 40044);  // previous
    EXPECT_EQ(Title(w), "1. The Quavers - Opening Night - Winamp");
    Command(w, 40044);  // previous from the first wraps with repeat on
    EXPECT_EQ(Ask(w, 0, 125), 5);

    Command(w, 40046);  // pause
    EXPECT_EQ(Ask(w, 0, 104), 3);
    const intptr_t paused = Ask(w, 0, 105);
    Sleep(200);
    EXPECT_EQ(Ask(w, 0, 105), paused) << "a paused clock stands";
    Command(w, 40060);  // fast forward 5 s
    EXPECT_EQ(Ask(w, 0, 105), paused + 5000);
    Command(w, 40061);  // rewind 5 s
    EXPECT_EQ(Ask(w, 0, 105), paused);
    Command(w, 40061);
    EXPECT_EQ(Ask(w, 0, 105), 0) << "not before the start";
    Command(w, 40046);  // pause again resumes
    EXPECT_EQ(Ask(w, 0, 104), 1);

    Command(w, 40047);  // stop
    EXPECT_EQ(Ask(w, 0, 104), 0);
    EXPECT_EQ(Ask(w, 0, 105), 0);
    Command(w, 40045);  // play
    EXPECT_EQ(Ask(w, 0, 104), 1);

    Command(w, 40023);
    EXPECT_EQ(Ask(w, 0, 250), 1) << "shuffle toggled on";
    Command(w, 40022);
    EXPECT_EQ(Ask(w, 0, 251), 0) << "repeat toggled off";
    Command(w, 40145);  // open
    EXPECT_EQ(Ask(w, 0, 125), 0) << "back to the first track";
}

TEST(StandinPlayer, LogsEveryMessageOfTheInterfaceInOrderWithBothParameters) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND w = player.Window();
    const uintptr_t commands[] = {40044, 40045, 40046, 40047, 40048, 40145, 40061,
                                  40060, 40058, 40059, 40023, 40022, 40040, 40188};
    const DWORD before = GetTickCount();
    for (uintptr_t command : commands) Command(w, command);
    Ask(w, 2, 126);
    SendMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(player.WaitForExit(5000)) << "closes on WM_CLOSE";

    std::vector<e2e::PlayerLogEntry> received;
    for (const auto& entry : player.Log())
        if (entry.message == "WM_COMMAND" || entry.message == "WM_USER" || entry.message == "WM_CLOSE")
            received.push_back(entry);
    ASSERT_EQ(received.size(), std::size(commands) + 2);
    for (size_t i = 0; i < std::size(commands); ++i) {
        EXPECT_EQ(received[i].message, "WM_COMMAND");
        EXPECT_EQ(received[i].wParam, commands[i]);
        EXPECT_EQ(received[i].lParam, 0);
        EXPECT_LT(received[i].tick - before, 10000u) << "times are the system's tick count";
    }
    EXPECT_EQ(received[14].message, "WM_USER");
    EXPECT_EQ(received[14].wParam, 2u);
    EXPECT_EQ(received[14].lParam, 126);
    EXPECT_TRUE(received[14].answered);
    EXPECT_EQ(received[15].message, "WM_CLOSE");
}

TEST(StandinPlayer, PinnedAnswersVersionAndTitleOverrideThePlaylist) {
    StandinPlayer player({"--answer", "104=7", "--answer", "126.1=20000", "--answer", "105=-1", "--answer",
                          "125=0x7FFFFFFF", "--version", "2091", "--title", "Pinned - Winamp"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND w = player.Window();
    EXPECT_EQ(Ask(w, 0, 104), 7);
    EXPECT_EQ(Ask(w, 1, 126), 20000);
    EXPECT_EQ(Ask(w, 0, 126), 44) << "only the pinned pair";
    EXPECT_EQ(Ask(w, 0, 105), -1);
    EXPECT_EQ(Ask(w, 0, 125), 0x7FFFFFFF);
    EXPECT_EQ(Ask(w, 0, 0), 0x2091);
    Command(w, 40048);
    EXPECT_EQ(Title(w), "Pinned - Winamp") << "a pinned title stays through track changes";
}

TEST(StandinPlayer, PlaysAPlaylistFileAndMovesOnWhenATrackEnds) {
    const std::string path = WritePlaylist("# two short tracks\r\nFirst Artist|One|1|96|22|1\r\n\r\nSecond|Two|60|256|48|2\r\n");
    StandinPlayer player({"--playlist", path, "--state-in-title"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND w = player.Window();
    EXPECT_EQ(Ask(w, 1, 126), 96);
    EXPECT_EQ(Ask(w, 1, 105), 1);
    ASSERT_TRUE(player.WaitForLog([&](const auto&) { return Title(w) == "2. Second - Two - Winamp"; }, 5000))
        << Title(w);
    EXPECT_EQ(Ask(w, 0, 125), 1);
    Command(w, 40046);
    EXPECT_EQ(Title(w), "2. Second - Two - Winamp [Paused]");
    Command(w, 40047);
    EXPECT_EQ(Title(w), "2. Second - Two - Winamp [Stopped]");
    player.Terminate();
    DeleteFileA(path.c_str());
}

TEST(StandinPlayer, RefusesABadPlaylistOrOptionWithAnExitStatus) {
    const std::string path = WritePlaylist("Artist|Title|not a number|1|2|3\n");
    EXPECT_EQ(StandinPlayer::Run({"--playlist", path}), 2);
    EXPECT_EQ(StandinPlayer::Run({"--answer", "104"}), 2);
    EXPECT_EQ(StandinPlayer::Run({"--no-such-option"}), 2);
    EXPECT_EQ(StandinPlayer::Run({"--help"}), 0);
    DeleteFileA(path.c_str());
}

TEST(StandinPlayer, AutoAdvanceChangesTrackEveryFewHundredMilliseconds) {
    StandinPlayer player({"--auto-advance", "300"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Ask(player.Window(), 0, 125) >= 2; }, 5000));
}

// ---- the playlist's texts in the player's memory ------------------------------------------------------------

TEST(StandinPlayerTexts, TitlesHighLieWhereOnlyTheFullWidthOfAnAddressReaches) {
    StandinPlayer player({"--titles-high"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    // The player beside this program has its width: above 2 GiB for 32 bits, above 4 GiB for 64.
    const uintptr_t floor = sizeof(void*) == 4 ? 0x80000000u : static_cast<uintptr_t>(0x100000000ull);
    const uintptr_t first = AskAddress(player.Window(), 0, 212);
    const uintptr_t last = AskAddress(player.Window(), 5, 212);
    EXPECT_GE(first, floor);
    EXPECT_GE(last, floor);
    EXPECT_EQ(ReadTitle(player, first), "The Quavers - Opening Night");
    EXPECT_EQ(ReadTitle(player, last), "The Quavers - Closing Time");
    char note[64];
    std::snprintf(note, sizeof note, "titles at 0x%llx", static_cast<unsigned long long>(first));
    EXPECT_TRUE(player.WaitForLog([&](const auto& log) {
        return std::any_of(log.begin(), log.end(), [&](const auto& entry) { return entry.note == note; });
    })) << note;
}

// ---- fault modes ------------------------------------------------------------------------------------------

TEST(StandinPlayerFaults, AHungPlayerStopsAnsweringButKeepsItsWindow) {
    StandinPlayer player({"--hang-after", "1500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(player.Window(), WM_USER, 0, 104, SMTO_NORMAL, 1000, &answer), 0u);
    ASSERT_TRUE(player.WaitForLog([](const auto& log) {
        for (const auto& entry : log)
            if (entry.note == "hung") return true;
        return false;
    }));
    const DWORD start = GetTickCount();
    EXPECT_EQ(SendMessageTimeoutA(player.Window(), WM_USER, 0, 104, SMTO_NORMAL, 200, &answer), 0u);
    EXPECT_GE(GetTickCount() - start, 150u);
    EXPECT_TRUE(IsWindow(player.Window()));
    EXPECT_TRUE(player.Running());
}

TEST(StandinPlayerFaults, ASlowPlayerDelaysEveryAnswer) {
    StandinPlayer player({"--slow", "200"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const DWORD start = GetTickCount();
    EXPECT_EQ(Ask(player.Window(), 0, 104), 1);
    Command(player.Window(), 40048);
    EXPECT_GE(GetTickCount() - start, 380u);
}

TEST(StandinPlayerFaults, AnExitingPlayerTakesItsWindowWithIt) {
    StandinPlayer player({"--exit-after", "1500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND window = player.Window();
    EXPECT_TRUE(player.WaitForExit(10000));
    EXPECT_FALSE(IsWindow(window));
}

TEST(StandinPlayerFaults, ALateWindowAppearsOnlyAfterItsDelay) {
    StandinPlayer player(StandinPlayer::Options{{"--show-window-after", "2500"}, false, 0});
    ASSERT_TRUE(player.Running());
    Sleep(800);
    EXPECT_EQ(StandinPlayer::FindWindowOfProcess(player.ProcessId()), nullptr) << "running, but no window yet";
    ASSERT_TRUE(player.WaitForWindow(15000));
    const auto log = player.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].note.rfind("started", 0), 0u);
    EXPECT_EQ(log[1].note, "window created");
    EXPECT_GE(log[1].tick - log[0].tick, 1000u) << "counted from the process's creation";
}

// ---- registration -----------------------------------------------------------------------------------------

std::string RegisteredCommand() {
    char value[1024] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "Winamp.File\\shell\\open\\command", value, &size) != ERROR_SUCCESS)
        return "(none)";
    return value;
}

TEST(StandinPlayerRegistration, RegistersItsOwnQuotedPathAsTheOpenCommandAndRemovesItAgain) {
    ASSERT_EQ(RegisteredCommand(), "(none)") << "a registration left behind by another run";
    {
        e2e::RegisteredStandinPlayer registration;
        ASSERT_TRUE(registration.Registered());
        EXPECT_EQ(RegisteredCommand(), "\"" + StandinPlayer::ExecutablePath() + "\" \"%1\"");
    }
    EXPECT_EQ(RegisteredCommand(), "(none)");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Winamp.File", 0, KEY_READ, &key), ERROR_SUCCESS)
        << "the keys it made are gone too";
}

TEST(StandinPlayerRegistration, LeavesAnotherPlayersRegistrationAlone) {
    const char other[] = "\"C:\\Other\\player.exe\" \"%1\"";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "Winamp.File\\shell\\open\\command", REG_SZ, other, sizeof other - 1),
              ERROR_SUCCESS);
    EXPECT_EQ(StandinPlayer::Run({"--unregister"}), 1);
    EXPECT_EQ(RegisteredCommand(), other);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Winamp.File");
}

}  // namespace
