// The playlist menu: its lines read from the player's memory, the window around the current entry, the
// reading's time limit, and J or a click on the title line choosing the entry the player then plays.
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
    }
    void TearDown() override { fake::RemovePlayer(); }

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
    const int reads = fake::world().memoryReads;
    ASSERT_TRUE(ReadPlaylistMenu(fake::world().player, menu));
    EXPECT_EQ(Lines(3), (std::vector<std::string>{"1. Simon & Garfunkel - The Boxer", "2. Caf\x82 Orchestra",
                                                  "3. Track 3"}));
    EXPECT_EQ(std::string(menu.items[3].text), "4. " + std::string(124, 'x')) << "cut to the item's 128 bytes";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(menu.items[i].selected, i == 1 ? 1 : 0);
    EXPECT_EQ(fake::world().openProcesses, 0) << "the player's process is closed again";
    EXPECT_EQ(fake::world().memoryReads - reads, 1) << "titles sharing a page are read with it";
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
    ASSERT_TRUE(ReadPlaylistMenu(fake::world().player, menu));
    EXPECT_STREQ(menu.items[15].text, "16. Last");
    EXPECT_STREQ(menu.items[14].text, "15. Track 15");
}

TEST_F(PlaylistMenuTest, ATitleOfA32BitPlayerAbove2GiBIsReadAtItsZeroExtendedAddress) {
    constexpr uintptr_t high = 0x80001000u;
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().playerProcessBits = 32;
        fake::world().playerMemory[high] = "High" + std::string(PlaylistReader::pageSize - 4, '\0');
    }
    // The module receives a 32-bit window procedure's answer sign-extended.
    fake::ShowPlayer([](uint32_t message, uintptr_t, intptr_t lParam) -> intptr_t {
        if (message != os::WmUser) return 0;
        return lParam == 124 ? 1 : lParam == 212 ? static_cast<intptr_t>(static_cast<int32_t>(high)) : 0;
    });
    ASSERT_TRUE(ReadPlaylistMenu(fake::world().player, menu));
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
    ASSERT_TRUE(ReadPlaylistMenu(fake::world().player, menu));
    EXPECT_EQ(menu.range.first, 2000);
    EXPECT_STREQ(menu.items[0].text, "2001. Track 2001");
    EXPECT_EQ(menu.items[10000].selected, 1);
}

TEST_F(PlaylistMenuTest, TitlesNotReadWithinTwoSecondsShowTheirTrackNumber) {
    answers.msPerTitle = 200;  // each answered within its own time-out
    ShowPlaylist(std::vector<std::string>(12, "Song"), 0);
    ASSERT_TRUE(ReadPlaylistMenu(fake::world().player, menu));
    EXPECT_EQ(Lines(12).back(), "12. Track 12");
    EXPECT_EQ(Lines(11).back(), "11. Track 11") << "ten titles of 200 ms spend the 2 s";
    EXPECT_EQ(Lines(10).back(), "10. Song");
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

TEST_F(PlaylistMenuInPanel, EscChangesNothingAndAPlayerThatDoesNotAnswerOnlyBeeps) {
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);  // the host's menu answers -1
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(panel->displayActive());

    fake::world().playerHung = true;
    ActOnInputCode(panelCode::PlaylistMenu, panel->placement);
    EXPECT_EQ(fake::host().menus.size(), 1u) << "no menu for a silent player";
    EXPECT_EQ(fake::world().beeps, std::vector<uint32_t>{0x40});
    EXPECT_TRUE(panel->displayActive());
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
