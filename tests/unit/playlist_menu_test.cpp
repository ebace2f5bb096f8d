// The playlist: its titles read from the player's memory, each after its own answer, kept while the list stays
// the same and read outwards from the current entry by the TitleThread; the menu around the current entry,
// shown at once, and J or a click on the title line choosing the entry the player then plays.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_os.h"
#include "panel_harness.h"
#include "panel/run_panel.h"
#include "player/commands.h"
#include "player/playlist.h"
#include "player/playlist_titles.h"
#include "host/settings.h"
#include "scripted_player.h"

using namespace quaver;

namespace {

PlaylistMenu menu;  // too large for a test's stack, as for the module's

class PlaylistMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::world().manualClock = true;
        fake::StartModule();
        ForgetTitles();
        ForgetOwedAnswer();
        DropHeldCommand();  // the TitleThread steps aside while a button is held
    }
    void TearDown() override { fake::RemovePlayer(); }
    // The entries whose titles were asked for (212), in order.
    static std::vector<int> TitlesAsked() {
        std::vector<int> asked;
        for (const fake::SentMessage& sent : fake::SentMessages())
            if (sent.message == os::WmUser && sent.lParam == 212) asked.push_back(static_cast<int>(sent.wParam));
        return asked;
    }

    void ShowPlaylist(const std::vector<std::string>& titles, int current) {
        answers.playlistLength = static_cast<int32_t>(titles.size());
        answers.listPosition = current;
        fake::PlaceTitles(titles);
        fake::ShowScriptedPlayer(&answers);
    }
    static std::vector<std::string> Lines(int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) lines.push_back(menu.items[i].text);
        return lines;
    }
    // The WM_USER messages that are not questions of the list, and the commands, in order.
    static std::vector<std::string> Orders() {
        std::vector<std::string> orders;
        for (const fake::SentMessage& sent : fake::SentMessages())
            if (sent.message == os::WmCommand || (sent.message == os::WmUser && sent.lParam == 121))
                orders.push_back(std::to_string(sent.message) + " " + std::to_string(sent.wParam));
        return orders;
    }

    fake::PlayerAnswers answers;
};

TEST_F(PlaylistMenuTest, EachEntryIsNumberedWithItsTitleInTheOemCodePageTheCurrentOneSelected) {
    ShowPlaylist({"Simon & Garfunkel - The Boxer", "Caf\xE9 Orchestra", "", std::string(200, 'x')}, 1);
    answers.titleMissing = 2;  // the player has no address for it
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_EQ(Lines(3), (std::vector<std::string>{"1. Simon & Garfunkel - The Boxer", "2. Caf\x82 Orchestra",
                                                  "3. Track 3"}));
    EXPECT_EQ(std::string(menu.items[3].text), "4. " + std::string(124, 'x')) << "cut to the item's 128 bytes";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(menu.items[i].selected, i == 1 ? 1 : 0);
    EXPECT_EQ(fake::world().openProcesses, 0) << "the player's process is closed again";
}

TEST_F(PlaylistMenuTest, APlayerThatAnswersFromOneBufferGivesEachEntryItsOwnTitleAndAnEmptyOneShowsTrackN) {
    answers.playlistLength = 4;
    answers.listPosition = 0;
    answers.titlesOnDemand = {"Intro", "Verse", "", "Outro"};
    fake::ShowScriptedPlayer(&answers);
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_EQ(Lines(4), (std::vector<std::string>{"1. Intro", "2. Verse", "3. Track 3", "4. Outro"}));
}

TEST_F(PlaylistMenuTest, EntriesAreReadOutwardsFromTheCurrentOneEachOnce) {
    struct Case {
        MenuRange range;
        int32_t centre;
        std::vector<int32_t> order;
    };
    for (const Case& c : {Case{{0, 5}, 2, {2, 3, 1, 4, 0}}, Case{{0, 5}, 0, {0, 1, 2, 3, 4}},
                          Case{{0, 5}, 4, {4, 3, 2, 1, 0}}, Case{{10, 6}, 11, {11, 12, 10, 13, 14, 15}},
                          Case{{10, 4}, 99, {13, 12, 11, 10}}, Case{{10, 4}, -5, {10, 11, 12, 13}},
                          Case{{0, 1}, 0, {0}}}) {
        std::vector<int32_t> order;
        for (int32_t step = 0; step < c.range.count; ++step) order.push_back(OutwardEntry(c.range, c.centre, step));
        EXPECT_EQ(order, c.order) << c.range.first << "+" << c.range.count << " from " << c.centre;
    }
}

TEST_F(PlaylistMenuTest, TheMenuReadsTheNearEntriesAfreshAndTakesTheRestFromTheTitlesKnown) {
    std::vector<std::string> titles;
    for (int i = 0; i < 40; ++i) titles.push_back("Song " + std::to_string(i + 1));
    ShowPlaylist(titles, 20);
    TitleRounds rounds{};
    while (ReadTitlesRound(rounds, nullptr) == titleRoundPause) {
    }
    ASSERT_EQ(KnownTitleCount(), 40);

    const size_t asked = TitlesAsked().size();
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_EQ(TitlesAsked().size() - asked, 21u) << "the current entry and ten either side, read again";
    EXPECT_EQ(Lines(40).front(), "1. Song 1");
    EXPECT_EQ(Lines(40).back(), "40. Song 40");

    // Reordered under the same length: a near entry reads differently, and what was known of the rest goes.
    titles[20] = "Moved";
    fake::PlaceTitles(titles);
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_EQ(Lines(21).back(), "21. Moved");
    EXPECT_EQ(Lines(40).back(), "40. Song 40") << "read within the menu's time, the manual clock standing still";
    EXPECT_EQ(KnownTitleCount(), 40);
}

TEST_F(PlaylistMenuTest, TheTitleThreadReadsEveryTitleOutwardsThenNoticesAChangedList) {
    std::vector<std::string> titles;
    for (int i = 0; i < 100; ++i) titles.push_back("Title " + std::to_string(i));
    ShowPlaylist(titles, 50);
    TitleRounds rounds{};
    EXPECT_EQ(ReadTitlesRound(rounds, nullptr), titleRoundPause);
    const std::vector<int> first = TitlesAsked();
    ASSERT_GE(first.size(), 5u);
    EXPECT_EQ(std::vector<int>(first.begin(), first.begin() + 5), (std::vector<int>{50, 51, 49, 52, 48}));
    for (int round = 0; round < 10 && KnownTitleCount() < 100; ++round) ReadTitlesRound(rounds, nullptr);
    EXPECT_EQ(KnownTitleCount(), 100);
    EXPECT_EQ(TitlesAsked().size(), 100u) << "each read once";

    // Once all are known, a check reads only a few again.
    EXPECT_EQ(ReadTitlesRound(rounds, nullptr), titleCheckPeriod);
    EXPECT_EQ(TitlesAsked().size(), 100u + titlesChecked);

    // Days of checks: the entries sampled stay within the list.
    rounds.sampled = INT32_MAX - 1;
    EXPECT_EQ(ReadTitlesRound(rounds, nullptr), titleCheckPeriod);
    for (int entry : TitlesAsked()) EXPECT_TRUE(entry >= 0 && entry < 100) << entry;
    EXPECT_EQ(KnownTitleCount(), 100) << "no title read differently";

    // The current title changed under the same length: all is read again.
    titles[50] = "Replaced";
    fake::PlaceTitles(titles);
    ReadTitlesRound(rounds, nullptr);
    EXPECT_LT(KnownTitleCount(), 100);
    while (ReadTitlesRound(rounds, nullptr) == titleRoundPause) {
    }
    char title[titleCapacity];
    ASSERT_TRUE(KnownTitle(fake::world().player, 100, 50, title));
    EXPECT_STREQ(title, "Replaced");
    EXPECT_EQ(KnownTitleCount(), 100);

    // Another length is another list; another window another player.
    answers.playlistLength = 99;
    ReadTitlesRound(rounds, nullptr);
    EXPECT_FALSE(KnownTitle(fake::world().player, 100, 0, title));
    EXPECT_LE(KnownTitleCount(), titleRoundSize);

    // A player slow to answer is asked one title at a time, with a pause four times as long after each.
    answers.msPerTitle = 50;
    ForgetTitles();
    rounds = TitleRounds{};
    EXPECT_EQ(ReadTitlesRound(rounds, nullptr), 200u);
    EXPECT_EQ(KnownTitleCount(), 1);
}

TEST_F(PlaylistMenuTest, ATitleJustBeforeTheEndOfReadableMemoryIsStillRead) {
    answers.playlistLength = 16;
    fake::ShowScriptedPlayer(&answers);
    {
        std::lock_guard lock(fake::Mutex());
        ASSERT_EQ(fake::TitleAddress(15) % 4096, 4096u - 56) << "the page ends 56 bytes after it";
        // Readable from the title to the page's end only.
        fake::world().playerMemory[fake::TitleAddress(15)] = std::string("Last\0", 5) + std::string(51, 'z');
    }
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_STREQ(menu.items[15].text, "16. Last");
    EXPECT_STREQ(menu.items[14].text, "15. Track 15");
}

TEST_F(PlaylistMenuTest, ATitleOfA32BitPlayerAbove2GiBIsReadAtItsZeroExtendedAddress) {
    constexpr uintptr_t high = 0x80001000u;
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerProcessBits = 32;
        fake::world().playerMemory[high] = "High" + std::string(4092, '\0');  // the rest of its page
    }
    // The module receives a 32-bit window procedure's answer sign-extended.
    fake::ShowPlayer([](uint32_t message, uintptr_t, intptr_t lParam) -> intptr_t {
        if (message != os::WmUser) return 0;
        return lParam == 124 ? 1 : lParam == 212 ? static_cast<intptr_t>(static_cast<int32_t>(high)) : 0;
    });
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_STREQ(menu.items[0].text, "1. High");
}

TEST_F(PlaylistMenuTest, ALongPlaylistListsTheEntriesAroundTheCurrentOne) {
    struct Case {
        int32_t length, current;
        MenuRange expected;
    };
    for (const Case& c : {Case{10, 3, {0, 10}}, Case{25000, 0, {0, 20000}}, Case{25000, 12000, {2000, 20000}},
                          Case{25000, 24999, {5000, 20000}}, Case{25000, -1, {0, 20000}}, Case{0, 0, {0, 0}}}) {
        const MenuRange range = MenuRangeAround(c.length, c.current, menuEntryCapacity);
        EXPECT_EQ(range.first, c.expected.first) << c.length << " " << c.current;
        EXPECT_EQ(range.count, c.expected.count) << c.length << " " << c.current;
    }
    answers.playlistLength = 25000;  // no title is readable: every line is "N. Track N"
    answers.listPosition = 12000;
    fake::ShowScriptedPlayer(&answers);
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_EQ(menu.range.first, 2000);
    EXPECT_STREQ(menu.items[0].text, "2001. Track 2001");
    EXPECT_EQ(menu.items[10000].selected, 1);
}

TEST_F(PlaylistMenuTest, ASlowPlayerStillGetsItsMenuWithinASecondTheTitlesNotReadShowingTrackN) {
    answers.msPerTitle = 200;  // each answered within its own time-out
    ShowPlaylist(std::vector<std::string>(30, "Song"), 0);
    const uint32_t before = fake::world().tick;
    ASSERT_EQ(ReadPlaylistMenu(fake::world().player, menu), MenuReading::Ready);
    EXPECT_LT(fake::world().tick - before, 1000u);
    EXPECT_EQ(Lines(4).back(), "4. Song");
    EXPECT_EQ(Lines(5).back(), "5. Track 5");
}

class PlaylistMenuInPanel : public PlaylistMenuTest {
protected:
    void SetUp() override {
        PlaylistMenuTest::SetUp();
        panel = std::make_unique<fake::PanelHarness>();
        ShowPlaylist({"Intro", "Simon & Garfunkel", "Outro"}, 0);
    }
    void TearDown() override {
        panel.reset();
        PlaylistMenuTest::TearDown();
    }
    std::unique_ptr<fake::PanelHarness> panel;
};

TEST_F(PlaylistMenuInPanel, JOrAClickOnTheTitleLineOpensTheMenuAndEnterPlaysTheChosenEntry) {
    fake::PushKey('J', true);
    EXPECT_EQ(ReadPanelInput(), panelCode::PlaylistMenu);
    fake::PushMouse(panel->column(slot::TitleLine, 3), panel->row(slot::TitleLine), os::LeftButtonPressed);
    EXPECT_EQ(ReadPanelInput(), panelCode::PlaylistMenu);

    fake::host().menuChoice = 2;
    const int flushes = fake::FlushCount();
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    ASSERT_EQ(fake::host().menus.size(), 1u);
    const fake::MenuCall& shown = fake::host().menus[0];
    EXPECT_EQ(shown.title, "Winamp");
    EXPECT_EQ(shown.flags & menuFlag::ShowAmpersand, menuFlag::ShowAmpersand) << "titles keep their '&'";
    EXPECT_TRUE(shown.bottom.empty()) << "the whole list is shown";
    EXPECT_EQ(shown.items.size(), 3u);
    EXPECT_EQ(Orders(), (std::vector<std::string>{"1024 2", "273 40045"})) << "made current, then played";
    EXPECT_TRUE(panel->displayActive()) << "the display resumes";
    EXPECT_GT(fake::FlushCount(), flushes) << "the panel is drawn again";
}

TEST_F(PlaylistMenuInPanel, EscChangesNothingAndAPlayerThatStoppedAnsweringOnlyBeepsAndOwesAnAnswer) {
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);  // the host's menu answers -1
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(panel->displayActive());

    fake::world().playerHung = true;
    uint32_t before = fake::world().tick;
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    EXPECT_EQ(fake::host().menus.size(), 1u) << "no menu for a silent player";
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
    EXPECT_TRUE(panel->displayActive());
    EXPECT_LE(fake::world().tick - before, playlistQueryTimeout) << "one question";
    before = fake::world().tick;
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    EXPECT_EQ(fake::world().tick - before, 0u) << "J again is refused at once, like any command";
    EXPECT_EQ(fake::world().beeps.size(), 2u);
}

TEST_F(PlaylistMenuInPanel, JLetsGoOfAButtonHeldWithTheMouseAndStartsAMissingPlayerAsACommandWould) {
    fake::PushMouse(panel->column(slot::FastForward, 1), panel->row(slot::FastForward), os::LeftButtonPressed);
    ASSERT_EQ(ReadPanelInput(), command::FastForward);
    ASSERT_EQ(playerLink.heldCommand, command::FastForward);
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    EXPECT_EQ(playerLink.heldCommand, 0u) << "the menu took the button's release";
    EXPECT_FALSE(panelInput.leftButtonHeld);

    fake::RemovePlayer();
    settings.startPlayer[0] = settings.startPlayer[1] = 1;  // started when a command needs it
    fake::world().classesRoot["winamp.file\\shell\\open\\command"] = "C:\\Player\\player.exe";
    fake::world().onCreateProcess = [this](const std::string&) { fake::ShowScriptedPlayer(&answers); };
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    EXPECT_EQ(fake::world().processesStarted.size(), 1u);
    EXPECT_EQ(fake::host().menus.size(), 2u);
}

TEST_F(PlaylistMenuInPanel, TheBottomLineSaysWhenOnlyPartOfTheListIsShown) {
    answers.playlistLength = 30000;
    fake::host().messages[28] = "Around the current entry:";
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    ASSERT_EQ(fake::host().menus.size(), 1u);
    EXPECT_EQ(fake::host().menus[0].bottom, "Around the current entry: 1-20000 / 30000");
    EXPECT_EQ(fake::host().menus[0].items.size(), 20000u);
}

}  // namespace
