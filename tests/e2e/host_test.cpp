// quaver-host.exe in a real console: its own screens, the module it loads, and the services it offers.
// The services are worked by host-probe.dll, a module that calls them on cue (QUAVER_PROBE names the
// scenario) and waits for a key between steps, naming each step in the console's title.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_session.h"
#include "host/host_api.h"
#include "host_run.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::Screen;
using e2e::ShownBuffer;

namespace {

constexpr char ProbeModule[] = "host-probe.dll";
constexpr int Width = 80;
constexpr int Height = 25;
constexpr int StatusRow = Height - 2;
constexpr int KeyBarRow = Height - 1;

ConsoleSession::Options HostWith(std::vector<std::string> arguments, const char* scenario = nullptr) {
    ConsoleSession::Options options;
    options.arguments = std::move(arguments);
    if (scenario) options.environment = {{"QUAVER_PROBE", scenario}};
    return options;
}

// The probe's panel opens at once and waits at its first step.
ConsoleSession::Options ProbeScenario(const char* scenario) { return HostWith({"--module", ProbeModule}, scenario); }

bool SameRows(const Screen& a, const Screen& b, int first, int last) {
    for (int y = first; y <= last; ++y)
        if (a.rows[y] != b.rows[y] || a.attributes[y] != b.attributes[y]) return false;
    return true;
}

int Column(const std::string& row, const std::string& text) {
    const size_t at = row.find(text);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

using e2e::HostRun;
using e2e::RunHost;

void QuitFromMenu(ConsoleSession& session) {
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    session.PressKey(VK_F10);
    DWORD code = 99;
    ASSERT_TRUE(session.WaitForExit(20000, &code)) << session.Dump();
    EXPECT_EQ(code, 0u);
}

}  // namespace

// ---- start-up, menu and exit -------------------------------------------------------------------------

TEST(HostScreen, ShowsTitleBarTwoPanesStatusAndMenu) {
    ConsoleSession session(HostWith({"--menu", "--module", ProbeModule}));
    ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "Enter Open panel")) << session.Dump();
    EXPECT_NE(session.Row(0).find("Quaver Host - Host Probe"), std::string::npos) << session.Dump();
    EXPECT_NE(session.Title().find("Quaver Host - Host Probe"), std::string::npos) << session.Title();
    EXPECT_NE(session.Row(KeyBarRow).find("F9 Configure"), std::string::npos);
    EXPECT_NE(session.Row(KeyBarRow).find("F10 Quit"), std::string::npos);
    EXPECT_NE(session.Row(StatusRow).find("Enter opens Host Probe"), std::string::npos) << session.Dump();
    // Two double frames side by side, and the module's menu entry listed in the right one.
    const std::string top = session.Row(1);
    EXPECT_EQ(top[0], '\xC9');
    EXPECT_EQ(top[Width / 2 - 1], '\xBB');
    EXPECT_EQ(top[Width / 2], '\xC9');
    EXPECT_EQ(top[Width - 1], '\xBB');
    EXPECT_NE(session.Row(3).find("\xBAHost Probe "), std::string::npos) << "the first entry of the right pane";
    EXPECT_NE(session.Row(2).find("Name"), std::string::npos);
    QuitFromMenu(session);
}

TEST(HostScreen, EscQuitsAndSoDoesAClickOnQuit) {
    {
        ConsoleSession session(HostWith({"--menu", "--module", ProbeModule}));
        ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
        session.PressKey(VK_ESCAPE);
        DWORD code = 99;
        ASSERT_TRUE(session.WaitForExit(20000, &code)) << session.Dump();
        EXPECT_EQ(code, 0u);
    }
    {
        ConsoleSession session(HostWith({"--menu", "--module", ProbeModule}));
        ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
        session.Click(Column(session.Row(KeyBarRow), "Quit"), KeyBarRow);
        DWORD code = 99;
        ASSERT_TRUE(session.WaitForExit(20000, &code)) << session.Dump();
        EXPECT_EQ(code, 0u);
    }
}

TEST(HostScreen, IgnoresKeysFocusAndClicksThatMeanNothing) {
    ConsoleSession session(HostWith({"--menu", "--module", ProbeModule}));
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    const Screen before = session.Capture();
    session.PressKey('A', 0, 'a');
    session.Focus(false);
    session.Focus(true);
    session.Click(40, 10);
    session.MouseEvent(5, KeyBarRow, 0, MOUSE_MOVED);
    Sleep(500);
    EXPECT_FALSE(session.HostEnded());
    EXPECT_TRUE(session.Capture() == before) << session.Dump();
    QuitFromMenu(session);
}

TEST(HostScreen, ConsoleIsPutBackAsItWasAtExit) {
    ConsoleSession::Options options = HostWith({"--menu", "--module", ProbeModule});
    options.launch = false;
    ConsoleSession session(options);
    ASSERT_TRUE(session.Ready()) << session.Problem();
    DWORD written = 0;
    WriteConsoleOutputCharacterA(session.UserBuffer(), "left behind by the shell", 24, COORD{3, 7}, &written);
    const DWORD mode = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_EXTENDED_FLAGS |
                       ENABLE_QUICK_EDIT_MODE;
    ASSERT_TRUE(SetConsoleMode(session.Input(), mode));
    const CONSOLE_CURSOR_INFO cursor{50, TRUE};
    ASSERT_TRUE(SetConsoleCursorInfo(session.UserBuffer(), &cursor));
    SetConsoleTitleA("shell title");
    const Screen before = session.Capture();
    const DWORD modeBefore = session.InputMode();

    ASSERT_TRUE(session.Launch(options.arguments)) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    // While the host runs: mouse input on, quick edit off (it would eat the clicks), cursor hidden.
    EXPECT_TRUE(session.InputMode() & ENABLE_MOUSE_INPUT);
    EXPECT_FALSE(session.InputMode() & ENABLE_QUICK_EDIT_MODE);
    EXPECT_FALSE(session.CursorInfo().bVisible);
    EXPECT_EQ(GetConsoleOutputCP(), 437u);

    QuitFromMenu(session);
    EXPECT_EQ(session.InputMode(), modeBefore);
    EXPECT_TRUE(session.CursorInfo().bVisible);
    EXPECT_EQ(session.CursorInfo().dwSize, 50u);
    EXPECT_EQ(session.Title(), "shell title");
    EXPECT_TRUE(session.Capture() == before) << session.Dump();
}

// Killed with the module's panel up, the host leaves the user's buffer with its size, window, cursor, contents
// and scrollback as they were. (Nothing of the host runs then: Wine keeps showing the dead host's buffer,
// where Windows' console shows the user's again once the last handle to the host's is gone.)
TEST(HostScreen, KilledWithThePanelOpenItLeavesTheUsersBufferAndScrollbackIntact) {
    e2e::ScopedModuleSettings settings;
    ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0));
    constexpr int Rows = 300;
    ConsoleSession::Options options;
    options.launch = false;
    options.bufferHeight = Rows;
    ConsoleSession session(options);
    ASSERT_TRUE(session.Ready()) << session.Problem();
    // A shell's scrollback: a known line in its own colour on every row, the window at the end.
    const HANDLE user = session.UserBuffer();
    for (int y = 0; y < Rows; ++y) {
        const std::string line = "line " + std::to_string(y) + " of the user's scrollback";
        const COORD at{0, static_cast<SHORT>(y)};
        DWORD written = 0;
        WriteConsoleOutputCharacterA(user, line.c_str(), static_cast<DWORD>(line.size()), at, &written);
        FillConsoleOutputAttribute(user, static_cast<WORD>(1 + y % 15), static_cast<DWORD>(line.size()), at,
                                   &written);
    }
    const SMALL_RECT end{0, Rows - Height, Width - 1, Rows - 1};
    ASSERT_TRUE(SetConsoleWindowInfo(user, TRUE, &end));
    ASSERT_TRUE(SetConsoleCursorPosition(user, COORD{7, Rows - 1}));
    CONSOLE_SCREEN_BUFFER_INFO before{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(user, &before));
    const Screen contents = session.CaptureUserBuffer();

    ASSERT_TRUE(session.Launch({})) << session.Problem();
    ASSERT_TRUE(session.WaitFor([&] { return session.Text(23, 5, 5) == "\xC9\xCD[\xFE]"; })) << session.Dump();
    ASSERT_TRUE(TerminateProcess(session.Process(), 1));
    ASSERT_TRUE(session.WaitForExit());

    CONSOLE_SCREEN_BUFFER_INFO after{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(user, &after));
    EXPECT_EQ(after.dwSize.X, before.dwSize.X);
    EXPECT_EQ(after.dwSize.Y, before.dwSize.Y);
    EXPECT_EQ(after.srWindow.Top, before.srWindow.Top);
    EXPECT_EQ(after.srWindow.Bottom, before.srWindow.Bottom);
    EXPECT_EQ(after.dwCursorPosition.X, before.dwCursorPosition.X);
    EXPECT_EQ(after.dwCursorPosition.Y, before.dwCursorPosition.Y);
    EXPECT_TRUE(session.CaptureUserBuffer() == contents);
}

TEST(HostScreen, DrawsOnABufferOfTheWindowsSizeAndLeavesTheUsersTallerOneAlone) {
    ConsoleSession::Options options = HostWith({"--menu", "--module", ProbeModule});
    options.bufferHeight = 60;
    ConsoleSession session(options);
    ASSERT_TRUE(session.Ready()) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    EXPECT_EQ(session.Size().X, Width);
    EXPECT_EQ(session.Size().Y, Height);
    EXPECT_EQ(session.CaptureUserBuffer().height, 60);
    QuitFromMenu(session);
    EXPECT_EQ(session.Size().Y, 60);
}

TEST(HostScreen, RedrawsItselfWhenTheConsoleIsResized) {
    ConsoleSession session(HostWith({"--menu", "--module", ProbeModule}));
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    {
        const ShownBuffer shown;
        ASSERT_TRUE(SetConsoleScreenBufferSize(shown.Get(), COORD{100, 30}));
        SMALL_RECT window{0, 0, 99, 29};
        SetConsoleWindowInfo(shown.Get(), TRUE, &window);
    }
    ASSERT_TRUE(session.WaitForRowText(29, "F10 Quit")) << session.Dump();
    EXPECT_EQ(session.Row(1)[99], '\xBB') << "the right pane reaches the new edge";
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
    EXPECT_EQ(session.Size().X, Width) << "the size the host found comes back";
    EXPECT_EQ(session.Size().Y, Height);
}

TEST(HostScreen, FitsAResizeThatHappenedWhileTheModuleHadTheConsole) {
    ConsoleSession session(ProbeScenario("info"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    {
        const ShownBuffer shown;
        ASSERT_TRUE(SetConsoleScreenBufferSize(shown.Get(), COORD{100, 30}));
        SMALL_RECT window{0, 0, 99, 29};
        SetConsoleWindowInfo(shown.Get(), TRUE, &window);
    }
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:info")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(29, "F10 Quit")) << session.Dump();
    EXPECT_EQ(session.Row(1)[99], '\xBB');
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
}

TEST(HostCommandLine, RefusesUnknownOptionsAndMissingModules) {
    struct Case {
        std::vector<std::string> arguments;
        DWORD exitCode;
    };
    const Case cases[] = {
        {{"--bogus"}, 1},
        {{"--module"}, 1},
        {{"--menu", "--configure"}, 1},
        {{"--module", "no-such-module.dll"}, 2},
        {{"--module", "quaver-host.exe"}, 2},  // loads, but has none of the exports
    };
    for (const Case& c : cases) {
        ConsoleSession session(HostWith(c.arguments));
        ASSERT_TRUE(session.Launched()) << session.Problem();
        DWORD code = 99;
        ASSERT_TRUE(session.WaitForExit(20000, &code)) << c.arguments[0];
        EXPECT_EQ(code, c.exitCode) << c.arguments[0];
    }
}

TEST(HostCommandLine, RefusesADamagedLanguageFileRatherThanShowWrongTexts) {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + "quaver-damaged-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string module = folder + "quaver.dll";
    const std::string language = folder + "quaver_en.lng";
    ASSERT_TRUE(CopyFileA((e2e::TestFolder() + "quaver.dll").c_str(), module.c_str(), FALSE));
    HANDLE file = CreateFileA(language.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char damaged[] = ".Language=English,English\r\n\"first\"\r\n\"no closing quote\r\n";
    DWORD written = 0;
    WriteFile(file, damaged, sizeof damaged - 1, &written, nullptr);
    CloseHandle(file);
    {
        ConsoleSession session(HostWith({"--module", module}));
        ASSERT_TRUE(session.Launched()) << session.Problem();
        DWORD code = 99;
        EXPECT_TRUE(session.WaitForExit(20000, &code));
        EXPECT_EQ(code, 4u) << "the module's own folder is searched first, and its file is damaged";
    }
    DeleteFileA(language.c_str());
    DeleteFileA(module.c_str());
    RemoveDirectoryA(folder.c_str());
}

// ---- the module's entry points ------------------------------------------------------------------------

TEST(HostModule, PanelThatReturnsAtOnceLeavesTheMenu) {
    ConsoleSession session(HostWith({"--module", ProbeModule}, "none"));
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "Host Probe closed.")) << session.Dump();
    EXPECT_NE(session.Row(KeyBarRow).find("Enter Open panel"), std::string::npos);
    // Enter opens it again, and again it comes back.
    session.PressKey(VK_F9);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:configure")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "Configuration saved.")) << session.Dump();
    session.PressKey(VK_RETURN);
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "Host Probe closed.")) << session.Dump();
    QuitFromMenu(session);
}

TEST(HostModule, ConfigureOptionRunsTheConfigurationFirst) {
    ConsoleSession session(HostWith({"--configure", "--module", ProbeModule}));
    ASSERT_TRUE(session.WaitForRowText(0, "probe:configure")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "Configuration saved.")) << session.Dump();
    QuitFromMenu(session);
}

TEST(HostModule, LoadsQuaverDllFromItsFolderAndOffersItsPanel) {
    e2e::ScopedModuleSettings settings;
    ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0)) << "no player is started behind the test's back";

    ConsoleSession session(HostWith({}));
    ASSERT_TRUE(session.Launched()) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(0, "Quaver Host - Quaver Control")) << session.Dump();
    // The panel opens at once; once it is closed (Esc, if it stayed up) the menu offers it again.
    const bool menu = session.WaitFor([&] {
        return session.Row(StatusRow).find("Quaver Control closed.") != std::string::npos ||
               session.FindRow("\xCD Quaver Control \xCD") > 0 || session.HostEnded();
    });
    ASSERT_TRUE(menu && !session.HostEnded()) << session.Dump();
    if (session.Row(StatusRow).find("Quaver Control closed.") == std::string::npos) session.PressKey(VK_ESCAPE);
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "Quaver Control closed.")) << session.Dump();
    QuitFromMenu(session);
}

// ---- the command line: quaver-host.exe --command WORDS ---------------------------------------------------

TEST(HostCommand, SendsTheWordsInOrderAndExitsOrSaysOnStandardErrorWhyNothingWasSent) {
    e2e::ScopedModuleSettings settings;
    ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0));
    e2e::StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    auto commands = [&] {
        std::vector<uint64_t> sent;
        for (const e2e::PlayerLogEntry& entry : player.Commands()) sent.push_back(entry.wParam);
        return sent;
    };
    const std::vector<uint64_t> stopNextPlay = {40047, 40048, 40045};

    HostRun run = RunHost({"--command", "stop next play"});
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(player.WaitForLog([&](const auto&) { return commands().size() >= 3; })) << commands().size();
    EXPECT_EQ(commands(), stopNextPlay);

    run = RunHost({"--command", "next bogus"});
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_NE(run.errors.find("Quaver Control: Not a player command: \"bogus\""), std::string::npos) << run.errors;

    player.Terminate();
    ASSERT_TRUE(player.WaitForExit(10000));
    run = RunHost({"--command", "play"});
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_NE(run.errors.find("no player is running"), std::string::npos) << run.errors;
    EXPECT_EQ(commands(), stopNextPlay) << "nothing of the refused words was sent";
}

TEST(HostCommand, ExitsZeroOnlyWhenThePlayerTookTheWordsWhateverWindowIsThereAfterwards) {
    e2e::ScopedModuleSettings settings;
    e2e::StandinPlayer hung({"--hang-after", "500"});
    ASSERT_TRUE(hung.Ready() && e2e::SetModuleSetting("AutostartWinamp", 0)) << hung.Problem();
    Sleep(1000);
    HostRun run = RunHost({"--command", "stop next play"});
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_NE(run.errors.find("the player did not answer"), std::string::npos) << run.errors;
    hung.Terminate();
    // Started, but its window comes only after the start has given up (and it ends by itself).
    e2e::RegisteredStandinPlayer registration;
    e2e::ScopedEnvironment late("STANDIN_PLAYER_OPTIONS", "--show-window-after 7600 --exit-after 8000");
    ASSERT_TRUE(hung.WaitForExit(10000) && registration.Registered() && e2e::SetModuleSetting("AutostartWinamp", 1));
    run = RunHost({"--command", "play"});
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_NE(run.errors.find("no window came"), std::string::npos) << run.errors;
    Sleep(1000);
}

// ---- services -------------------------------------------------------------------------------------------

TEST(HostServices, RecordTextsFormattingAndColoursAnswerAsDocumented) {
    ConsoleSession session(ProbeScenario("info"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:info")) << session.Dump();
    // The host hands over a record of its own width's size: the probe and the host are built alike.
    const std::string size = "size=" + std::to_string(sizeof(HostServices));
    const std::string record = session.Row(1);
    EXPECT_EQ(record.find(size + " number="), 0u) << session.Dump();
    EXPECT_NE(record.find(" root=Software\\Quaver Host\\Plugins"), std::string::npos) << session.Dump();
    // The module number is the address of the host's record, as the file manager's is: on 64-bit it does not
    // fit in 32 bits, so a module that cuts it shows in every test.
    const long long number = std::atoll(record.c_str() + record.find("number=") + 7);
    EXPECT_NE(number, 0);
    if (sizeof(void*) == 8) {
        EXPECT_NE(number, static_cast<long long>(static_cast<int32_t>(number))) << record;
    }
    const std::string name = session.Row(2);
    EXPECT_NE(name.find("name="), std::string::npos);
    EXPECT_NE(name.find(":\\"), std::string::npos) << "a full path: " << name;
    EXPECT_NE(name.find("\\host-probe.dll"), std::string::npos) << name;
    EXPECT_NE(session.Row(3).find("lang22=[OK] lang24=[\"C:\\Program Files\\Winamp\\winamp.exe\"] lang999=[] langneg=[]"),
              std::string::npos)
        << session.Dump();
    EXPECT_NE(session.Row(4).find("format=[x-7--3] length=6 same=0 differ=-1"), std::string::npos)
        << session.Dump();
    EXPECT_NE(session.Row(5).find("colour21=30 colour23=3F colour24=3E colour29=2F colour30=1F other=0"),
              std::string::npos)
        << session.Dump();
    EXPECT_NE(session.Row(6).find("wrong: lang22=[] colour23=00 dialog=-1 message=-1"), std::string::npos)
        << "another number finds nothing\n" << session.Dump();
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(HostServices, MessageWithoutButtonsIsDrawnCentredAndReturnsAtOnce) {
    ConsoleSession session(ProbeScenario("notice"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    const Screen before = session.Capture();
    session.PressKey(VK_SPACE);
    // The probe reports the call's return while the box is still up: nobody pressed anything.
    ASSERT_TRUE(session.WaitForRowText(0, "probe:notice result=-1")) << session.Dump();
    const int textRow = session.FindRow("Starting the player...");
    ASSERT_GT(textRow, 0) << session.Dump();
    const std::string row = session.Row(textRow);
    const int textColumn = Column(row, "Starting");
    const int left = static_cast<int>(row.rfind('\xBA', textColumn));
    const int right = static_cast<int>(row.find('\xBA', textColumn));
    ASSERT_GT(left, 0) << session.Dump();
    ASSERT_GT(right, textColumn) << session.Dump();
    EXPECT_LE(std::abs((left + right) - (Width - 1)), 1) << "centred across: " << left << ".." << right;
    EXPECT_EQ(session.Attribute(textColumn, textRow), 0x70);
    int top = textRow;
    while (top > 0 && session.Row(top)[left] != '\xC9') --top;
    int bottom = textRow;
    while (bottom < Height - 1 && session.Row(bottom)[left] != '\xC8') ++bottom;
    EXPECT_EQ(top, textRow - 1) << "no title line, one text line: " << session.Dump();
    EXPECT_EQ(bottom, textRow + 1) << "and no buttons";
    EXPECT_EQ(session.Row(top)[right], '\xBB');
    EXPECT_LE(std::abs((top + bottom) - (Height - 1)), 1) << "centred down: " << top << ".." << bottom;

    // The caller's saved screen puts back what lay under the box.
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:restored")) << session.Dump();
    EXPECT_TRUE(SameRows(session.Capture(), before, 1, Height - 1)) << session.Dump();
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(HostServices, MessageWithButtonsWaitsForTheChoiceAndPutsTheScreenBack) {
    struct Case {
        const char* name;
        std::vector<WORD> keys;  // empty: click on "No"
        const char* answer;
    };
    const Case cases[] = {
        {"Enter takes the first button", {VK_RETURN}, "probe:answer=0"},
        {"Esc cancels", {VK_ESCAPE}, "probe:answer=-1"},
        {"Right moves to the second", {VK_RIGHT, VK_RETURN}, "probe:answer=1"},
        {"Tab wraps round", {VK_TAB, VK_TAB, VK_RETURN}, "probe:answer=0"},
        {"a click chooses", {}, "probe:answer=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleSession session(ProbeScenario("ask"));
        ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
        const Screen before = session.Capture();
        session.PressKey(VK_SPACE);
        ASSERT_TRUE(session.WaitForText("[ No ]")) << session.Dump();
        const int buttons = session.FindRow("[ No ]");
        const std::string row = session.Row(buttons);
        EXPECT_EQ(session.Attribute(Column(row, "[ Yes ]"), buttons), 0x30) << "the first button has the focus";
        EXPECT_EQ(session.Attribute(Column(row, "[ No ]"), buttons), 0x70);
        EXPECT_GT(session.FindRow("Pick one"), 0);
        EXPECT_GT(session.FindRow("\xCD Probe \xCD"), 0) << "the title in the frame";
        if (c.keys.empty()) {
            session.Click(Column(row, "[ No ]") + 3, buttons);
        } else {
            for (WORD key : c.keys) session.PressKey(key);
        }
        ASSERT_TRUE(session.WaitForRowText(0, c.answer)) << session.Dump();
        EXPECT_TRUE(SameRows(session.Capture(), before, 1, Height - 1)) << session.Dump();
        session.PressKey(VK_SPACE);
        QuitFromMenu(session);
    }
}

TEST(HostServices, TextIsClippedAtTheConsoleEdgesAndAppearsOnlyWhenFlushed) {
    ConsoleSession session(ProbeScenario("clip"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForTitle("probe:drawn")) << session.Dump();
    const Screen before = session.Capture();
    // Nothing of the drawing is visible before the flush.
    for (int y : {2, 3, 8}) EXPECT_EQ(before.rows[y].find_first_of("#0123456789ABC"), std::string::npos) << y;
    // Cells the probe does not touch, written behind the host's back, must survive the flush.
    DWORD written = 0;
    {
        const ShownBuffer shown;
        WriteConsoleOutputCharacterA(shown.Get(), "Q", 1, COORD{40, 15}, &written);
        WriteConsoleOutputCharacterA(shown.Get(), "Q", 1, COORD{0, KeyBarRow}, &written);
    }
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:clipped")) << session.Dump();
    const Screen after = session.Capture();
    EXPECT_EQ(after.rows[2].substr(0, 5), "56789");
    EXPECT_EQ(after.attributes[2][0], 0x1E);
    EXPECT_EQ(after.rows[2].substr(5), before.rows[2].substr(5));
    EXPECT_EQ(after.rows[3].substr(Width - 3), "ABC");
    EXPECT_EQ(after.attributes[3][Width - 1], 0x2F);
    EXPECT_EQ(after.rows[3].substr(0, Width - 3), before.rows[3].substr(0, Width - 3));
    EXPECT_EQ(after.rows[8], std::string(Width, '#')) << "a long text fills its row";
    for (int y : {1, 4, 5, 6, 7, 9}) EXPECT_EQ(after.rows[y], before.rows[y]) << "row " << y << " untouched";
    for (int y = 10; y < Height; ++y) EXPECT_EQ(after.attributes[y], before.attributes[y]) << "row " << y;
    EXPECT_EQ(after.rows[15][40], 'Q');
    EXPECT_EQ(after.rows[KeyBarRow][0], 'Q');
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(HostServices, SavedAreasComeBackByteForByteAndStaleHandlesAreIgnored) {
    ConsoleSession session(ProbeScenario("save"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    const Screen before = session.Capture();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:scribbled")) << session.Dump();
    EXPECT_EQ(session.Text(10, 5, 21), std::string(21, '*'));
    EXPECT_EQ(session.Text(70, 24, 10), std::string(10, '%'));
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(0, "probe:restored")) << session.Dump();
    EXPECT_TRUE(SameRows(session.Capture(), before, 1, Height - 1)) << session.Dump();
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

// ---- the stand-in player ------------------------------------------------------------------------------

TEST(HostPlayer, WithPlayerStartsTheStandInAndClosesItAtExit) {
    ASSERT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "a player is left over from another test";
    ConsoleSession session(HostWith({"--with-player", "--menu", "--module", ProbeModule}));
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "standin-player.exe started.")) << session.Dump();
    HWND player = FindWindowA("Winamp v1.x", nullptr);
    ASSERT_NE(player, nullptr);
    DWORD processId = 0;
    GetWindowThreadProcessId(player, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    QuitFromMenu(session);
    EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0) << "the host closes the player it started";
    CloseHandle(process);
}

TEST(HostPlayer, WithPlayerLeavesARunningPlayerAlone) {
    e2e::StandinPlayer running;
    ASSERT_TRUE(running.Ready()) << running.Problem();
    ConsoleSession session(HostWith({"--with-player", "--menu", "--module", ProbeModule}));
    ASSERT_TRUE(session.WaitForRowText(StatusRow, "A player is already running.")) << session.Dump();
    QuitFromMenu(session);
    Sleep(500);
    EXPECT_TRUE(running.Running()) << "a player the host did not start stays";
}
