// The RepeatThread: a held button's command re-sent about every 50 ms, against the fake OS.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "player/commands.h"
#include "player/player.h"

using namespace quaver;

namespace {

class HeldCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
        os::InitializeCriticalSection(openPanel.drawingLock);
        openPanel.displayActiveEvent = os::CreateEvent(true, true);
        playerLink.heldCommand = 0;
        playerLink.heldSince = 0;  // any held command was pressed long ago
        playerLink.volumeChangeTick = 0;
        ForgetRepeatTarget();
        ForgetOwedAnswer();
    }
    void TearDown() override {
        StopThread();
        os::CloseHandle(openPanel.displayActiveEvent);
        openPanel.displayActiveEvent = nullptr;
        os::DeleteCriticalSection(openPanel.drawingLock);
    }

    // A player whose every answer takes sendMs of the manual clock.
    static void PlayerTaking(uint32_t sendMs) {
        fake::world().manualClock = true;
        fake::ShowPlayer([sendMs](uint32_t, uintptr_t, intptr_t) {
            fake::PlayerTakes(sendMs);
            return intptr_t{0};
        });
    }
    static std::vector<fake::SentMessage> Commands() {
        std::vector<fake::SentMessage> commands;
        for (const auto& sent : fake::SentMessages())
            if (sent.message == os::WmCommand) commands.push_back(sent);
        return commands;
    }
    static size_t CommandCount() { return Commands().size(); }

    void StartThread() {
        stop_ = os::CreateEvent(true, false);
        thread_ = os::CreateThread(RepeatThread, stop_, 16384);
        ASSERT_NE(thread_, nullptr);
    }
    // True when the thread ended within the time.
    bool StopThread(uint32_t withinMs = 2000) {
        if (!thread_) return true;
        os::SetEvent(stop_);
        const bool ended = os::WaitForSingleObject(thread_, withinMs) == os::WaitObject0;
        os::CloseHandle(thread_);
        os::CloseHandle(stop_);
        thread_ = stop_ = nullptr;
        return ended;
    }

    os::Handle stop_ = nullptr;
    os::Handle thread_ = nullptr;
};

// ---- one turn ---------------------------------------------------------------------------------------------

TEST_F(HeldCommand, NothingHeldSendsNothingAndKeepsTheFullPause) {
    PlayerTaking(10);
    EXPECT_EQ(RepeatHeldCommand(), 50u);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(HeldCommand, AHeldCommandIsSentWithAShortTimeOutAndThePauseMakesUpForTheSend) {
    PlayerTaking(12);
    playerLink.heldCommand = command::Rewind;
    EXPECT_EQ(RepeatHeldCommand(), 38u);
    const auto commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].window, fake::world().player);
    EXPECT_EQ(commands[0].wParam, command::Rewind);
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_TRUE(commands[0].withTimeout);
    EXPECT_EQ(commands[0].timeout, 45u);
    EXPECT_EQ(commands[0].flags, os::SmtoAbortIfHung);
    EXPECT_EQ(playerLink.heldCommand, command::Rewind) << "still held";
}

TEST_F(HeldCommand, ASendSlowerThanItsTimeOutIsGivenUpThereAndThePauseMakesUpForIt) {
    for (uint32_t took : {30u, 45u, 46u, 400u}) {
        PlayerTaking(took);
        ForgetRepeatTarget();
        ForgetOwedAnswer();  // each a player of its own
        playerLink.heldCommand = command::FastForward;
        const uint32_t started = fake::world().tick;
        EXPECT_EQ(RepeatHeldCommand(), took > 45 ? 5u : 50u - took) << took;
        EXPECT_EQ(fake::world().tick - started, std::min(took, 45u)) << "the clock stands at the time-out";
    }
}

TEST_F(HeldCommand, TheFirstReSendComesAWholePeriodAfterThePressSoAShortClickSendsOnce) {
    PlayerTaking(0);
    HoldCommand(command::Rewind);
    fake::world().tick += 20;
    EXPECT_EQ(RepeatHeldCommand(), 30u) << "woken 20 ms after the press: back when the period is over";
    fake::world().tick += 30;
    RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 1u);

    HoldCommand(command::Rewind);  // a click of 30 ms
    fake::world().tick += 30;
    DropHeldCommand();
    fake::world().tick += 20;
    RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 1u) << "let go before the first re-send";
}

TEST_F(HeldCommand, AfterAnUnansweredReSendThePlayerIsAskedBeforeAnythingMoreAndALetGoButtonIsNotSent) {
    // Commands take 100 ms (every re-send is given up at 45 ms, the player still has it queued); questions
    // take questionMs.
    fake::world().manualClock = true;
    uint32_t questionMs = 300;
    bool releaseWhileAsked = false;
    fake::ShowPlayer([&](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        fake::PlayerTakes(message == os::WmCommand ? 100 : questionMs);
        if (message == os::WmUser && releaseWhileAsked) playerLink.heldCommand = 0;
        return 0;
    });
    playerLink.heldCommand = command::Rewind;
    EXPECT_EQ(RepeatHeldCommand(), 5u);
    EXPECT_EQ(CommandCount(), 1u);

    // Not answering: asked again at most twice a second, never sent the command.
    const uint32_t start = fake::world().tick;
    while (fake::world().tick - start < 1500) fake::world().tick += RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 1u);
    const auto asked = fake::SentMessages().back();
    EXPECT_EQ(asked.message, os::WmUser);
    EXPECT_EQ(asked.timeout, 250u);
    EXPECT_EQ(asked.flags, os::SmtoAbortIfHung);

    // Let go while the player is being asked: its answer sends nothing.
    questionMs = 20;
    releaseWhileAsked = true;
    for (int turn = 0; turn < 12 && playerLink.heldCommand != 0; ++turn) fake::world().tick += RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 1u);

    // Held again on a player that answers: sent again.
    releaseWhileAsked = false;
    playerLink.heldCommand = command::Rewind;
    RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 2u) << "the player answered the question about the unanswered one";
}

TEST_F(HeldCommand, ASlowPlayerStillOwingAnAnswerIsAskedFirstWhenTheButtonIsPressedAgain) {
    PlayerTaking(100);  // every re-send is given up at 45 ms; a question is answered
    for (const uint32_t held : {command::Rewind, 0u, command::Rewind}) {
        playerLink.heldCommand = held;
        for (int turn = 0; turn < 12 && (held == 0 || CommandCount() < 2); ++turn) fake::world().tick += RepeatHeldCommand();
    }
    std::vector<uint32_t> messages;
    for (const auto& sent : fake::SentMessages()) messages.push_back(sent.message);
    EXPECT_EQ(messages, (std::vector<uint32_t>{os::WmCommand, os::WmUser, os::WmCommand}));
}

TEST_F(HeldCommand, TheSendDurationIsMeasuredAcrossTheTickCounterWrap) {
    PlayerTaking(20);
    fake::world().tick = 0xFFFFFFF6u;  // wraps 10 ms into the send
    playerLink.heldCommand = command::FastForward;
    EXPECT_EQ(RepeatHeldCommand(), 30u);
}

TEST_F(HeldCommand, AHungPlayerIsGivenUpAfter45MsAndTheRhythmHolds) {
    fake::world().manualClock = true;
    fake::ShowPlayer(nullptr);
    fake::world().playerHung = true;
    playerLink.heldCommand = command::FastForward;
    EXPECT_EQ(RepeatHeldCommand(), 5u) << "45 ms of send plus 5 ms of pause";
}

TEST_F(HeldCommand, VolumeCommandsStampTheirSendTimeOtherCommandsDoNot) {
    PlayerTaking(7);
    fake::world().tick = 5000;
    playerLink.heldCommand = command::VolumeUp;
    RepeatHeldCommand();
    EXPECT_EQ(playerLink.volumeChangeTick, 5000u) << "the tick before the send";
    playerLink.heldCommand = command::VolumeDown;
    RepeatHeldCommand();
    EXPECT_EQ(playerLink.volumeChangeTick, 5007u);

    playerLink.volumeChangeTick = 0;
    playerLink.heldCommand = command::Rewind;
    RepeatHeldCommand();
    EXPECT_EQ(playerLink.volumeChangeTick, 0u);
}

TEST_F(HeldCommand, APlayerThatIsGoneDropsTheHeldCommand) {
    fake::world().manualClock = true;
    playerLink.heldCommand = command::VolumeUp;
    EXPECT_EQ(RepeatHeldCommand(), 50u);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_EQ(playerLink.volumeChangeTick, 0u) << "nothing was sent, so no volume change to show";
    EXPECT_TRUE(Commands().empty());
}

TEST_F(HeldCommand, AnotherPlayerInThePlaceOfTheOneHeldForIsNotSentTheCommand) {
    PlayerTaking(0);
    playerLink.heldCommand = command::Rewind;
    RepeatHeldCommand();
    ASSERT_EQ(CommandCount(), 1u);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().player = reinterpret_cast<os::Window>(0xBEEF);  // the player restarted unseen
    }
    EXPECT_EQ(RepeatHeldCommand(), 50u);
    EXPECT_EQ(playerLink.heldCommand, 0u);
    EXPECT_EQ(CommandCount(), 1u) << "the new player gets nothing";

    playerLink.heldCommand = command::Rewind;  // a press made for the new player
    RepeatHeldCommand();
    EXPECT_EQ(CommandCount(), 2u);
    EXPECT_EQ(Commands().back().window, reinterpret_cast<os::Window>(0xBEEF));
    playerLink.heldCommand = 0;
    RepeatHeldCommand();  // the release ends the hold for this thread too
}

// ---- the thread -------------------------------------------------------------------------------------------

TEST_F(HeldCommand, WhileHeldTheCommandIsResentAboutEvery50Ms) {
    fake::ShowPlayer(nullptr);
    playerLink.heldCommand = command::FastForward;
    StartThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    playerLink.heldCommand = 0;
    const size_t sent = CommandCount();
    EXPECT_GE(sent, 5u);
    EXPECT_LE(sent, 12u);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_LE(CommandCount(), sent + 1) << "letting go stops the re-sending";
    EXPECT_TRUE(StopThread());
}

TEST_F(HeldCommand, WhileTheDisplayIsPausedTheThreadNeitherSendsNorSleeps) {
    fake::ShowPlayer(nullptr);
    os::ResetEvent(openPanel.displayActiveEvent);
    playerLink.heldCommand = command::Rewind;
    StartThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(fake::world().sleeps.empty());

    SetDisplayActive(true);
    EXPECT_TRUE(fake::WaitUntil([](fake::World& w) { return !w.sent.empty(); }, 2000)) << "resumes with the display";
    EXPECT_TRUE(StopThread());
}

TEST_F(HeldCommand, StoppingWinsOverAnActiveDisplay) {
    fake::ShowPlayer(nullptr);
    playerLink.heldCommand = command::Rewind;
    stop_ = os::CreateEvent(true, true);
    thread_ = os::CreateThread(RepeatThread, stop_, 16384);
    EXPECT_EQ(os::WaitForSingleObject(thread_, 2000), os::WaitObject0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(StopThread());
}

TEST_F(HeldCommand, ClosingThePlayerWhileHeldStopsTheResendingAndClearsTheCommand) {
    fake::ShowPlayer(nullptr);
    playerLink.heldCommand = command::VolumeDown;
    StartThread();
    ASSERT_TRUE(fake::WaitUntil([](fake::World& w) { return w.sent.size() >= 2; }, 2000));
    const auto closed = std::chrono::steady_clock::now();
    fake::RemovePlayer();
    const size_t sentBeforeClosing = CommandCount();
    ASSERT_TRUE(fake::WaitUntil([](fake::World&) { return playerLink.heldCommand.load() == 0; }, 2000));
    const auto dropped = std::chrono::steady_clock::now() - closed;
    EXPECT_LT(dropped, std::chrono::milliseconds(500)) << "within one turn, with room for a loaded machine";
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_LE(CommandCount(), sentBeforeClosing + 1) << "at most the send already under way";
    EXPECT_TRUE(StopThread());
}

TEST_F(HeldCommand, AHungPlayerGetsOneReSendAndTheRestWhenItAnswersAgain) {
    fake::ShowPlayer(nullptr);
    fake::world().playerHung = true;  // the re-send is given up after its 45 ms, the questions after 250 ms
    playerLink.heldCommand = command::FastForward;
    StartThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_EQ(CommandCount(), 1u) << "re-sends would pile up in a hung player's queue";
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerHung = false;
    }
    EXPECT_TRUE(fake::WaitUntil(
        [](fake::World& w) {
            return std::count_if(w.sent.begin(), w.sent.end(), [](const auto& m) { return m.message == os::WmCommand; }) >= 4;
        },
        2000))
        << "the rhythm resumes";
    EXPECT_TRUE(StopThread());
}

}  // namespace
