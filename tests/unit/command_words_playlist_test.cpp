// The command line's words that take a value or ask the player more (track, jump, seek, volume, add): how
// they are read, checked together before anything is sent, and what reaches the player.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "module/command_line.h"
#include "player/command_words.h"
#include "player/commands.h"
#include "player/add_queue.h"
#include "player/panel_paths.h"
#include "player/playlist_titles.h"
#include "player/word_actions.h"
#include "scripted_player.h"

using namespace quaver;
using Result = CommandWords::Result;

namespace {

TEST(ValueWords, EachWordReadsItsValueAndAWrongOrMissingValueRefusesTheWholeLine) {
    struct Case {
        const char* text;
        Result result;
        std::vector<uint32_t> commands;
        std::vector<int32_t> values;
        const char* named;  // the word and value an error box names
    };
    const Case cases[] = {
        {"track 1 TRACK 12", Result::Commands, {word::Track, word::Track}, {0, 11}, ""},
        {"seek 90 seek 1:30 seek +5 seek -0:07", Result::Commands,
         {word::SeekTo, word::SeekTo, word::SeekBy, word::SeekBy}, {90000, 90000, 5000, -7000}, ""},
        {"volume 0 volume 50 volume 100 volume 1", Result::Commands,
         {word::Volume, word::Volume, word::Volume, word::Volume}, {0, 128, 255, 3}, ""},
        {"stop add play", Result::Commands, {command::Stop, word::Add, command::Play}, {0, 0, 0}, ""},
        {"next jump  The Boxer  ", Result::Commands, {command::Next, word::Jump}, {0, 0}, ""},
        {"track 0", Result::BadValue, {}, {}, "track 0"},
        {"play track", Result::BadValue, {}, {}, "track"},
        {"track 2x", Result::BadValue, {}, {}, "track 2x"},
        {"track 99999999999", Result::BadValue, {}, {}, "track 99999999999"},
        {"volume 101", Result::BadValue, {}, {}, "volume 101"},
        {"volume -1", Result::BadValue, {}, {}, "volume -1"},
        {"seek 1:60", Result::BadValue, {}, {}, "seek 1:60"},
        {"seek 1:5", Result::BadValue, {}, {}, "seek 1:5"},
        {"seek :30", Result::BadValue, {}, {}, "seek :30"},
        {"seek +", Result::BadValue, {}, {}, "seek +"},
        {"jump   ", Result::BadValue, {}, {}, "jump"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CommandWords words;
        ReadCommandWords(c.text, words);
        EXPECT_EQ(words.result, c.result);
        EXPECT_EQ(std::vector<uint32_t>(words.commands, words.commands + words.count), c.commands);
        EXPECT_EQ(std::vector<int32_t>(words.values, words.values + words.count), c.values);
        if (c.result == Result::BadValue) {
            EXPECT_EQ(std::string(words.unknownWord, words.unknownWordLength), c.named);
        }
        if (!c.commands.empty() && c.commands.back() == word::Jump) {
            EXPECT_EQ(std::string(words.jumpText, words.jumpTextLength), "The Boxer") << "the rest of the line";
        }
    }
}

PanelItem Item(const char* name, uint32_t attributes = 0) {
    PanelItem item{};
    std::strncpy(item.name, name, sizeof item.name - 1);
    item.attributes = attributes;
    return item;
}

TEST(PanelPaths, TheFolderAndNameMakeThePathAndDotDotOrAnOverlongPathIsSkipped) {
    PanelState state{};
    std::strcpy(state.folder, "C:\\Music");
    char path[pathCapacity];
    ASSERT_TRUE(PathOfItem(state, Item("a.mp3"), path));
    EXPECT_STREQ(path, "C:\\Music\\a.mp3");
    std::strcpy(state.folder, "C:\\");
    ASSERT_TRUE(PathOfItem(state, Item("Album", panelControl::FolderAttribute), path));
    EXPECT_STREQ(path, "C:\\Album") << "no second backslash";
    EXPECT_FALSE(PathOfItem(state, Item(".."), path));
    EXPECT_TRUE(PathOfItem(state, Item(std::string(256, 'n').c_str()), path)) << "259 characters fit MAX_PATH";
    EXPECT_FALSE(PathOfItem(state, Item(std::string(257, 'n').c_str()), path));

    state.flags = panelControl::RealNames;
    EXPECT_TRUE(HoldsRealFiles(state));
    state.pluginPanel = 1;
    EXPECT_FALSE(HoldsRealFiles(state)) << "a plug-in's panel";
    state.pluginPanel = 0;
    state.flags = 0;
    EXPECT_FALSE(HoldsRealFiles(state)) << "names that are not real files";
}

class ValueWordsSent : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::world().manualClock = true;
        fake::StartModule();
        answers.playlistLength = 4;
        answers.listPosition = 1;
        answers.position = 65000;
        fake::PlaceTitles({"Simon & Garfunkel - The Boxer", "Caf\xE9 Orchestra", "The Boxer (Live)", "Outro"});
        fake::ShowScriptedPlayer(&answers);
        std::strcpy(fake::host().panel.folder, "C:\\Caf\x82");  // OEM, as the host gives it
        fake::host().panel.flags = panelControl::RealNames;
        ForgetTitles();
    }
    void TearDown() override {
        EXPECT_TRUE(AddEnds());
        addQueue.state = addState::Idle;  // no add of this test is shown or reported in the next
        fake::RemovePlayer();
    }
    static bool AddEnds() {
        return fake::WaitUntil([](fake::World&) { return !AddUnderWay(); }, 5000);
    }

    static void Open(const char* text) { OpenPlugin(openFromCommandLine, reinterpret_cast<intptr_t>(text)); }
    // What the words sent: "WM_USER wParam lParam" for the playlist's own messages, "command N" for commands.
    static std::vector<std::string> Sent() {
        std::vector<std::string> sent;
        for (const fake::SentMessage& m : fake::SentMessages()) {
            const bool order = m.lParam == 121 || m.lParam == 106 || (m.lParam == 122 && m.wParam <= 255);
            if (m.message == os::WmUser && order)
                sent.push_back("WM_USER " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
            else if (m.message == os::WmCommand)
                sent.push_back("command " + std::to_string(m.wParam));
            else if (m.message == os::WmCopyData)
                sent.push_back("WM_COPYDATA " + std::to_string(m.wParam));
        }
        return sent;
    }
    void SelectInPanel(std::vector<PanelItem> items) {
        panelItems = std::move(items);
        fake::host().panel.selectedItems = panelItems.data();
        fake::host().panel.selectedCount = static_cast<int>(panelItems.size());
    }

    fake::PlayerAnswers answers;
    std::vector<PanelItem> panelItems;
};

TEST_F(ValueWordsSent, TrackJumpSeekAndVolumeReachThePlayerInOrder) {
    Open("track 4 seek +10 seek 0:30 volume 50 jump boxer");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"WM_USER 3 121", "command 40045", "WM_USER 75000 106",
                                                "WM_USER 30000 106", "WM_USER 128 122", "WM_USER 2 121",
                                                "command 40045"}))
        << "the jump finds the first title after the current one holding the text, in any case";
    EXPECT_TRUE(fake::host().messageBoxes.empty());
}

TEST_F(ValueWordsSent, AJumpWrapsAroundTheListAndComparesNonAsciiLettersWithoutCase) {
    answers.listPosition = 3;
    Open("jump CAF\x90");  // OEM capital E acute
    EXPECT_EQ(Sent(), (std::vector<std::string>{"WM_USER 1 121", "command 40045"}));
}

TEST_F(ValueWordsSent, AnyWordThatCannotBeCarriedOutSendsNothingAtAllAndNamesTheWord) {
    fake::host().messages[29] = "Not a valid value:";
    fake::host().messages[30] = "No title in the playlist contains:";
    fake::host().messages[31] = "No real files.";
    Open("stop track 5");
    Open("stop jump nowhere");
    Open("stop seek 1:99");
    fake::host().panel.flags = 0;
    Open("stop add");
    EXPECT_TRUE(Sent().empty());
    ASSERT_EQ(fake::host().messageBoxes.size(), 4u);
    EXPECT_EQ(fake::host().messageBoxes[0].lines[1], "Not a valid value: \"track 5\"");
    EXPECT_EQ(fake::host().messageBoxes[1].lines[1], "No title in the playlist contains: \"nowhere\"");
    EXPECT_EQ(fake::host().messageBoxes[2].lines[1], "Not a valid value: \"seek 1:99\"");
    EXPECT_EQ(fake::host().messageBoxes[3].lines[1], "No real files. \"add\"");
}

TEST_F(ValueWordsSent, AddSendsTheSelectedPathsInPanelOrderAndAStoppedPlayerPlaysTheFirst) {
    answers.playing = 0;
    SelectInPanel({Item(".."), Item("b.mp3"), Item("Album", panelControl::FolderAttribute), Item("a.mp3")});
    Open("add");
    EXPECT_EQ(fake::world().copiedData,
              (std::vector<std::string>{std::string("C:\\Caf\xE9\\b.mp3\0", 14), std::string("C:\\Caf\xE9\\Album\0", 14),
                                        std::string("C:\\Caf\xE9\\a.mp3\0", 14)}))
        << "ANSI paths with their terminators, '..' left out";
    EXPECT_EQ(Sent(), (std::vector<std::string>{"WM_COPYDATA 100", "WM_COPYDATA 100", "WM_COPYDATA 100",
                                                "WM_USER 4 121", "command 40045"}))
        << "the first added is entry 4, after the 4 there were";

    answers.playing = 1;
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().sent.clear();
    }
    SelectInPanel(std::vector<PanelItem>(maxAddedItems + 5, Item("x.mp3")));
    Open("add");
    ASSERT_TRUE(AddEnds());
    EXPECT_EQ(Sent().size(), static_cast<size_t>(maxAddedItems)) << "at most 10,000, and a playing player plays on";

    answers.playing = 3;  // paused
    fake::world().sent.clear();
    SelectInPanel({Item("c.mp3")});
    Open("add");
    EXPECT_EQ(Sent(), std::vector<std::string>{"WM_COPYDATA 100"}) << "a paused player keeps its place";
}

TEST_F(ValueWordsSent, AnAddToAPlayerSlowToTakeItsFilesGivesTheHostBackAndSendsTheRestInOrder) {
    answers.msPerAppend = 250;  // within the host's thread's 300 ms, and the AddThread's 5 s
    std::vector<PanelItem> items;
    for (int i = 0; i < 12; ++i) items.push_back(Item(("song" + std::to_string(i) + ".mp3").c_str()));
    SelectInPanel(items);
    // The AddThread waits at its first look for the player until the host's thread has been measured: both
    // move the same manual clock.
    std::atomic<bool> measured{false};
    const std::thread::id hostThread = std::this_thread::get_id();
    fake::world().onFindWindow = [&](int) {
        while (std::this_thread::get_id() != hostThread && !measured) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    const uint32_t before = fake::world().tick;
    Open("add");
    const uint32_t took = fake::world().tick - before;
    const uint32_t status = LastCommandStatus();
    measured = true;
    EXPECT_LT(took, 1100u) << "the host's thread is back after about a second";
    EXPECT_EQ(status, commandStatus::Adding);
    ASSERT_TRUE(AddEnds());
    fake::world().onFindWindow = nullptr;
    EXPECT_EQ(LastCommandStatus(), commandStatus::Sent);
    ASSERT_EQ(fake::world().copiedData.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(fake::world().copiedData[static_cast<size_t>(i)],
                  "C:\\Caf\xE9\\song" + std::to_string(i) + std::string(".mp3\0", 5));
    EXPECT_EQ(fake::world().moduleHolds, 0) << "the AddThread let the module go";
    EXPECT_TRUE(fake::host().messageBoxes.empty());
}

TEST_F(ValueWordsSent, WhatThePlayerCannotDoOrNothingToDoIsSaidAndNotCalledSent) {
    fake::host().messages[34] = "Nothing to add:";
    fake::host().messages[35] = "Not playing:";
    fake::host().messages[36] = "Too short:";
    SelectInPanel({Item(".."), Item(std::string(257, 'n').c_str())});
    Open("add");
    EXPECT_EQ(LastCommandStatus(), commandStatus::Refused);
    fake::ShowPlayer([](uint32_t message, uintptr_t, intptr_t lParam) -> intptr_t {
        if (message == os::WmUser && lParam == playlistMessage::Seek) return playlistMessage::seekNotPlaying;
        return 0;
    });
    Open("seek 0:30 play");
    EXPECT_EQ(LastCommandStatus(), commandStatus::NotAnswered);
    ASSERT_EQ(fake::host().messageBoxes.size(), 2u);
    EXPECT_EQ(fake::host().messageBoxes[0].lines[1], "Nothing to add: \"add\"");
    EXPECT_EQ(fake::host().messageBoxes[1].lines[1], "Not playing: \"seek 0:30\"");
    EXPECT_TRUE(fake::world().copiedData.empty());
    EXPECT_EQ(Sent(), std::vector<std::string>{"WM_USER 30000 106"}) << "the words after it are not sent";
}

TEST_F(ValueWordsSent, AJumpThatCouldNotReadEveryTitleNeverSaysNoTitleContainsTheText) {
    fake::host().messages[30] = "No title contains:";
    fake::host().messages[32] = "Not every title could be read:";
    answers.titleMissing = 0;  // one entry without a readable title
    Open("jump nowhere");
    answers.titleMissing = -1;
    answers.playlistLength = INT32_MAX;  // a player claiming more entries than it has; the search's time runs out
    answers.msPerTitle = 10;
    Open("jump nowhere");
    answers.playlistLength = 4;
    answers.msPerTitle = 0;
    ForgetTitles();
    Open("jump nowhere");
    std::vector<std::string> errors;  // the notice of the long search aside
    for (const auto& box : fake::host().messageBoxes)
        if (box.buttonCount > 0) errors.push_back(box.lines[1]);
    EXPECT_EQ(errors, (std::vector<std::string>{"Not every title could be read: \"nowhere\"",
                                                "Not every title could be read: \"nowhere\"",
                                                "No title contains: \"nowhere\""}));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ValueWordsSent, AJumpThroughAListLongerThanTheTitlesKeptLeavesThoseKeptInTheirPlaces) {
    answers.playlistLength = knownTitleCapacity + 10;
    answers.listPosition = 0;
    MatchTitlesTo(fake::world().player, answers.playlistLength);
    NoteTitle(fake::world().player, answers.playlistLength, 5, "Kept");
    Open("jump nowhere");
    char title[titleCapacity];
    ASSERT_TRUE(KnownTitle(fake::world().player, answers.playlistLength, 5, title))
        << "entry " << knownTitleCapacity + 5 << ", read by the search, would take its place";
    EXPECT_STREQ(title, "Kept");
}

TEST_F(ValueWordsSent, EscStopsALongSearchThatShowsItsNoticeMeanwhile) {
    answers.playlistLength = 100000;
    answers.msPerTitle = 1;
    fake::host().onSaveScreenArea = [](int, int, int, int) { fake::PushKey(27, true); };  // Esc as the notice shows
    Open("jump nowhere");
    ASSERT_EQ(fake::host().messageBoxes.size(), 2u) << "the notice, then the error box";
    EXPECT_EQ(fake::host().messageBoxes[0].buttonCount, 0);
    EXPECT_LT(fake::world().tick, 1000u + 60000u) << "stopped long before every title was read";
    EXPECT_EQ(fake::host().savedAreasLive, 0) << "the screen under the notice is put back";
}

TEST_F(ValueWordsSent, AValueCheckedAgainstThePlayerIsCheckedAfterTheStartThatBringsIt) {
    fake::RemovePlayer();
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 3);  // started when a command needs it
    fake::world().classesRoot["winamp.file\\shell\\open\\command"] = "C:\\Player\\player.exe";
    answers.playlistLength = 3;
    fake::world().onCreateProcess = [this](const std::string&) { fake::ShowScriptedPlayer(&answers); };
    fake::host().messages[29] = "Not a valid value:";
    Open("play track 99");
    EXPECT_EQ(fake::world().processesStarted.size(), 1u);
    ASSERT_FALSE(fake::host().messageBoxes.empty());
    EXPECT_EQ(fake::host().messageBoxes.back().lines[1], "Not a valid value: \"track 99\"");
    EXPECT_TRUE(Sent().empty()) << "not even play";
    EXPECT_EQ(LastCommandStatus(), commandStatus::Refused);
}

}  // namespace
