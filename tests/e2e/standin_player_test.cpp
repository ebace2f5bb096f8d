// The stand-in player, as every later Windows test relies on it: a real "Winamp v1.x" window that answers the
// player's queries, acts on its commands, logs what it receives and misbehaves on request.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
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
        const auto* at = reinterpret_cast<const void*>(address);
        if (!ReadProcessMemory(process, at, &c, sizeof c, &read) || read != sizeof c) {
            text += Char('?');
            break;
        }
        if (c == 0) break;
        text += c;
    }
    CloseHandle(process);
    return text;
}

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
    EXPECT_EQ(StandinPlayer::Run({"--title-cost", "1,5"}), 2);
    EXPECT_EQ(StandinPlayer::Run({"--help"}), 0);
    DeleteFileA(path.c_str());
}

TEST(StandinPlayer, AutoAdvanceChangesTrackEveryFewHundredMilliseconds) {
    StandinPlayer player({"--auto-advance", "300"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return Ask(player.Window(), 0, 125) >= 2; }, 5000));
}

// ---- the playlist's texts in the player's memory ------------------------------------------------------------

// The player's answer to a narrow question about this text.
std::string Ansi(const std::wstring& text) {
    char buffer[512] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), buffer,
                                           sizeof buffer, nullptr, nullptr);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring Wide(const std::string& ansi) {
    wchar_t wide[512] = {};
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), wide, 512);
    return std::wstring(wide, static_cast<size_t>(length > 0 ? length : 0));
}

// The text that question 212 (ANSI title), 213 (wide title) or 214 (wide path) points to, as wide text.
std::wstring ReadAnswer(const StandinPlayer& player, uintptr_t entry, intptr_t question) {
    const uintptr_t address = AskAddress(player.Window(), entry, question);
    return question == 212 ? Wide(ReadText<char>(player, address)) : ReadText<wchar_t>(player, address);
}

std::wstring WindowTitle(HWND window) {
    wchar_t text[256] = {};
    const LRESULT length = SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return std::wstring(text, static_cast<size_t>(length));
}

TEST(StandinPlayerTexts, TitlesAndPathsLieInThePlayersMemoryInTheirCoding) {
    const std::string playlist = WritePlaylist(
        "\xEF\xBB\xBF" "Ορχήστρα Αθηνών|Νυχτερινό Τραγούδι|233|256|44|2\r\n"
        "東京カルテット|夜明けの歌|244|320|48|2\r\n"
        "Clef Society|𝄞 Overture|199|256|44|2\r\n"
        "Caf\xE9 Noir|What? Yes: No|100|128|44|2\r\n");  // not UTF-8: an old file's ANSI line
    struct Check {
        uintptr_t entry;
        intptr_t question;
        std::wstring expected;
    };
    const struct {
        std::vector<std::string> arguments;
        int count;
        std::vector<Check> checks;
    } players[] = {
        {{}, 6,
         {{2, 212, L"Café Orchestra - Valse des Rêves"},
          {2, 213, L"Café Orchestra - Valse des Rêves"},
          {2, 214, L"C:\\Music\\Café Orchestra - Valse des Rêves.mp3"}}},
        {{"--playlist", playlist}, 4,
         {{0, 213, L"Ορχήστρα Αθηνών - Νυχτερινό Τραγούδι"},
          {1, 212, L"東京カルテット - 夜明けの歌"},
          {1, 214, L"C:\\Music\\東京カルテット - 夜明けの歌.mp3"},
          {2, 213, L"Clef Society - 𝄞 Overture"},
          {3, 213, L"Café Noir - What? Yes: No"},
          {3, 214, L"C:\\Music\\Café Noir - What_ Yes_ No.mp3"}}},
        {{"--entries", "100000"}, 100000,
         {{99999, 212, L"Artist 100000 - Title number 100000"},
          {99999, 213, L"Artist 100000 - Title number 100000"}}},
    };
    for (const auto& row : players) {
        StandinPlayer player(row.arguments);
        ASSERT_TRUE(player.Ready()) << player.Problem();
        EXPECT_EQ(Ask(player.Window(), 0, 124), row.count);
        for (const intptr_t question : {212, 213, 214})
            EXPECT_EQ(AskAddress(player.Window(), static_cast<uintptr_t>(row.count), question), 0u) << "past the end";
        for (const Check& check : row.checks) {
            // The narrow title is the ANSI code page's version, '?' for what it lacks.
            const std::wstring expected = check.question == 212 ? Wide(Ansi(check.expected)) : check.expected;
            EXPECT_EQ(ReadAnswer(player, check.entry, check.question), expected)
                << row.count << " entries, entry " << check.entry << ", question " << check.question;
        }
        if (row.count == 4) {
            EXPECT_EQ(WindowTitle(player.Window()), L"1. Ορχήστρα Αθηνών - Νυχτερινό Τραγούδι - Winamp")
                << "the window keeps every character";
        }
    }
    DeleteFileA(playlist.c_str());
}

TEST(StandinPlayerTexts, ASharedTitleBufferHoldsTheTitleAskedLast) {
    StandinPlayer player({"--shared-title-buffer"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    for (const intptr_t question : {212, 213}) {
        const uintptr_t first = AskAddress(player.Window(), 0, question);
        EXPECT_EQ(AskAddress(player.Window(), 5, question), first) << question;
        const std::wstring text =
            question == 212 ? Wide(ReadText<char>(player, first)) : ReadText<wchar_t>(player, first);
        EXPECT_EQ(text, L"The Quavers - Closing Time") << question;
    }
}

TEST(StandinPlayerTexts, TitlesHighLieWhereOnlyTheFullWidthOfAnAddressReaches) {
    StandinPlayer player({"--titles-high"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    // The player beside this program has its width: above 2 GiB for 32 bits, above 4 GiB for 64.
    const uintptr_t floor = sizeof(void*) == 4 ? 0x80000000u : static_cast<uintptr_t>(0x100000000ull);
    for (const intptr_t question : {212, 213, 214}) {
        EXPECT_GE(AskAddress(player.Window(), 0, question), floor) << question;
        EXPECT_GE(AskAddress(player.Window(), 5, question), floor) << question;
    }
    EXPECT_EQ(ReadAnswer(player, 0, 212), L"The Quavers - Opening Night");
    EXPECT_EQ(ReadAnswer(player, 5, 213), L"The Quavers - Closing Time");
    EXPECT_EQ(ReadAnswer(player, 5, 214), L"C:\\Music\\The Quavers - Closing Time.mp3");
    char note[64];
    std::snprintf(note, sizeof note, "titles at 0x%llx",
                  static_cast<unsigned long long>(AskAddress(player.Window(), 0, 212)));
    EXPECT_TRUE(player.WaitForLog([&](const auto& log) {
        return std::any_of(log.begin(), log.end(), [&](const auto& entry) { return entry.note == note; });
    })) << note;
}

TEST(StandinPlayerTexts, AppendsTakeAWidePathOrAnAnsiOneAndLogItInUtf8) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const wchar_t wide[] = L"C:\\曲\\夜明けの歌.mp3";
    const char ansi[] = "C:\\Caf\xE9.mp3";
    const COPYDATASTRUCT copies[] = {
        {1100, sizeof wide, const_cast<wchar_t*>(wide)},
        {1100, sizeof wide - sizeof(wchar_t), const_cast<wchar_t*>(wide)},  // without its zero
        {100, sizeof ansi, const_cast<char*>(ansi)},
    };
    for (const COPYDATASTRUCT& copy : copies)
        EXPECT_EQ(SendMessageA(player.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)), TRUE);
    EXPECT_EQ(Ask(player.Window(), 0, 124), 9);
    EXPECT_EQ(ReadAnswer(player, 7, 213), L"夜明けの歌");
    EXPECT_EQ(ReadAnswer(player, 7, 214), wide);
    EXPECT_EQ(ReadAnswer(player, 8, 213), L"Café");

    std::vector<std::string> copied;
    for (const std::string& line : player.LogLines()) {
        const size_t at = line.find(" WM_COPYDATA ");
        if (at != std::string::npos) copied.push_back(line.substr(at + 1));
    }
    EXPECT_EQ(copied, (std::vector<std::string>{"WM_COPYDATA 1100 C:\\曲\\夜明けの歌.mp3",
                                                "WM_COPYDATA 1100 C:\\曲\\夜明けの歌.mp3",
                                                "WM_COPYDATA 100 C:\\Caf\xC3\xA9.mp3"}));
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

// A lower bound on the player's own delay: what the options do, not a speed target.
TEST(StandinPlayerFaults, TitleQuestionsAndAppendsCostThePlayersTime) {
    StandinPlayer player({"--title-cost", "4.5", "--append-cost", "22.5"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) AskAddress(player.Window(), static_cast<uintptr_t>(i % 6), 212 + i % 3);
    const auto asked = std::chrono::steady_clock::now();
    const char path[] = "C:\\a.mp3";
    const COPYDATASTRUCT copy{100, sizeof path, const_cast<char*>(path)};
    for (int i = 0; i < 4; ++i) SendMessageA(player.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    const auto appended = std::chrono::steady_clock::now();
    using std::chrono::microseconds;
    EXPECT_GE(std::chrono::duration_cast<microseconds>(asked - start).count(), 85000) << "20 titles at 4.5 ms";
    EXPECT_GE(std::chrono::duration_cast<microseconds>(appended - asked).count(), 85000) << "4 appends at 22.5 ms";
}

TEST(StandinPlayerFaults, AnExitingPlayerTakesItsWindowWithIt) {
    StandinPlayer player({"--exit-after", "1500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND window = player.Window();
    EXPECT_TRUE(player.WaitForExit(10000));
    EXPECT_FALSE(IsWindow(window));
}

TEST(StandinPlayerFaults, ALateWindowAppearsOnlyAfterItsDelay) {
    StandinPlayer player(StandinPlayer::Options{{"--show-window-after", "2500"}, false, 0, {}});
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
