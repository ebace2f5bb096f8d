// The wide module (bin/wide/quaver.dll) loaded by a recording host of the wide interface: what it tells the host
// about itself, its settings in the host's store, and text that stays UTF-16 from the player and the panel to
// the host and back: the command line's words, the panel's frame and title line, the playlist, jump and add.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "console_session.h"
#include "host/wide_ids.h"
#include "standin_player.h"
#include "wide_host.h"

namespace {

using e2e::Utf8;
using e2e::WideDialog;

const std::string modulePath = e2e::TestFolder() + "wide\\quaver.dll";
constexpr int japaneseEntry = 40;  // 東京カルテット - 夜明けの歌, in the demo's playlist

class WideModule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module.library) << "cannot load " << modulePath;
        host = &e2e::ResetWideHost();
        module.SetStartupInfoW(&host->startup);
    }

    // OpenW as the host calls it for "quaver:<words>".
    void CommandLine(const wchar_t* words) {
        wide::CommandLineRecord line{sizeof line, words};
        wide::OpenRecord open{sizeof open, wide::openFrom::CommandLine, &noGuid, reinterpret_cast<intptr_t>(&line),
                              nullptr};
        EXPECT_EQ(module.OpenW(&open), nullptr);
    }

    std::vector<std::wstring> ErrorLines() {
        std::lock_guard<std::mutex> guard(e2e::WideHostLock());
        return host->messageBoxes.empty() ? std::vector<std::wstring>{} : host->messageBoxes.back().lines;
    }

    e2e::WideModule module{modulePath};
    e2e::WideHost* host = nullptr;
    const wide::Guid noGuid{};
};

TEST_F(WideModule, ExportsTheWideEntryPointsAloneAndNamesItselfByItsGuids) {
    for (const char* classic : {"SetStartupInfo", "GetPluginInfo", "OpenPlugin", "Configure"})
        EXPECT_EQ(GetProcAddress(static_cast<HMODULE>(module.library), classic), nullptr) << classic;
    ASSERT_TRUE(module.GetGlobalInfoW && module.GetPluginInfoW && module.ConfigureW);

    wide::Identity identity{};
    identity.size = sizeof identity;
    module.GetGlobalInfoW(&identity);
    // Written out, not taken from the module's sources: the host keys its settings and hot keys by them, so they
    // never change.
    EXPECT_TRUE(identity.module ==
                (wide::Guid{0x66115328, 0xec30, 0x4848, {0xa3, 0x29, 0x73, 0xae, 0xf7, 0x7a, 0x16, 0xab}}));
    EXPECT_EQ(identity.oldestHost.major, 3u);
    EXPECT_EQ(identity.oldestHost.minor, 0u);
    EXPECT_EQ(identity.oldestHost.build, 6727u);
    EXPECT_EQ(std::wstring(identity.title), L"Quaver Control");
    EXPECT_TRUE(identity.description && *identity.description && identity.author && *identity.author);

    wide::ModuleInfo info{};
    info.size = sizeof info;
    module.GetPluginInfoW(&info);
    EXPECT_EQ(info.flags, 0u);
    ASSERT_EQ(info.pluginsMenu.count, 1u);
    ASSERT_EQ(info.configMenu.count, 1u);
    EXPECT_TRUE(info.pluginsMenu.guids[0] ==
                (wide::Guid{0xf97b99de, 0x7d85, 0x420a, {0xb5, 0x74, 0xda, 0xa8, 0x81, 0x61, 0x0a, 0xe5}}));
    EXPECT_TRUE(info.configMenu.guids[0] ==
                (wide::Guid{0xac7c33e5, 0xbdcb, 0x4150, {0x91, 0xb5, 0x34, 0xd8, 0x45, 0xbf, 0xce, 0x2a}}));
    EXPECT_EQ(std::wstring(info.pluginsMenu.captions[0]), L"Quaver Control");
    EXPECT_EQ(std::wstring(info.commandPrefix), L"quaver");
}

TEST_F(WideModule, TheConfigurationDialogStoresTheClassicValuesAsNumbersInTheHostsStore) {
    // The user turns scrolling off (its styles follow), the volume arrows on, and confirms.
    host->runDialog = [](WideDialog& dialog) {
        dialog.lines[11].selected = 0;
        dialog.proc(reinterpret_cast<wide::Handle>(0xD1A), wide::dialogMessage::ButtonClicked, 11, nullptr);
        dialog.lines[5].selected = 1;
        return intptr_t{20};
    };
    EXPECT_EQ(module.ConfigureW(nullptr), 1);

    ASSERT_EQ(host->dialogs.size(), 1u);
    const WideDialog& shown = host->dialogs[0];
    EXPECT_TRUE(shown.id == (wide::Guid{0x25a58f4b, 0x2291, 0x45b3, {0xb3, 0xb5, 0x64, 0x18, 0x52, 0x4a, 0xf1, 0xfd}}));
    EXPECT_EQ(shown.help, L"Config");
    EXPECT_EQ(shown.texts[14], L"\u251C\u2500\u2500") << "the tree line's glyphs as Unicode";
    std::vector<int> checked;
    for (int i = 0; i < static_cast<int>(shown.lines.size()); ++i)
        if (shown.lines[i].selected && i != 11 && i != 5) checked.push_back(i);
    EXPECT_EQ(checked, (std::vector<int>{2, 3, 4, 6, 8, 13, 18})) << "an empty store's defaults";
    EXPECT_NE(shown.lines[20].flags & wide::dialogLineFlag::DefaultButton, 0u);
    std::vector<intptr_t> enabled;
    for (const auto& sent : host->dialogMessages)
        if (sent.message == wide::dialogMessage::Enable && sent.parameter2 == 0) enabled.push_back(sent.parameter1);
    EXPECT_EQ(enabled, (std::vector<intptr_t>{12, 13, 14, 15}));

    EXPECT_EQ(host->storesOpen, 0) << "every visit frees the store";
    const std::map<std::wstring, uint64_t> expected = {
        {L"IgnoreFarPalette", 0}, {L"AutostartWinamp", 1}, {L"WideTrackNumber", 0}, {L"DrawUglyButtons", 0},
        {L"DispCloseButton", 1},  {L"DispVolumeCtrl", 1},  {L"DispRepeatShfl", 1},  {L"DispWinampVer", 3},
        {L"TimeFormat", 1},       {L"ScrollMode", 1}};
    EXPECT_EQ(host->numbers, expected);
    for (const auto& [name, type] : host->storedTypes) EXPECT_EQ(type, wide::storeType::Number) << Utf8(name);

    // The next opening reads them back; a store that will not take them is told, and not called saved.
    host->dialogs.clear();
    host->runDialog = [](WideDialog&) { return intptr_t{20}; };
    host->storeFails = true;
    EXPECT_EQ(module.ConfigureW(nullptr), 0);
    ASSERT_EQ(host->dialogs.size(), 1u);
    EXPECT_EQ(host->dialogs[0].lines[5].selected, 1);
    EXPECT_EQ(host->dialogs[0].lines[11].selected, 0);
    EXPECT_EQ(ErrorLines(), (std::vector<std::wstring>{L"Quaver Control", L"message 43", L"message 22"}));
}

TEST_F(WideModule, AWordTheModuleDoesNotKnowComesBackInTheErrorBoxAsTyped) {
    CommandLine(L"play naïve Ελληνικά");
    EXPECT_EQ(ErrorLines(), (std::vector<std::wstring>{L"Quaver Control", L"message 26 \"naïve\"", L"message 22"}));
}

TEST_F(WideModule, AHostWhoseRecordLacksServicesIsToldItIsTooOld) {
    wide::StartupRecord shorter = host->startup;
    shorter.size = offsetof(wide::StartupRecord, SettingsControl);
    module.SetStartupInfoW(&shorter);
    CommandLine(L"play");
    EXPECT_EQ(ErrorLines(), (std::vector<std::wstring>{L"Quaver Control", L"message 3", L"message 22"}));
}

// A player of this program's own that keeps only ANSI titles and takes only ANSI paths, as an older one does:
// 213 and WM_COPYDATA 1100 are answered with 0. It answers on this thread, as the module asks it.
class AnsiPlayer : public WideModule {
protected:
    void SetUp() override {
        WideModule::SetUp();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Answer;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Winamp v1.x";
        RegisterClassA(&windowClass);
        window = CreateWindowA("Winamp v1.x", "Ansi player", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                               nullptr);
        ASSERT_TRUE(window);
        asked.clear();
        appended.clear();
        playing = 1;
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        UnregisterClassA("Winamp v1.x", GetModuleHandleA(nullptr));
    }

    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static const char* const titles[2] = {"Caf\xE9 Orchestra - Valse", "Second Song"};
        if (message == WM_COPYDATA) {
            const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (copy->dwData != 100) return FALSE;
            appended.push_back(static_cast<const char*>(copy->lpData));
            return TRUE;
        }
        if (message != WM_USER) return DefWindowProcA(window, message, wParam, lParam);
        asked.push_back({static_cast<int>(lParam), static_cast<int>(wParam)});
        switch (lParam) {
        case 104: return playing;
        case 124: return 2 + static_cast<LRESULT>(appended.size());           // two entries and those added
        case 212: return wParam < 2 ? reinterpret_cast<LRESULT>(titles[wParam]) : 0;
        default: return 0;                                                    // 213 among them
        }
    }

    HWND window = nullptr;
    static inline std::vector<std::pair<int, int>> asked;  // (lParam, wParam) of each WM_USER
    static inline std::vector<std::string> appended;       // the ANSI paths of WM_COPYDATA 100
    static inline int playing = 1;                         // 0 stopped
};

TEST_F(AnsiPlayer, GetsItsTitlesAskedInAnsiWhenItGivesNoUtf16One) {
    CommandLine(L"jump caf\u00E9");
    EXPECT_TRUE(ErrorLines().empty()) << Utf8(ErrorLines().empty() ? L"" : ErrorLines()[1]);
    const std::vector<std::pair<int, int>> titleQuestions = [] {
        std::vector<std::pair<int, int>> questions;
        for (const auto& question : asked)
            if (question.first == 212 || question.first == 213) questions.push_back(question);
        return questions;
    }();
    EXPECT_EQ(titleQuestions, (std::vector<std::pair<int, int>>{{213, 1}, {212, 1}, {213, 0}, {212, 0}}));
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair<int, int>{121, 0}), asked.end())
        << "Café, read in the ANSI code page, found and played";
}

TEST_F(AnsiPlayer, GetsAnAnsiPathWhereEveryCharacterConvertsAndTheOtherNamedInTheErrorBox) {
    host->folder = L"C:\\Music";
    host->selected = {L"Caf\u00E9.mp3", L"\u6771\u4EAC.mp3"};  // Café, 東京
    playing = 0;
    CommandLine(L"add");
    EXPECT_EQ(appended, (std::vector<std::string>{"C:\\Music\\Caf\xE9.mp3"}));
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair<int, int>{121, 2}), asked.end())
        << "the stopped player plays Café, the third entry: the path it was not given added none";
    EXPECT_EQ(ErrorLines(), (std::vector<std::wstring>{L"Quaver Control", L"message 44 \"C:\\Music\\\u6771\u4EAC.mp3\"",
                                                       L"message 22"}));
}

// The panel opened in a console of this program's, with the stand-in player playing the Japanese entry.
class WidePanel : public WideModule {
protected:
    void SetUp() override {
        WideModule::SetUp();
        ASSERT_TRUE(console.Ready()) << console.Problem();
        ASSERT_TRUE(player.Ready()) << player.Problem();
        SendMessageW(player.Window(), WM_USER, japaneseEntry, 121);
        SendMessageW(player.Window(), WM_COMMAND, 40045, 0);
    }

    // OpenW from the plug-ins menu on a thread of its own, the console's handles standing in for its own.
    void OpenPanel() {
        panel = std::thread([this] {
            const HANDLE input = GetStdHandle(STD_INPUT_HANDLE), output = GetStdHandle(STD_OUTPUT_HANDLE);
            SetStdHandle(STD_INPUT_HANDLE, console.Input());
            SetStdHandle(STD_OUTPUT_HANDLE, console.UserBuffer());
            wide::OpenRecord open{sizeof open, wide::openFrom::PluginsMenu, &quaver::wideId::pluginsMenuEntry, 0,
                                  nullptr};
            module.OpenW(&open);
            SetStdHandle(STD_INPUT_HANDLE, input);
            SetStdHandle(STD_OUTPUT_HANDLE, output);
            closed = true;
        });
    }
    void TearDown() override {
        if (!panel.joinable()) return;
        // An Esc pressed while a menu is up is the menu's: pressed until the panel has closed.
        while (!closed) {
            console.PressKey(VK_ESCAPE);
            Sleep(50);
        }
        panel.join();
    }

    // The first text drawn that holds `part`, once it has been drawn.
    bool Drawn(const std::wstring& part, e2e::WideText* found = nullptr) {
        return console.WaitFor([&] {
            std::lock_guard<std::mutex> guard(e2e::WideHostLock());
            for (const auto& text : host->texts)
                if (text.text.find(part) != std::wstring::npos) {
                    if (found) *found = text;
                    return true;
                }
            return false;
        }, 10000);
    }

    e2e::ConsoleSession console{[] {
        e2e::ConsoleSession::Options options;
        options.launch = false;
        return options;
    }()};
    e2e::StandinPlayer player{{"--playlist", e2e::TestFolder() + "demo-playlist.txt"}};
    std::thread panel;
    std::atomic<bool> closed{false};
};

TEST_F(WidePanel, DrawsItsFrameAsUnicodeInOpaqueColoursTakenFromTheHostsPaletteAndItsAboutBoxLeadsToHelp) {
    // The dialog box colour as true colours: white on navy, which the console has as 15 on 1.
    host->palette[23] = wide::Colour{0, 0x00FFFFFF, 0x00800000, 0, 0};
    host->storeVisits = 0;
    OpenPanel();
    e2e::WideText top;
    ASSERT_TRUE(Drawn(L"\u2554\u2550", &top)) << "the top border ╔═";
    EXPECT_EQ(host->storeVisits, 1) << "one short visit to the store for the settings and the palette";
    EXPECT_EQ(top.text.back(), L'\u2557');
    EXPECT_EQ(top.colour.flags & wide::colourFlag::ClassicAttribute, wide::colourFlag::ClassicAttribute);
    EXPECT_EQ(top.colour.foreground, 0xFF00000Fu);
    EXPECT_EQ(top.colour.background, 0xFF000001u);
    EXPECT_TRUE(Drawn(L"\u2584\u2584\u2584 ")) << "the big digits' half blocks";

    host->runDialog = [](WideDialog& dialog) { return static_cast<intptr_t>(dialog.lines.size()) - 1; };  // Help
    console.PressKey(VK_F1);
    ASSERT_TRUE(console.WaitFor([&] {
        std::lock_guard<std::mutex> guard(e2e::WideHostLock());
        return !host->helpTopics.empty();
    }, 10000));
    EXPECT_TRUE(host->dialogs.at(0).id ==
                (wide::Guid{0xa6683a31, 0xf849, 0x4b58, {0xa9, 0x13, 0x8e, 0x47, 0x95, 0xc1, 0x70, 0x5c}}));
    EXPECT_EQ(host->dialogs[0].texts.back(), L"Help");
    EXPECT_EQ(host->helpTopics, (std::vector<std::wstring>{L"Hotkeys"}));
}

TEST_F(WidePanel, ShowsTheJapaneseTitleAndListsItInThePlaylistMenu) {
    host->menuChoice = 2;
    OpenPanel();
    EXPECT_TRUE(Drawn(L"\u6771\u4EAC\u30AB\u30EB\u30C6\u30C3\u30C8 - \u591C\u660E\u3051\u306E\u6B4C"))
        << "東京カルテット - 夜明けの歌 in the title line";

    console.PressKey('J');
    ASSERT_TRUE(console.WaitFor([&] {
        std::lock_guard<std::mutex> guard(e2e::WideHostLock());
        return !host->menus.empty();
    }, 10000));
    const e2e::WideMenu menu = host->menus[0];
    ASSERT_GT(menu.lines.size(), static_cast<size_t>(japaneseEntry));
    EXPECT_EQ(menu.lines[japaneseEntry], L"41. \u6771\u4EAC\u30AB\u30EB\u30C6\u30C3\u30C8 - \u591C\u660E\u3051\u306E\u6B4C");
    EXPECT_EQ(menu.lines[38].find(L"39. \u039F\u03C1\u03C7\u03AE\u03C3\u03C4\u03C1\u03B1"), 0u) << "Ορχήστρα";
    EXPECT_EQ(menu.selected, japaneseEntry);
    EXPECT_EQ(menu.title, L"Winamp");
    EXPECT_TRUE(player.WaitForLog([](const std::vector<e2e::PlayerLogEntry>& log) {
        return std::any_of(log.begin(), log.end(), [](const e2e::PlayerLogEntry& entry) {
            return entry.message == "WM_USER" && entry.lParam == 121 && entry.wParam == 2;
        });
    })) << "the entry chosen is played";
}

TEST_F(WidePanel, JumpAndAddCarryUtf16ToThePlayer) {
    CommandLine(L"jump \u03BD\u03C5\u03C7\u03C4\u03B5\u03C1\u03B9\u03BD\u03CC");  // νυχτερινό: entry 39's Νυχτερινό
    EXPECT_TRUE(ErrorLines().empty()) << Utf8(ErrorLines().empty() ? L"" : ErrorLines()[1]);
    EXPECT_TRUE(player.WaitForLog([](const std::vector<e2e::PlayerLogEntry>& log) {
        return std::any_of(log.begin(), log.end(), [](const e2e::PlayerLogEntry& entry) {
            return entry.message == "WM_USER" && entry.lParam == 121 && entry.wParam == 38;
        });
    })) << "the Greek title found";

    host->folder = L"C:\\Musik\\\u03A1\u03B5\u03BC\u03C0\u03AD\u03C4\u03B9\u03BA\u03BF";  // Ρεμπέτικο
    // 東京, 𝄞, and a name longer than any path, which the module cannot be handed.
    host->selected = {L"\u6771\u4EAC.mp3", L"\U0001D11E.flac", std::wstring(70000, L'x')};
    CommandLine(L"add");
    EXPECT_EQ(ErrorLines(), (std::vector<std::wstring>{L"Quaver Control", L"message 45 1", L"message 22"}));
    const std::string folder = Utf8(host->folder);
    EXPECT_TRUE(player.WaitForLog([&](const std::vector<e2e::PlayerLogEntry>& log) {
        int copied = 0;
        for (const std::string& line : player.LogLines())
            if (line.find("WM_COPYDATA 1100 " + folder + "\\\xE6\x9D\xB1\xE4\xBA\xAC.mp3") != std::string::npos ||
                line.find("WM_COPYDATA 1100 " + folder + "\\\xF0\x9D\x84\x9E.flac") != std::string::npos)
                ++copied;
        return copied == 2 && !log.empty();
    })) << "both paths as UTF-16";
}

}  // namespace
