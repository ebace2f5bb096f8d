// The player link with the real Win32 seam against the stand-in player: commands, the start of a missing
// player from its registered command, and the RepeatThread's rhythm, measured from the player's own log.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/settings.h"
#include "panel/panel.h"
#include "player/commands.h"
#include "player/player.h"
#include "recording_host.h"
#include "standin_player.h"

using namespace quaver;

namespace {

using e2e::PlayerLogEntry;
using e2e::StandinPlayer;

bool HasNote(const std::vector<PlayerLogEntry>& log, const std::string& note, uint32_t* tick = nullptr) {
    for (const auto& entry : log)
        if (entry.message.empty() && entry.note == note) {
            if (tick) *tick = entry.tick;
            return true;
        }
    return false;
}

std::vector<PlayerLogEntry> CommandsIn(const std::vector<PlayerLogEntry>& log) {
    std::vector<PlayerLogEntry> commands;
    for (const auto& entry : log)
        if (entry.message == "WM_COMMAND") commands.push_back(entry);
    return commands;
}

// Closes a player the module started (its process is not ours) and waits until its window is gone.
void ClosePlayerWindow() {
    for (int attempt = 0; attempt < 500; ++attempt) {
        HWND window = FindWindowA("Winamp v1.x", nullptr);
        if (!window) return;
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(10);
    }
}

class LinkedPlayer : public ::testing::Test {
protected:
    e2e::RegistryRootGuard cleanup;

    void SetUp() override {
        ASSERT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "another player is running on this desktop";
        host = &e2e::ResetRecordingHost();
        SetStartupInfo(&host->services);
        ASSERT_FALSE(hostLink.tooOld);
        settings.startPlayer[0] = 1;
        settings.startPlayer[1] = 0;
        playerLink.heldCommand = 0;
        playerLink.volumeChangeTick = 0;
        os::InitializeCriticalSection(openPanel.drawingLock);
        openPanel.displayActiveEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // the panel is on the screen
        stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override {
        StopRepeating();
        os::CloseHandle(stop);
        os::CloseHandle(openPanel.displayActiveEvent);
        openPanel.displayActiveEvent = nullptr;
        os::DeleteCriticalSection(openPanel.drawingLock);
        ClosePlayerWindow();
    }

    void StartRepeating() {
        repeater = os::CreateThread(RepeatThread, stop, 16384);
        ASSERT_NE(repeater, nullptr);
    }
    void StopRepeating() {
        if (!repeater) return;
        os::SetEvent(stop);
        EXPECT_EQ(os::WaitForSingleObject(repeater, 5000), os::WaitObject0);
        os::CloseHandle(repeater);
        repeater = nullptr;
    }

    e2e::RecordingHost* host = nullptr;
    os::Handle stop = nullptr;
    os::Handle repeater = nullptr;
};

// ---- commands -----------------------------------------------------------------------------------------

TEST_F(LinkedPlayer, EveryCommandArrivesAtThePlayerInOrder) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    EXPECT_EQ(FindPlayer(), player.Window());
    const uint32_t commands[] = {command::Previous,    command::Play,       command::Pause,  command::Stop,
                                 command::Next,        command::Open,       command::Rewind, command::FastForward,
                                 command::VolumeUp,    command::VolumeDown, command::ToggleShuffle,
                                 command::ToggleRepeat, command::AltE,      command::Alt3};
    for (uint32_t c : commands) SendPlayerCommand(c);

    const auto received = player.Commands();  // each send is blocking: all are logged by now
    ASSERT_EQ(received.size(), std::size(commands));
    for (size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i].wParam, commands[i]) << i;
        EXPECT_EQ(received[i].lParam, 0) << i;
    }
    EXPECT_TRUE(host->messageBoxes.empty()) << "no start, no notice";
}

// ---- starting a missing player ------------------------------------------------------------------------

class LinkedPlayerStart : public LinkedPlayer {
protected:
    void SetUp() override {
        LinkedPlayer::SetUp();
        settings.startPlayer[1] = 1;  // start on a command
        ASSERT_TRUE(registration.Registered());
        logPath = e2e::NewPlayerLogPath();
    }
    void TearDown() override {
        LinkedPlayer::TearDown();
        EndStartedPlayer();
        DeleteFileA(logPath.c_str());
    }
    // A player that never showed its window is still running: end it by the process id it logged.
    void EndStartedPlayer() const {
        for (const auto& entry : StandinPlayer::ReadLog(logPath)) {
            unsigned long id = 0;
            if (!entry.message.empty() || std::sscanf(entry.note.c_str(), "started, process %lu", &id) != 1) continue;
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
                if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        }
    }
    // The player the module starts takes its options from the environment it inherits.
    std::string StartOptions(const std::string& extra = "") const { return "--log \"" + logPath + "\" " + extra; }

    e2e::RegisteredStandinPlayer registration;
    std::string logPath;
};

TEST_F(LinkedPlayerStart, AMissingPlayerIsStartedFromItsRegisteredCommandAndGetsTheCommand) {
    e2e::ScopedEnvironment options("STANDIN_PLAYER_OPTIONS", StartOptions());
    SendPlayerCommand(command::Play);

    EXPECT_NE(FindPlayer(), nullptr);
    const auto log = StandinPlayer::ReadLog(logPath);
    const auto commands = CommandsIn(log);
    ASSERT_EQ(commands.size(), 1u) << "the started player receives the command";
    EXPECT_EQ(commands[0].wParam, command::Play);
    ASSERT_EQ(host->messageBoxes.size(), 1u);
    EXPECT_EQ(host->messageBoxes[0].lines, (std::vector<std::string>{"", "message 23"}));
    EXPECT_EQ(host->messageBoxes[0].buttonCount, 0);
    EXPECT_EQ(host->restores, 1) << "the screen is put back";
    EXPECT_EQ(host->savedAreasLive, 0);
    EXPECT_EQ(WaitForSingleObject(openPanel.displayActiveEvent, 0), WAIT_OBJECT_0) << "the display runs again";
}

TEST_F(LinkedPlayerStart, AWindowThatAppearsDuringTheLastWaitIsUsed) {
    // The 28th look comes no earlier than 7000 ms after the start; the window comes at about 6850 ms.
    e2e::ScopedEnvironment options("STANDIN_PLAYER_OPTIONS", StartOptions("--show-window-after 6850"));
    const DWORD start = GetTickCount();
    SendPlayerCommand(command::Next);
    const DWORD took = GetTickCount() - start;

    const auto log = StandinPlayer::ReadLog(logPath);
    uint32_t created = 0;
    ASSERT_TRUE(HasNote(log, "window created", &created));
    ASSERT_EQ(host->messageBoxTicks.size(), 1u);
    std::printf("[ figures  ] window created %lu ms after the notice; the command was sent after %lu ms\n",
                static_cast<unsigned long>(created - host->messageBoxTicks[0]), static_cast<unsigned long>(took));
    EXPECT_GE(took, 28u * 250u - 50u) << "all 28 waits were needed";
    const auto commands = CommandsIn(log);
    ASSERT_EQ(commands.size(), 1u) << "found at the 28th look and used";
    EXPECT_EQ(commands[0].wParam, command::Next);
}

TEST_F(LinkedPlayerStart, AWindowThatAppearsAfterTheWaitsIsNotUsedAndTheCommandIsLost) {
    e2e::ScopedEnvironment options("STANDIN_PLAYER_OPTIONS", StartOptions("--show-window-after 8500"));
    const DWORD start = GetTickCount();
    SendPlayerCommand(command::Next);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 28u * 250u - 50u);
    EXPECT_EQ(FindPlayer(), nullptr) << "given up before the window came";
    EXPECT_EQ(host->restores, 1);

    // The started player is left running: its window does come, and nothing was sent to it.
    const DWORD deadline = GetTickCount() + 10000;
    while (!FindPlayer() && GetTickCount() < deadline) Sleep(20);
    ASSERT_NE(FindPlayer(), nullptr);
    EXPECT_TRUE(CommandsIn(StandinPlayer::ReadLog(logPath)).empty());
}

// ---- the RepeatThread ---------------------------------------------------------------------------------

TEST_F(LinkedPlayer, AHeldCommandIsResentAboutEvery50Ms) {
    StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    playerLink.heldCommand = command::FastForward;
    StartRepeating();
    Sleep(1500);
    const DWORD released = GetTickCount();
    playerLink.heldCommand = 0;
    Sleep(200);
    const auto commands = player.Commands();
    // Letting go stops the re-sending: one send may already be under way, none starts after it. Checked while
    // the thread still runs, so that a thread that ignores the release cannot hide behind its own stop.
    size_t afterRelease = 0;
    for (const auto& c : commands) afterRelease += c.tick > released;
    EXPECT_LE(afterRelease, 1u) << "re-sends after the release";
    StopRepeating();

    ASSERT_GE(commands.size(), 3u);
    // One second from the third re-send on, away from the start.
    const uint32_t from = commands[2].tick;
    std::vector<uint32_t> gaps;
    size_t inSecond = 0;
    for (size_t i = 2; i < commands.size(); ++i) {
        if (commands[i].tick - from < 1000) ++inSecond;
        if (i > 2) gaps.push_back(commands[i].tick - commands[i - 1].tick);
    }
    ASSERT_FALSE(gaps.empty());
    std::sort(gaps.begin(), gaps.end());
    uint64_t sum = 0;
    for (uint32_t gap : gaps) sum += gap;
    std::printf("[ figures  ] %zu re-sends in one second; gaps min %u, median %u, max %u, mean %.1f ms\n",
                inSecond, gaps.front(), gaps[gaps.size() / 2], gaps.back(),
                static_cast<double>(sum) / static_cast<double>(gaps.size()));
    // About 20; a busy machine only slows the rhythm, so the lower bound leaves it room.
    EXPECT_GE(inSecond, 8u);
    EXPECT_LE(inSecond, 25u);
    for (const auto& c : commands) EXPECT_EQ(c.wParam, command::FastForward);
}

TEST_F(LinkedPlayer, ResendingStopsSoonAfterThePlayerExits) {
    StandinPlayer player({"--exit-after", "2500"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    const HWND window = player.Window();
    playerLink.heldCommand = command::VolumeUp;
    StartRepeating();

    while (IsWindow(window)) Sleep(1);
    const DWORD gone = GetTickCount();
    while (playerLink.heldCommand.load() != 0 && GetTickCount() - gone < 2000) Sleep(1);
    const DWORD dropped = GetTickCount() - gone;
    std::printf("[ figures  ] the held command was dropped %lu ms after the player's window went\n",
                static_cast<unsigned long>(dropped));
    EXPECT_EQ(playerLink.heldCommand.load(), 0u);
    // Typically within one 50 ms round; the bound leaves a loaded machine room, far below the 2 s waited.
    EXPECT_LE(dropped, 1000u);
    EXPECT_NE(playerLink.volumeChangeTick.load(), 0u) << "each volume re-send stamped the time";
    EXPECT_GE(player.Commands().size(), 5u) << "it was re-sending while the player ran";
}

TEST_F(LinkedPlayer, AHungPlayerGetsOneReSendAndThenOnlyQuestionsUntilItAnswers) {
    StandinPlayer player({"--hang-after", "800"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ASSERT_TRUE(player.WaitForLog([](const auto& log) { return HasNote(log, "hung"); }));
    playerLink.heldCommand = command::VolumeDown;  // every re-send stamps volumeChangeTick, answered or not
    StartRepeating();

    std::vector<uint32_t> stamps;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1200) {
        const uint32_t stamp = playerLink.volumeChangeTick.load();
        if (stamp != 0 && (stamps.empty() || stamp != stamps.back())) stamps.push_back(stamp);
        Sleep(1);
    }
    const DWORD stopping = GetTickCount();
    StopRepeating();
    std::printf("[ figures  ] hung player: %zu re-send(s) in 1.2 s; the thread ended %lu ms after the stop\n",
                stamps.size(), static_cast<unsigned long>(GetTickCount() - stopping));
    EXPECT_EQ(stamps.size(), 1u) << "re-sends would pile up in the hung player's queue";
    EXPECT_TRUE(IsWindow(player.Window()));
    EXPECT_TRUE(player.Commands().empty()) << "the hung player received nothing";
}

}  // namespace
