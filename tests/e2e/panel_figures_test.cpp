// Figures of the open panel in quaver-host.exe with the stand-in player, each printed as a "[ figures  ]"
// line for scripts/measure: the host's CPU use while the panel is open and nobody touches it, the rhythm of
// re-sends while rewind is held with the mouse, and how soon a key reaches the player. Their bounds are
// generous: they catch a busy loop, a lost rhythm or a stuck input loop, not a slow machine.
//
// QUAVER_IDLE_SECONDS (default 5) and QUAVER_REPEAT_SECONDS (default 2) set how long each is watched.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console_session.h"
#include "panel_view.h"
#include "process_figures.h"
#include "standin_player.h"

using e2e::ConsoleSession;

namespace {

uint32_t EnvironmentNumber(const char* name, uint32_t fallback) {
    char text[32] = {};
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    if (length == 0 || length >= sizeof text) return fallback;
    const uint32_t value = static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
    return value ? value : fallback;
}

using e2e::SetModuleSetting;

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) return 0;
    const size_t rank = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(rank, sorted.size() - 1)];
}

std::string Spread(std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    char text[200];
    std::snprintf(text, sizeof text, "median %.1f %s (p10-p90 %.1f-%.1f, min-max %.1f-%.1f, n=%zu)",
                  Percentile(values, 0.5), unit, Percentile(values, 0.1), Percentile(values, 0.9), values.front(),
                  values.back(), values.size());
    return text;
}

class PanelFigures : public ::testing::Test {
protected:
    void SetUp() override {
        SetModuleSetting("AutostartWinamp", 0);
        ASSERT_TRUE(player.Ready()) << player.Problem();
        session = std::make_unique<ConsoleSession>();
        ASSERT_TRUE(session->Ready() && session->Launched()) << session->Problem();
        ASSERT_TRUE(e2e::WaitForPanel(*session, area)) << session->Dump();
    }
    void TearDown() override {
        if (!session || !session->Launched() || session->HostEnded()) return;
        if (e2e::PanelShown(*session, area)) session->PressKey(VK_ESCAPE);
        session->WaitForRowText(24, "F10 Quit", 5000);
        session->PressKey(VK_F10);
        session->WaitForExit(5000);
    }

    e2e::ScopedModuleSettings settings;
    e2e::StandinPlayer player;  // playing its playlist in real time: the clock and the title move
    e2e::PanelArea area;
    std::unique_ptr<ConsoleSession> session;
};

TEST_F(PanelFigures, AnOpenPanelLeftAloneUsesLittleOfTheHostsCpu) {
    const uint32_t seconds = EnvironmentNumber("QUAVER_IDLE_SECONDS", 5);
    Sleep(1000);  // past the opening
    std::vector<double> slices;  // percent of one core, per slice of about five seconds
    const double start = e2e::CpuMilliseconds(session->Process());
    ASSERT_GT(start, 0) << "the host's CPU time is read from the process list, and starting up took some";
    const ULONGLONG begun = GetTickCount64();
    double previous = start;
    ULONGLONG previousAt = begun;
    while (GetTickCount64() - begun < seconds * 1000ull) {
        Sleep(std::min<ULONGLONG>(5000, seconds * 1000ull - (GetTickCount64() - begun)));
        const double now = e2e::CpuMilliseconds(session->Process());
        ASSERT_GE(now, previous) << "the host is still in the process list";
        const ULONGLONG at = GetTickCount64();
        if (at > previousAt) slices.push_back(100.0 * (now - previous) / static_cast<double>(at - previousAt));
        previous = now;
        previousAt = at;
    }
    const double used = previous - start;
    const double percent = 100.0 * used / static_cast<double>(previousAt - begun);
    std::printf("[ figures  ] host CPU, panel open and idle for %u s (Wine): %.0f ms = %.2f %% of one core; "
                "per 5 s slice %s\n",
                seconds, used, percent, Spread(slices, "%").c_str());
    EXPECT_TRUE(e2e::PanelShown(*session, area));
    EXPECT_GT(used, 0.0) << "the refresh passes use some CPU: a reading of 0 missed the threads";
    // Not a speed mark but the absence of busy-polling, which would take a whole core.
    EXPECT_LT(percent, 25.0) << "the input loop waits and the worker threads sleep between passes";
}

TEST_F(PanelFigures, RewindHeldWithTheMouseIsResentAboutEvery50Ms) {
    const uint32_t seconds = EnvironmentNumber("QUAVER_REPEAT_SECONDS", 2);
    const int x = area.x + 4, y = area.y + 7;
    session->MouseEvent(x, y, FROM_LEFT_1ST_BUTTON_PRESSED);
    Sleep(seconds * 1000);
    session->MouseEvent(x, y, 0);
    Sleep(300);

    std::vector<uint32_t> ticks;
    for (const auto& entry : player.Commands())
        if (entry.wParam == 40061) ticks.push_back(entry.tick);
    ASSERT_GE(ticks.size(), 6u) << session->Dump();
    // The first is the press itself; the re-sends follow it.
    std::vector<double> gaps;
    for (size_t i = 2; i < ticks.size(); ++i) gaps.push_back(static_cast<double>(ticks[i] - ticks[i - 1]));
    double mean = 0;
    for (double gap : gaps) mean += gap;
    mean /= static_cast<double>(gaps.size());
    std::printf("[ figures  ] repeat rhythm, rewind held %u s (Wine): %zu re-sends, mean %.1f ms, %s\n", seconds,
                ticks.size() - 1, mean, Spread(gaps, "ms").c_str());
    EXPECT_GT(mean, 30.0);
    EXPECT_LT(mean, 160.0);
}

TEST_F(PanelFigures, EveryKeyPressReachesThePlayerOnce) {
    // The stand-in's log tick and this program's tick are the same system clock.
    std::vector<double> delays;
    const size_t start = player.Commands().size();
    constexpr int presses = 25;
    for (int press = 0; press < presses; ++press) {
        const size_t before = player.Commands().size();
        const DWORD sent = GetTickCount();
        session->PressKey('S', 0, 's');  // shuffle: toggles, changes nothing else
        ASSERT_TRUE(player.WaitForLog(
            [&](const std::vector<e2e::PlayerLogEntry>&) { return player.Commands().size() > before; }, 5000));
        Sleep(120);  // the key-up and its 55 ms redraw: a second command would be in the log by now
        const auto commands = player.Commands();
        ASSERT_EQ(commands.size(), before + 1) << "press " << press;
        EXPECT_EQ(commands.back().wParam, 40023u) << "shuffle";
        delays.push_back(static_cast<double>(commands.back().tick - sent));
    }
    // A late second command would have hidden in the next press's count: the total settles on one each.
    Sleep(500);
    EXPECT_EQ(player.Commands().size(), start + presses);
    // The delay is a figure to report, not a pass mark.
    std::printf("[ figures  ] key press to command in the player's log (Wine): %s\n", Spread(delays, "ms").c_str());
}

}  // namespace
