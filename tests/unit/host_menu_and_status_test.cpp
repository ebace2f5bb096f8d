// The stand-alone host's menu and file list as the module's ShowMenu and PanelControl use them, and the line
// --status prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pure/backdrop.h"
#include "pure/menu_model.h"
#include "pure/options.h"
#include "pure/status_line.h"

using namespace host;
using Outcome = MenuModel::Outcome;

namespace {

TEST(HostMenu, KeysMoveTheCursorTypingFiltersAndEnterChoosesTheLineNotItsPlaceInTheFilter) {
    MenuModel menu({"1. Intro", "2. Simon & Garfunkel", "3. Boxer", "4. Outro"}, 1, true);
    EXPECT_EQ(menu.Chosen(), 1) << "the cursor starts on the selected line";
    struct Step {
        uint16_t key;
        char character;
        int chosen;
    };
    const Step steps[] = {{menuKey::Up, 0, 0},     {menuKey::Up, 0, 3},       {menuKey::Down, 0, 0},
                          {menuKey::End, 0, 3},    {menuKey::PageUp, 0, 1},   {menuKey::PageDown, 0, 3},
                          {menuKey::Home, 0, 0},   {'O', 'o', 0},             {'U', 'u', 3},
                          {menuKey::Back, 0, 3},   {menuKey::Home, 0, 0}};
    for (const Step& step : steps) {
        EXPECT_EQ(menu.Key(step.key, step.character, 3), Outcome::Going);
        EXPECT_EQ(menu.Chosen(), step.chosen) << step.key;
    }
    EXPECT_EQ(menu.Filter(), "o");
    EXPECT_EQ(menu.Shown(), (std::vector<int>{0, 1, 2, 3}));
    menu.Key('Z', 'z', 3);
    EXPECT_TRUE(menu.Shown().empty());
    EXPECT_EQ(menu.Key(menuKey::Enter, 0, 3), Outcome::Going) << "nothing to choose";
    EXPECT_EQ(menu.Key(menuKey::Escape, 0, 3), Outcome::Cancelled);

    MenuModel noWrap({"a", "b"}, -1, false);
    noWrap.Key(menuKey::Up, 0, 3);
    EXPECT_EQ(noWrap.Chosen(), 0);
    EXPECT_EQ(noWrap.Key(menuKey::Enter, 0, 3), Outcome::Chosen);
}

TEST(HostFileList, InsertSelectsAndMovesOnDotDotNeverAndWithNothingSelectedTheCursorCounts) {
    Pane pane;
    pane.names = {"..\\", "Album\\", "a.mp3", "b.mp3"};
    EXPECT_EQ(PaneSelection(pane), std::vector<int>{0});
    ToggleSelection(pane);  // ".." stays unselected
    ToggleSelection(pane);
    MovePaneCursor(pane, 1);
    ToggleSelection(pane);
    EXPECT_EQ(PaneSelection(pane), (std::vector<int>{1, 3}));
    EXPECT_EQ(pane.cursor, 3) << "kept on the list";
}

TEST(HostStatus, FieldsAreFilledAndAnythingElseIsPrintedAsItStands) {
    const PlayerStatus status{3, 6, 40, 225500, 301, "Artist - Song", 128, 192, 44, "stereo", 1, 0};
    EXPECT_EQ(FormatStatus(defaultStatusFormat, status), "paused 7/40 3:45/5:01 Artist - Song");
    EXPECT_EQ(FormatStatus("{volume}% {bitrate} {samplerate} {channels} {shuffle} {repeat} {nope} {", status),
              "50% 192 44 stereo on off {nope} {");
    EXPECT_EQ(FormatStatus("{{title}} {{{title}}} }} {}", status), "{title} {Artist - Song} } {}")
        << "doubled braces are braces";
    EXPECT_EQ(FormatStatus("{state} {track} {position}", PlayerStatus{0, -1, 0, -5, 0, "", 0, 0, 0, "", 0, 0}),
              "stopped 0 0:00");

    const char* const follow[] = {"quaver-host.exe", "--status", "--format", "{title}", "--follow"};
    const Options options = ParseOptions(5, follow);
    EXPECT_EQ(options.start, StartAction::Status);
    EXPECT_EQ(options.statusFormat, "{title}");
    EXPECT_TRUE(options.follow);
    const char* const stray[] = {"quaver-host.exe", "--follow"};
    EXPECT_FALSE(ParseOptions(2, stray).error.empty()) << "--follow goes with --status";
}

}  // namespace
