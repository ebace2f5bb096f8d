// The playlist's figures under Wine, for the developers' performance table: not a test program of the suite
// (scripts/measure runs it), since a thousand appends at 250 ms each take four minutes.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "console_session.h"
#include "host_run.h"
#include "standin_player.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class PlaylistFigures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0)); }
    e2e::ScopedModuleSettings settings;
};

TEST_F(PlaylistFigures, JToTheMenuAndEveryTitleKnown) {
    for (const char* entries : {"20000", "100000"}) {
        e2e::StandinPlayer player({"--entries", entries, "--title-cost", "1"});
        ASSERT_TRUE(player.Ready()) << player.Problem();
        e2e::ConsoleSession session;
        ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
        const auto opened = Clock::now();
        session.PressKey('J', 0, 'j');
        ASSERT_TRUE(session.WaitForText(". Artist ", 30000)) << session.Dump();
        std::printf("[ figures  ] J to the menu on screen, %s entries at 1 ms a title (Wine): %lld ms\n", entries,
                    MsSince(opened));
        session.PressKey(VK_ESCAPE);
        ASSERT_TRUE(session.WaitFor([&] { return session.FindRow(". Artist ") < 0; })) << session.Dump();
        constexpr int kept = 20000;  // the titles kept: all of a list that long, those around the current one of a longer
        ASSERT_TRUE(player.WaitForLog([&](const auto&) { return player.TitlesAsked() >= kept; }, 300000));
        std::printf("[ figures  ] every title known, %s entries at 1 ms a title (Wine): %lld ms after J (%d titles kept)\n",
                    entries, MsSince(opened), kept);
        session.PressKey(VK_ESCAPE);
        session.WaitForText("F10 Quit");
        session.PressKey(VK_F10);
        session.WaitForExit();
    }
}

// A folder of its own with the host, the module and its files, and a thousand files to add.
TEST_F(PlaylistFigures, AddOfAThousandFiles) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "quaver-add-figures\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((e2e::TestFolder() + "quaver-host.exe").c_str(), (folder + "quaver-host.exe").c_str(), FALSE));
    const std::string moduleFolder = e2e::TestFolder() + (e2e::WideModuleRun() ? "wide\\" : "");
    for (const char* file : {"quaver.dll", "quaver_en.lng", "quaver_de.lng", "quaver_en.hlf", "quaver_de.hlf"})
        ASSERT_TRUE(CopyFileA((moduleFolder + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    std::vector<std::string> arguments;
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "song%04d.mp3", i);
        CloseHandle(CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        arguments.insert(arguments.end(), {"--select", name});
    }
    arguments.insert(arguments.end(), {"--command", "add"});
    for (const char* cost : {"0.1", "250"}) {
        e2e::StandinPlayer player({"--append-cost", cost});
        ASSERT_TRUE(player.Ready()) << player.Problem();
        const auto started = Clock::now();
        const e2e::HostRun run = e2e::RunHost(arguments, folder + "quaver-host.exe", 600000);
        const long long all = MsSince(started);
        int received = 0;
        for (const std::string& line : player.LogLines())  // 100 from the classic module, 1100 from the wide one
            received += line.find(" WM_COPYDATA 100 ") != std::string::npos ||
                        line.find(" WM_COPYDATA 1100 ") != std::string::npos;
        const size_t back = run.errors.find("gave the host back after ");
        const std::string given = back == std::string::npos ? "at once, all sent"
                                                            : run.errors.substr(back + 25, run.errors.find(';', back) - back - 25);
        std::printf("[ figures  ] add of 1,000 files at %s ms an append (Wine): host given back after %s; %d received, "
                    "all in %lld ms; exit %lu\n", cost, given.c_str(), received, all, static_cast<unsigned long>(run.exitCode));
    }
}

}  // namespace
