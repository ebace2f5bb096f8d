// quaver-host.exe with a module of the wide interface: whose identity it takes, the records and services it
// hands over, and the console drawn in every script. The services are worked by wide-probe.dll, which prints
// what it saw when given words on the command line, and draws on cue (QUAVER_PROBE) otherwise, waiting for a
// key between steps and naming each step in the console's title.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "console_session.h"
#include "host/wide_api.h"
#include "host_run.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::HostRun;
using e2e::RunHost;

namespace {

constexpr char Probe[] = "wide-probe\\wide-probe.dll";
constexpr wchar_t ProbeStore[] = L"Software\\Quaver Host\\Settings\\{6A1F3C52-8B0D-4E77-9C21-5D3E804BA617}";
constexpr int KeyBarRow = 24;

HostRun ProbeCommand(const std::string& word, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments = {"--module", Probe};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.insert(arguments.end(), {"--command", word});
    return RunHost(arguments);
}

bool Holds(const HostRun& run, const std::string& line) { return run.errors.find(line + "\n") != std::string::npos; }

// The probe's panel opens at once and waits at its first step.
ConsoleSession::Options Scenario(const char* scenario, std::vector<std::string> arguments = {"--module", Probe}) {
    ConsoleSession::Options options;
    options.arguments = std::move(arguments);
    options.environment = {{"QUAVER_PROBE", scenario}};
    return options;
}

void QuitFromMenu(ConsoleSession& session) {
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F10 Quit")) << session.Dump();
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
}

TEST(WideHostModule, IsTakenOnlyWithACompleteIdentityAGuidAndAnOldestHostNoNewerThanThisOne) {
    const std::pair<const char*, const char*> refused[] = {
        {"incomplete", "its identity is incomplete"},
        {"zero", "its GUID is zero"},
        {"newer", "it needs a host of version 3.0 build 99999 or newer"},
    };
    for (const auto& [spoiled, reason] : refused) {
        e2e::ScopedEnvironment identity("QUAVER_PROBE_IDENTITY", spoiled);
        const HostRun run = ProbeCommand("info");
        EXPECT_EQ(run.exitCode, 2u) << spoiled;
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    }
}

TEST(WideHostModule, GetsTheRecordsTextsFunctionsVersionAndPaletteOfThisHostForItsGuidAlone) {
    const HostRun run = ProbeCommand("info");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_TRUE(Holds(run, "size=" + std::to_string(sizeof(wide::StartupRecord)) +
                               " functions=" + std::to_string(sizeof(wide::StandardFunctions))))
        << run.errors;
    EXPECT_NE(run.errors.find("\\wide-probe\\wide-probe.dll\n"), std::string::npos) << "its full path\n" << run.errors;
    EXPECT_TRUE(Holds(run, "msg0=[Ωμέγα] msg43=[東京 𝄞] msg999=[] other=[]")) << "its UTF-8 file\n" << run.errors;
    EXPECT_TRUE(Holds(run, "format=[abc-123] length=7 same=0 differ=-1")) << run.errors;
    EXPECT_TRUE(Holds(run, "version=1 3.0 build 6727")) << run.errors;
    EXPECT_TRUE(Holds(run, "palette 21=0B/FF00/FF03 23=0B/FF0F/FF03 24=0B/FF0E/FF03 29=0B/FF0F/FF02 30=0B/FF0F/FF01 99=none"))
        << "the classic host's dialog colours as opaque palette indices\n" << run.errors;
    EXPECT_TRUE(Holds(run, "other colour=0")) << run.errors;
}

TEST(WideHostModule, ReadsTheFileListsNamesOfAnyScriptAskingForEachOnesSizeFirst) {
    const std::string name = "東京 Night.mp3";
    const std::wstring path = e2e::Utf16(e2e::TestFolder() + name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    HostRun run = ProbeCommand("panel", {"--select", name});
    DeleteFileW(path.c_str());
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_NE(run.errors.find(" selected=1 real=1\n"), std::string::npos) << run.errors;
    EXPECT_TRUE(Holds(run, "selected " + name + " +")) << "the record and its name in the module's buffer\n" << run.errors;
    EXPECT_TRUE(Holds(run, "current ..")) << run.errors;
    std::string folder = e2e::TestFolder();
    folder.pop_back();
    EXPECT_TRUE(Holds(run, "folder " + folder)) << run.errors;

    run = ProbeCommand("panel");
    EXPECT_NE(run.errors.find(" selected=0 real=1\n"), std::string::npos) << "the cursor on .. selects nothing\n"
                                                                         << run.errors;
}

TEST(WideHostModule, KeepsItsSettingsInTheRegistryUnderItsGuidAsNumbersTextsAndBytes) {
    RegDeleteTreeW(HKEY_CURRENT_USER, ProbeStore);
    const HostRun run = ProbeCommand("settings");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_TRUE(Holds(run, "created=1 other=0")) << "another module's store is not opened\n" << run.errors;
    EXPECT_TRUE(Holds(run, "set=4 deleted=1")) << run.errors;
    EXPECT_TRUE(Holds(run, "second=0 early=0")) << "locked while open, written when freed\n" << run.errors;
    EXPECT_TRUE(Holds(run, "got=3 number=4294967297 text=Ωμέγα 東京 bytes=8/1 missing=0/77"))
        << "read back; a missing value leaves the record as it was\n" << run.errors;
    EXPECT_TRUE(Holds(run, "freed=1 again=0")) << run.errors;

    uint64_t number = 0;
    DWORD size = sizeof number;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, ProbeStore, L"TimeFormat", RRF_RT_REG_QWORD, nullptr, &number, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(number, 0x100000001ull);
    wchar_t text[32] = L"";
    size = sizeof text;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, ProbeStore, L"Title", RRF_RT_REG_SZ, nullptr, text, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(text), L"Ωμέγα 東京");
    unsigned char bytes[16];
    size = sizeof bytes;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, ProbeStore, L"Palette", RRF_RT_REG_BINARY, nullptr, bytes, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 8u);
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, ProbeStore, L"Gone", RRF_RT_ANY, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegDeleteTreeW(HKEY_CURRENT_USER, ProbeStore);
}

TEST(WideHostConsole, TextsOfEveryScriptTakeTheirCellsInTheirColoursAndTransparentHalvesKeepTheCells) {
    ConsoleSession session(Scenario("texts"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForGlyphs("probe:texts")) << session.Dump();
    EXPECT_EQ(session.Glyphs(0, 1, 11), "Ωμέγα 東京|") << "the two Japanese characters take two cells each";
    EXPECT_EQ(session.Attribute(6, 1), 0x1E | COMMON_LVB_LEADING_BYTE);
    EXPECT_EQ(session.Attribute(7, 1), 0x1E | COMMON_LVB_TRAILING_BYTE);
    // This console keeps one UTF-16 unit a cell: a pair shows as the replacement character, in its one cell.
    EXPECT_EQ(session.Glyphs(0, 2, 4), "\xEF\xBF\xBD|é|") << "a mark composed with its base where it can be";
    EXPECT_EQ(session.Glyphs(78, 3, 2), "東") << "it fits at the edge";
    EXPECT_EQ(session.Attribute(0, 4), 0xBC) << "RGB red on cyan as console colours";
    EXPECT_EQ(session.Glyphs(0, 5, 5), "GLASS");
    EXPECT_EQ(session.Attribute(0, 5), 0x4B) << "the cell's own foreground under a transparent one";
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(WideHostConsole, ADialogCopiesItsItemsAsksItsProcedureAndIsReadByMessagesAfterItCloses) {
    ConsoleSession session(Scenario("dialog"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForGlyphs("Ω Probe")) << session.Dump();
    EXPECT_NE(session.FindGlyphRow("[ ] First"), -1) << "the items as DialogInit had them\n" << session.Dump();
    session.PressKey(VK_SPACE);  // First: taken, and the procedure enables Second and changes the text
    ASSERT_TRUE(session.WaitForGlyphs("[x] First")) << session.Dump();
    ASSERT_TRUE(session.WaitForGlyphs("東京!")) << session.Dump();
    session.PressKey(VK_TAB);
    session.PressKey(VK_SPACE);  // Second: refused by the procedure
    session.PressKey(VK_ESCAPE);  // the first closing is refused too
    session.PressKey(VK_TAB);
    session.PressKey(VK_RETURN);  // OK
    ASSERT_TRUE(session.WaitForGlyphs("probe:dialog=")) << session.Dump();
    EXPECT_EQ(session.GlyphRow(0).rfind("probe:dialog=3 first=1 second=0 text=東京!/3 refused=1", 0), 0u)
        << "the results read after the dialog closed\n" << session.GlyphRow(0);
    EXPECT_EQ(session.GlyphRow(1).rfind(" init1 click1=1 click2=1 closing-1 click3=0 closing3", 0), 0u)
        << "what the procedure heard\n" << session.GlyphRow(1);
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(WideHostConsole, MessageBoxAndMenuShowEveryScriptAndAnswerForTheModulesGuidAlone) {
    ConsoleSession session(Scenario("choices"));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForGlyphs("═ Νύχτα ═")) << "the title in the frame\n" << session.Dump();
    EXPECT_NE(session.FindGlyphRow("夜明けの歌"), -1) << session.Dump();
    EXPECT_NE(session.FindGlyphRow("[ Yes ] [ No ]"), -1) << session.Dump();
    session.PressKey(VK_RIGHT);
    session.PressKey(VK_RETURN);
    ASSERT_TRUE(session.WaitForGlyphs("═ 東京 ═")) << session.Dump();
    EXPECT_NE(session.FindGlyphRow("2. 夜明けの歌"), -1) << session.Dump();
    session.PressKey(VK_DOWN);  // from the selected line to the next
    session.PressKey(VK_RETURN);
    ASSERT_TRUE(session.WaitForGlyphs("probe:answer=1 chosen=2 other=-1")) << session.Dump();
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

TEST(WideHostConsole, HelpComesFromTheUtf8FileBesideTheModuleAndConfigureNamesItsEntry) {
    ConsoleSession session(Scenario("help", {"--module", Probe}));
    ASSERT_TRUE(session.WaitForTitle("probe:ready")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForGlyphs("東京 Ωμέγα")) << session.Dump();
    EXPECT_NE(session.FindGlyphRow("夜明けの歌 and"), -1) << session.Dump();
    session.PressKey(VK_ESCAPE);
    ASSERT_TRUE(session.WaitForGlyphs("probe:help=1")) << session.Dump();
    session.PressKey(VK_SPACE);
    ASSERT_TRUE(session.WaitForRowText(KeyBarRow, "F9 Configure")) << session.Dump();
    session.PressKey(VK_F9);
    ASSERT_TRUE(session.WaitForGlyphs("probe:configure entry")) << session.Dump();
    session.PressKey(VK_SPACE);
    QuitFromMenu(session);
}

}  // namespace
