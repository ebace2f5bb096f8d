// "quaver:WORDS" on the host's command line: the words read as player commands, and what OpenPlugin does with
// them against the fake host and a scripted player.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "module/command_line.h"
#include "opening_checks.h"
#include "player/command_words.h"
#include "player/commands.h"
#include "scripted_player.h"

using namespace quaver;
using Result = CommandWords::Result;

namespace {

std::vector<uint32_t> Read(const char* text, Result expected) {
    CommandWords words;
    ReadCommandWords(text, words);
    EXPECT_EQ(words.result, expected) << (text ? text : "(null)");
    return {words.commands, words.commands + words.count};
}

TEST(CommandWordsTest, EveryWordAndAliasInAnyCaseNamesThePanelsCommandInOrder) {
    EXPECT_EQ(Read("play pause stop next prev previous rew rewind ffwd forward vol+ louder vol- quieter shuffle "
                   "repeat open",
                   Result::Commands),
              (std::vector<uint32_t>{command::Play, command::Pause, command::Stop, command::Next, command::Previous,
                                     command::Previous, command::Rewind, command::Rewind, command::FastForward,
                                     command::FastForward, command::VolumeUp, command::VolumeUp, command::VolumeDown,
                                     command::VolumeDown, command::ToggleShuffle, command::ToggleRepeat,
                                     command::Open}));
    EXPECT_EQ(Read("\t STOP  Next\tpLaY ", Result::Commands),
              (std::vector<uint32_t>{command::Stop, command::Next, command::Play}))
        << "any blanks and tabs between, before and after the words";
    EXPECT_EQ(Read("VOL+ Vol-", Result::Commands), (std::vector<uint32_t>{command::VolumeUp, command::VolumeDown}));
}

TEST(CommandWordsTest, AnUnknownWordOrAnOverlongTextYieldsNoCommandAtAllAndNoWordsIsBlank) {
    for (const char* blank : {"", "   ", " \t ", static_cast<const char*>(nullptr)}) Read(blank, Result::Blank);

    CommandWords words;
    const char text[] = "stop next nextt play";
    ReadCommandWords(text, words);
    EXPECT_EQ(words.result, Result::UnknownWord);
    EXPECT_EQ(words.count, 0) << "not even the words before it";
    EXPECT_EQ(std::string(words.unknownWord, words.unknownWordLength), "nextt");
    for (const char* unknown : {"nex", "vol", "vol++", "play,next", "stop\xFF", "s"}) Read(unknown, Result::UnknownWord);

    // 511 characters and the terminator fill the host's command line exactly: 128 words are read.
    std::string longest;
    while (longest.size() < 508) longest += "rew ";
    longest += "rew";
    ASSERT_EQ(longest.size(), 511u);
    EXPECT_EQ(Read(longest.c_str(), Result::Commands).size(), 128u);
    Read((longest + " ").c_str(), Result::TooLong);

    // Unterminated within 512 bytes: refused, and nothing beyond the 512 bytes is read (the buffer ends there).
    std::vector<char> unterminated(commandTextCapacity, ' ');
    ReadCommandWords(unterminated.data(), words);
    EXPECT_EQ(words.result, Result::TooLong);
    EXPECT_EQ(words.count, 0);
}

class CommandLineOpening : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::world().manualClock = true;
        fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 1);
        fake::StartModule();
    }
    void TearDown() override { fake::RemovePlayer(); }

    static void* Open(const char* text) { return OpenPlugin(openFromCommandLine, reinterpret_cast<intptr_t>(text)); }
    static std::vector<uint32_t> Commands() {
        std::vector<uint32_t> commands;
        for (const fake::SentMessage& sent : fake::SentMessages())
            if (sent.message == os::WmCommand) commands.push_back(static_cast<uint32_t>(sent.wParam));
        return commands;
    }
    static void ExpectNothingDrawn() {
        EXPECT_TRUE(fake::PutTexts().empty());
        EXPECT_TRUE(fake::host().saveRequests.empty());
        EXPECT_TRUE(fake::world().keybdEvents.empty()) << "no panel, so no synthetic Shift";
    }

    fake::PlayerAnswers answers;
};

const void* const noPanel = reinterpret_cast<void*>(intptr_t{-1});

TEST_F(CommandLineOpening, ThePrefixIsNamedAndTheWordsGoToThePlayerInOrderWithoutAPanel) {
    PluginInfoRecord info{};
    GetPluginInfo(&info);
    EXPECT_STREQ(info.commandPrefixes, "quaver");

    fake::ShowScriptedPlayer(&answers);
    EXPECT_EQ(Open("stop  NEXT play"), noPanel);
    EXPECT_EQ(Commands(), (std::vector<uint32_t>{command::Stop, command::Next, command::Play}));
    EXPECT_TRUE(fake::host().messageBoxes.empty());
    EXPECT_TRUE(fake::world().beeps.empty());
    ExpectNothingDrawn();
}

TEST_F(CommandLineOpening, AnUnknownWordOrAnOverlongTextSendsNothingAndShowsTheErrorBox) {
    fake::ShowScriptedPlayer(&answers);
    fake::host().messages[26] = "Not a player command:";
    EXPECT_EQ(Open("next bogus play"), noPanel);
    EXPECT_EQ(Open(std::string(600, 'x').c_str()), noPanel);
    EXPECT_EQ(Open(std::string(495, 'x').c_str()), noPanel);  // one long unknown word: named, cut to fit the box

    EXPECT_TRUE(Commands().empty());
    ASSERT_EQ(fake::host().messageBoxes.size(), 3u);
    EXPECT_EQ(fake::host().messageBoxes[0].lines,
              (std::vector<std::string>{"Quaver Control", "Not a player command: \"bogus\"", "message 22"}));
    EXPECT_EQ(fake::host().messageBoxes[0].flags, 9u);
    EXPECT_EQ(fake::host().messageBoxes[1].lines[1], "message 27");
    EXPECT_EQ(fake::host().messageBoxes[2].lines[1], "Not a player command: \"" + std::string(40, 'x') + "\"");
    ExpectNothingDrawn();
}

TEST_F(CommandLineOpening, AMissingPlayerIsStartedAsThePanelWouldAndWithoutOneTheRestIsDropped) {
    // As opening the panel and pressing the keys: bit 0 of the stored "AutostartWinamp" allows a start, bit 1
    // leaves it to the first command instead of the opening; either way the commands reach the started player.
    fake::world().classesRoot["Winamp.File\\shell\\open\\command"] = "C:\\Winamp\\winamp.exe \"%1\"";
    fake::world().onCreateProcess = [this](const std::string&) { fake::ShowScriptedPlayer(&answers); };
    for (uint32_t stored : {0u, 1u, 2u, 3u}) {
        SCOPED_TRACE("AutostartWinamp " + std::to_string(stored));
        fake::RemovePlayer();
        {
            std::lock_guard lock(fake::Mutex());
            fake::world().sent.clear();
            fake::world().beeps.clear();
            fake::world().processesStarted.clear();
        }
        fake::SetDword(fake::testSettingsKey, "AutostartWinamp", stored);
        EXPECT_EQ(Open("play next"), noPanel);
        const bool starts = (stored & 1) != 0;
        EXPECT_EQ(fake::world().processesStarted.size(), starts ? 1u : 0u);
        EXPECT_EQ(Commands(), starts ? (std::vector<uint32_t>{command::Play, command::Next}) : std::vector<uint32_t>{});
        EXPECT_EQ(fake::world().beeps, starts ? std::vector<uint32_t>{} : std::vector<uint32_t>{0x40})
            << "no player: one beep, and the later words are dropped";
    }
}

TEST_F(CommandLineOpening, AHostThatAsksLearnsWhetherEveryWordWasTakenAndTheLineStopsAtTheFirstThatWasNot) {
    // AutostartWinamp, player (0 none, 1 answering, 2 frozen), words, status, commands sent
    const std::tuple<uint32_t, int, const char*, uint32_t, size_t> cases[] = {
        {0, 1, "stop next", commandStatus::Sent, 2},          {0, 1, "stop bogus", commandStatus::Refused, 0},
        {0, 0, "stop next", commandStatus::NoPlayer, 0},      {1, 0, "stop next", commandStatus::StartFailed, 0},
        {0, 2, "stop next play", commandStatus::NotAnswered, 1}};
    for (const auto& [autostart, player, text, status, sent] : cases) {
        SetUp();
        fake::SetDword(fake::testSettingsKey, "AutostartWinamp", autostart);
        if (player) fake::ShowScriptedPlayer(&answers);
        fake::world().playerHung = player == 2;
        Open(text);
        PluginInfoReport report{};
        report.info.size = sizeof report;
        GetPluginInfo(&report.info);
        EXPECT_EQ(report.commandStatus, status) << text;
        EXPECT_EQ(Commands().size(), sent) << text;
    }
}

TEST_F(CommandLineOpening, AStartFromTheCommandLineLeavesTheHostsTypedInputAloneAlsoAfterAPanel) {
    fake::PushKey(27, true);
    Open("");  // a panel, opened and closed
    fake::world().onCreateProcess = [this](const std::string&) { fake::ShowScriptedPlayer(&answers); };
    fake::PushKey(0x41, true);  // typed for the host
    Open("play");
    EXPECT_EQ(Commands(), std::vector<uint32_t>{command::Play});
    EXPECT_EQ(fake::PendingInput(), 1u);
    EXPECT_EQ(fake::world().inputFlushes, 0);
}

TEST_F(CommandLineOpening, BlankTextOpensThePanelAsTheMenuEntryDoes) {
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    fake::PushKey(27, true);
    EXPECT_EQ(Open("   "), noPanel);
    EXPECT_FALSE(fake::PutTexts().empty()) << "the panel was drawn";
    EXPECT_TRUE(Commands().empty());
    fake::ExpectNothingLeftBehind();
}

}  // namespace
