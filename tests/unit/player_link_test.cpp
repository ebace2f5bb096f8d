// Finding, starting and commanding the player, against the fake OS and a recording host.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/panel.h"
#include "player/add_queue.h"
#include "player/commands.h"
#include "player/player.h"

using namespace quaver;

namespace {

const os::Window userWindow = reinterpret_cast<os::Window>(0xF00D);  // the fake's foreground at start
const char registeredKey[] = "winamp.file\\shell\\open\\command";

class PlayerLink : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
        fake::world().manualClock = true;  // the 250 ms waits pass at once
        os::InitializeCriticalSection(openPanel.drawingLock);
        openPanel.displayActiveEvent = os::CreateEvent(true, true);  // the panel is on the screen
        playerLink.heldCommand = 0;
        playerLink.volumeChangeTick = 0;
        ForgetOwedAnswer();
        ForgetRepeatTarget();
        Autostart(1);
    }
    void TearDown() override {
        os::CloseHandle(openPanel.displayActiveEvent);
        openPanel.displayActiveEvent = nullptr;
        os::DeleteCriticalSection(openPanel.drawingLock);
    }

    static void Autostart(uint32_t stored) {
        fake::SetDword(fake::testSettingsKey, "AutostartWinamp", stored);
        LoadDisplaySettings();
    }
    static void Register(const std::string& command) { fake::world().classesRoot[registeredKey] = command; }
    // The started process brings up the player's window by the time of the first wait.
    static void StartingMakesThePlayerAppear() {
        fake::world().onCreateProcess = [](const std::string&) { fake::ShowPlayer(nullptr); };
    }
    static bool DisplayActive() { return os::WaitForSingleObject(openPanel.displayActiveEvent, 0) == os::WaitObject0; }
    static int StartWaits() {
        std::lock_guard lock(fake::Mutex());
        const auto& sleeps = fake::world().sleeps;
        return static_cast<int>(std::count(sleeps.begin(), sleeps.end(), startWaitPeriod));
    }
    static std::vector<fake::SentMessage> Commands() {
        std::vector<fake::SentMessage> commands;
        for (const auto& sent : fake::SentMessages())
            if (sent.message == os::WmCommand) commands.push_back(sent);
        return commands;
    }
    static size_t Started() { return fake::world().processesStarted.size(); }
    static int Questions() {
        int questions = 0;
        for (const auto& sent : fake::SentMessages()) questions += sent.message == os::WmUser;
        return questions;
    }
    // A player that has stopped answering, though not yet hung for Windows: every send waits its whole
    // time-out.
    static void FrozenPlayer(bool frozen = true) {
        if (!fake::world().player) fake::ShowPlayer(nullptr);
        std::lock_guard lock(fake::Mutex());
        fake::world().playerHung = frozen;
    }
};

// ---- when a missing player is started --------------------------------------------------------------------

TEST_F(PlayerLink, TheStoredAutostartSettingDecidesWhetherTheOpeningPanelOrACommandStartsThePlayer) {
    struct Case {
        uint32_t stored;
        bool startsAtOpening;
        bool startsOnCommand;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, false}, {3, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("AutostartWinamp " + std::to_string(c.stored));

        TearDown();
        SetUp();
        Autostart(c.stored);
        Register(R"("C:\Winamp\winamp.exe" "%1")");
        StartingMakesThePlayerAppear();
        const os::Window atOpening = FindOrStartPlayer(settings.startPlayer[1] == 0);
        EXPECT_EQ(Started(), c.startsAtOpening ? 1u : 0u);
        EXPECT_EQ(atOpening != nullptr, c.startsAtOpening);

        TearDown();
        SetUp();
        Autostart(c.stored);
        Register(R"("C:\Winamp\winamp.exe" "%1")");
        StartingMakesThePlayerAppear();
        SendPlayerCommand(command::Play);
        EXPECT_EQ(Started(), c.startsOnCommand ? 1u : 0u);
        if (c.startsOnCommand) {
            ASSERT_EQ(Commands().size(), 1u) << "the started player gets the command";
            EXPECT_EQ(Commands()[0].wParam, command::Play);
            EXPECT_TRUE(fake::world().beeps.empty());
        } else {
            EXPECT_TRUE(Commands().empty());
            EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40}) << "no player: the information beep";
        }
    }
}

TEST_F(PlayerLink, ARunningPlayerIsUsedAsItIsWithoutNoticeOrStart) {
    fake::ShowPlayer(nullptr);
    Register(R"("C:\Winamp\winamp.exe" "%1")");
    EXPECT_EQ(FindOrStartPlayer(true), fake::world().player);
    EXPECT_EQ(Started(), 0u);
    EXPECT_TRUE(fake::host().messageBoxes.empty());
    EXPECT_TRUE(fake::host().savedRects.empty());
    EXPECT_TRUE(fake::world().foregroundsSet.empty());
}

// ---- what a start looks like to the user -----------------------------------------------------------------

TEST_F(PlayerLink, StartingShowsTheNoticeOverTheSavedScreenAndPutsEverythingBackAfterwards) {
    Register(R"("C:\Program Files\Winamp\winamp.exe" "%1")");
    bool pausedDuringStart = false;
    int savedDuringStart = 0;
    size_t noticesDuringStart = 0;
    fake::world().onCreateProcess = [&](const std::string&) {
        pausedDuringStart = !DisplayActive();
        {
            std::lock_guard lock(fake::HostMutex());
            savedDuringStart = fake::host().savedAreasLive;
            noticesDuringStart = fake::host().messageBoxes.size();
        }
        fake::ShowPlayer(nullptr);
        os::SetForegroundWindow(fake::world().player);  // a new program takes the foreground
    };

    const os::Window player = FindOrStartPlayer(true);

    EXPECT_EQ(player, fake::world().player);
    EXPECT_TRUE(pausedDuringStart) << "the worker threads must not draw over the notice";
    EXPECT_EQ(savedDuringStart, 1);
    EXPECT_EQ(noticesDuringStart, 1u);
    EXPECT_EQ(fake::host().saveRequests, (std::vector<std::vector<int>>{{0, 0, -1, -1}})) << "the whole screen";
    ASSERT_EQ(fake::host().messageBoxes.size(), 1u);
    const fake::MessageBoxCall& notice = fake::host().messageBoxes[0];
    EXPECT_EQ(notice.lines, (std::vector<std::string>{"", "message 23"}));
    EXPECT_EQ(notice.buttonCount, 0) << "no buttons: the host returns at once";
    EXPECT_EQ(notice.flags, 0u);
    EXPECT_EQ(notice.helpTopic, "");
    EXPECT_EQ(fake::world().processesStarted, std::vector<std::string>{R"("C:\Program Files\Winamp\winamp.exe")"});
    EXPECT_EQ(StartWaits(), 1) << "found at the first look";
    EXPECT_EQ(fake::host().restores, 1);
    EXPECT_EQ(fake::host().savedAreasLive, 0);
    EXPECT_TRUE(DisplayActive());
    EXPECT_EQ(fake::world().foreground, userWindow) << "the foreground is given back";
}

TEST_F(PlayerLink, StartingResumesOnlyADisplayThatWasRunningBefore) {
    // At panel opening, and while the panel is hidden, nothing may be drawn once the start is over.
    os::ResetEvent(openPanel.displayActiveEvent);
    Register(R"(C:\Winamp\winamp.exe "%1")");
    StartingMakesThePlayerAppear();
    ASSERT_NE(FindOrStartPlayer(true), nullptr);
    EXPECT_FALSE(DisplayActive());
    EXPECT_EQ(fake::host().restores, 1);
}

TEST_F(PlayerLink, AnUnquotedRegisteredPathWithBlanksIsStartedQuoted) {
    Register(R"(C:\Program Files\Player\player.exe "%1")");
    StartingMakesThePlayerAppear();
    FindOrStartPlayer(true);
    EXPECT_EQ(fake::world().processesStarted, std::vector<std::string>{R"("C:\Program Files\Player\player.exe")"});
}

TEST_F(PlayerLink, WithoutARegisteredCommandMessage24IsTheCommandLineAsItStands) {
    fake::host().messages[24] = R"("C:\Program Files\Winamp\winamp.exe" /NEW)";
    StartingMakesThePlayerAppear();
    EXPECT_NE(FindOrStartPlayer(true), nullptr);
    EXPECT_EQ(fake::world().processesStarted, std::vector<std::string>{R"("C:\Program Files\Winamp\winamp.exe" /NEW)"});
}

TEST_F(PlayerLink, ARegisteredCommandTooLongForTheBufferFallsBackToMessage24) {
    Register("C:\\" + std::string(300, 'w') + ".exe");
    fake::host().messages[24] = "winamp.exe";
    StartingMakesThePlayerAppear();
    FindOrStartPlayer(true);
    EXPECT_EQ(fake::world().processesStarted, std::vector<std::string>{"winamp.exe"});
}

TEST_F(PlayerLink, AnOverlongMessage24IsCutTo260Characters) {
    fake::host().messages[24] = std::string(400, 'm');
    FindOrStartPlayer(true);
    ASSERT_EQ(Started(), 1u);
    EXPECT_EQ(fake::world().processesStarted[0], std::string(260, 'm'));
}

// ---- when the start fails --------------------------------------------------------------------------------

TEST_F(PlayerLink, AProcessThatCannotBeCreatedIsNotWaitedForAndTheCommandBeeps) {
    Autostart(3);
    Register(R"(C:\Winamp\winamp.exe)");
    fake::world().createProcessFails = true;
    SendPlayerCommand(command::Next);
    EXPECT_EQ(StartWaits(), 0);
    EXPECT_EQ(fake::host().restores, 1);
    EXPECT_TRUE(DisplayActive());
    EXPECT_EQ(fake::world().foreground, userWindow);
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PlayerLink, AWindowFirstFoundAtThe28thWaitIsUsed) {
    Autostart(3);
    Register(R"(C:\Winamp\winamp.exe)");
    fake::world().onFindWindow = [](int) {
        if (StartWaits() == 28) fake::ShowPlayer(nullptr);
    };
    SendPlayerCommand(command::Stop);
    EXPECT_EQ(StartWaits(), 28);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].wParam, command::Stop);
    EXPECT_TRUE(fake::world().beeps.empty());
}

TEST_F(PlayerLink, AWindowThatAppearsAfterTheWaitingIsOverIsNotUsedAndTheCommandBeeps) {
    Autostart(3);
    Register(R"(C:\Winamp\winamp.exe)");
    // Lookups: one before the start, one after each of the 28 waits, one fresh at the end.
    fake::world().onFindWindow = [](int lookups) {
        if (lookups > 1 + 28 + 1) fake::ShowPlayer(nullptr);
    };
    SendPlayerCommand(command::Stop);
    EXPECT_EQ(StartWaits(), 28) << "at most 7 seconds";
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
    EXPECT_EQ(fake::host().restores, 1);
    EXPECT_TRUE(DisplayActive());

    // The started player was left running: the next command reaches it without another start.
    SendPlayerCommand(command::Play);
    EXPECT_EQ(Started(), 1u);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].wParam, command::Play);
}

// ---- sending a command -----------------------------------------------------------------------------------

TEST_F(PlayerLink, ACommandIsOneBoundedSendAndTheForegroundComesBack) {
    fake::ShowPlayer([](uint32_t, uintptr_t, intptr_t) {
        os::SetForegroundWindow(fake::world().player);  // the player comes to the front on a command
        return intptr_t{0};
    });
    EXPECT_EQ(SendPlayerCommand(command::FastForward), CommandResult::Sent);
    const auto commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].window, fake::world().player);
    EXPECT_EQ(commands[0].wParam, command::FastForward);
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_TRUE(commands[0].withTimeout);
    EXPECT_EQ(commands[0].flags, os::SmtoAbortIfHung);
    EXPECT_EQ(fake::world().foreground, userWindow);
    EXPECT_TRUE(fake::world().beeps.empty());
}

TEST_F(PlayerLink, ACommandToAHungPlayerIsGivenUpWithinASecond) {
    fake::ShowPlayer(nullptr);
    fake::world().playerHung = true;
    const uint32_t before = fake::world().tick;
    EXPECT_EQ(SendPlayerCommand(command::Play), CommandResult::Unanswered);
    EXPECT_EQ(fake::world().tick - before, commandSendTimeout);
    EXPECT_LT(fake::world().tick - before, 1000u) << "the host's thread is back within a second";
    EXPECT_EQ(fake::world().foreground, userWindow);
    EXPECT_TRUE(fake::world().beeps.empty()) << "there is a player: it is only not answering";
}

// ---- what the player owes ------------------------------------------------------------------------------------

TEST_F(PlayerLink, AButtonHeldBehindACommandThePlayerLeftUnansweredIsNotRepeatedUntilItAnswersAgain) {
    FrozenPlayer();
    ASSERT_EQ(SendPlayerCommand(command::Play), CommandResult::Unanswered);
    HoldCommand(command::Rewind);
    const uint32_t start = fake::world().tick;
    while (fake::world().tick - start < 2000) fake::world().tick += RepeatHeldCommand();  // the thread's turns
    EXPECT_EQ(Commands().size(), 1u) << "rewind never reaches the frozen player";
    EXPECT_LE(Questions(), static_cast<int>(2000 / repeatProbeTimeout) + 1) << "one question a turn, no more";

    FrozenPlayer(false);
    for (int turn = 0; turn < 12 && Commands().size() < 2; ++turn) fake::world().tick += RepeatHeldCommand();
    ASSERT_EQ(Commands().size(), 2u) << "the next question is answered, and the repeat goes on";
    EXPECT_EQ(Commands().back().wParam, command::Rewind);
}

TEST_F(PlayerLink, ACommandBehindARepeatThePlayerLeftUnansweredIsRefusedWithoutWaitingForIt) {
    FrozenPlayer();
    HoldCommand(command::Rewind);
    fake::world().tick += repeatPeriod;
    RepeatHeldCommand();  // given up after its 45 ms
    DropHeldCommand();
    uint32_t before = fake::world().tick;
    EXPECT_EQ(SendPlayerCommand(command::Play), CommandResult::Refused);
    EXPECT_EQ(fake::world().tick - before, commandProbeTimeout) << "one quick question, never the send's 300 ms";
    before = fake::world().tick;
    EXPECT_EQ(SendPlayerCommand(command::Play), CommandResult::Refused);
    EXPECT_EQ(fake::world().tick - before, 0u) << "not even a question within the half second";
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(fake::world().beeps.size(), 2u);
}

TEST_F(PlayerLink, AnEntryForgetsWhatThePlayerOwesUnlessAnAddIsStillSending) {
    FrozenPlayer();
    ASSERT_EQ(SendPlayerCommand(command::Play), CommandResult::Unanswered);
    addQueue.state = addState::Adding;
    ForgetOwedAnswer();
    EXPECT_EQ(owedAnswer.player.load(), fake::world().player) << "the AddThread's next file waits for an answer";
    addQueue.state = addState::Done;
    ForgetOwedAnswer();
    EXPECT_EQ(owedAnswer.player.load(), nullptr);
    addQueue.state = addState::Idle;
}

TEST_F(PlayerLink, AnotherWindowInThePlayersPlaceOwesNothing) {
    FrozenPlayer();
    ASSERT_EQ(SendPlayerCommand(command::Play), CommandResult::Unanswered);
    const auto restarted = reinterpret_cast<os::Window>(0xBEEF);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().player = restarted;
        fake::world().playerHung = false;
    }
    EXPECT_EQ(SendPlayerCommand(command::Play), CommandResult::Sent);
    EXPECT_EQ(Commands().back().window, restarted);
    EXPECT_EQ(Questions(), 0) << "sent at once, without asking first";
}

TEST_F(PlayerLink, WithNoPlayerAndNoStartACommandOnlyBeeps) {
    Autostart(1);  // starts at panel opening, not on commands
    Register(R"(C:\Winamp\winamp.exe)");
    SendPlayerCommand(command::Previous);
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
    EXPECT_EQ(Started(), 0u);
    EXPECT_TRUE(fake::host().messageBoxes.empty()) << "no visible sign but the beep";
    EXPECT_TRUE(fake::world().foregroundsSet.empty());
}

}  // namespace
