// The host's help: topics read from a module's help file and shown in a scrollable window.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "pure/colours.h"
#include "pure/help_file.h"

using namespace host;

namespace {

constexpr char sample[] =
    "A note before any topic\r\n"
    "@Hotkeys\r\n"
    "$ Keys and mouse\r\n"
    "first line\r\n"
    "\tindented\r\n"
    "$ a dollar later on is text\r\n"
    "\r\n"
    "@ Config \n"
    "only line\n"
    "\n"
    "   \n";

TEST(HelpFile, TopicsHaveTheirTitleAndTheirLinesAsWritten) {
    const auto topics = ParseHelpFile(sample);
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].name, "Hotkeys");
    EXPECT_EQ(topics[0].title, "Keys and mouse");
    EXPECT_EQ(topics[0].lines,
              (std::vector<std::string>{"first line", "        indented", "$ a dollar later on is text"}))
        << "CR dropped, tab to column 8, trailing blank line gone";
    EXPECT_EQ(topics[1].name, "Config");
    EXPECT_EQ(topics[1].title, "");
    EXPECT_EQ(topics[1].lines, (std::vector<std::string>{"only line"}));
}

TEST(HelpFile, TopicsAreFoundByNameInAnyCase) {
    const auto topics = ParseHelpFile(sample);
    EXPECT_EQ(FindHelpTopic(topics, "hotkeys"), &topics[0]);
    EXPECT_EQ(FindHelpTopic(topics, "CONFIG"), &topics[1]);
    EXPECT_EQ(FindHelpTopic(topics, "Contents"), nullptr);
    EXPECT_EQ(FindHelpTopic(topics, ""), nullptr);
    EXPECT_TRUE(ParseHelpFile("no topics at all\n").empty());
}

HelpTopic NumberedTopic(int lines) {
    HelpTopic topic{"Long", "A long topic", {}};
    for (int i = 1; i <= lines; ++i) topic.lines.push_back("line " + std::to_string(i));
    return topic;
}

std::string Row(const ScreenBuffer& screen, int y, int x, int length) {
    std::string row;
    for (int i = 0; i < length; ++i) row += screen.At(x + i, y).character;
    return row;
}

TEST(HelpViewer, ArrowsPagesHomeAndEndScrollWithinTheTopic) {
    const HelpTopic topic = NumberedTopic(50);
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.PageSize(), 23) << "the whole screen height less the frame";
    EXPECT_EQ(view.LastTop(), 27);
    EXPECT_TRUE(view.Key(HelpKey::Up));
    EXPECT_EQ(view.Top(), 0) << "not above the first line";
    view.Key(HelpKey::Down);
    EXPECT_EQ(view.Top(), 1);
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 24);
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 27) << "not past the last page";
    view.Key(HelpKey::PageUp);
    EXPECT_EQ(view.Top(), 4);
    view.Key(HelpKey::Home);
    EXPECT_EQ(view.Top(), 0);
    view.Key(HelpKey::End);
    EXPECT_EQ(view.Top(), 27);
    view.Scroll(-3);
    EXPECT_EQ(view.Top(), 24);
    EXPECT_FALSE(view.Key(HelpKey::Close));
}

TEST(HelpViewer, AShortTopicSitsCentredAndDoesNotScroll) {
    const HelpTopic topic = NumberedTopic(3);
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.Area(), (Rect{20, 10, 59, 14})) << "40 by 5 cells, centred";
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 0);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_EQ(Row(screen, 10, 20, 40).find(" A long topic "), 13u) << "title centred in the frame";
    EXPECT_EQ(Row(screen, 11, 21, 8), " line 1 ");
    EXPECT_EQ(Row(screen, 13, 22, 6), "line 3");
    EXPECT_EQ(screen.At(22, 11).attribute, HostColour(colour::HelpText));
    EXPECT_EQ(Row(screen, 14, 20, 40).find('/'), std::string::npos) << "no position shown";
}

TEST(HelpViewer, TheVisiblePageAndThePositionFollowTheScrolling) {
    const HelpTopic topic = NumberedTopic(50);
    HelpView view(topic, 80, 25);
    view.Key(HelpKey::End);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_EQ(Row(screen, 1, view.Area().left + 2, 7), "line 28");
    EXPECT_EQ(Row(screen, 23, view.Area().left + 2, 7), "line 50");
    EXPECT_NE(Row(screen, 24, 0, 80).find(" 28-50/50 "), std::string::npos);
}

TEST(HelpViewer, LongLinesAreCutAtTheFrameAndTinyScreensStillWork) {
    HelpTopic topic{"Wide", "", {std::string(200, 'w')}};
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.Area().Width(), 80);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_EQ(screen.At(79, view.Area().top + 1).character, '\xBA') << "the frame is not overwritten";
    EXPECT_NE(Row(screen, view.Area().top, 0, 80).find(" Wide "), std::string::npos) << "the name as title";

    HelpView tiny(NumberedTopic(10), 10, 3);
    EXPECT_EQ(tiny.PageSize(), 1);
    tiny.Key(HelpKey::End);
    EXPECT_EQ(tiny.Top(), 9);
    ScreenBuffer small(10, 3);
    tiny.Draw(small);
}

// The help file that ships next to quaver-host.exe.
std::string ShippedHelpFile() {
    std::string path = __FILE__;
    path = path.substr(0, path.rfind("tests")) + "tools/host/quaver_en.hlf";
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ShippedHelp, HotkeysNamesEveryKeyOfThePanelAndConfigEverySetting) {
    const auto topics = ParseHelpFile(ShippedHelpFile());
    const HelpTopic* hotkeys = FindHelpTopic(topics, "Hotkeys");
    const HelpTopic* config = FindHelpTopic(topics, "Config");
    ASSERT_NE(hotkeys, nullptr);
    ASSERT_NE(config, nullptr);
    const auto text = [](const HelpTopic& topic) {
        std::string all;
        for (const std::string& line : topic.lines) all += line + "\n";
        return all;
    };
    const std::string keys = text(*hotkeys);
    for (const char* key : {"  Z ", "  X ", "  C ", "  V ", "  B ", "  L ", "Left", "Right", "Up ", "Down", "  S ",
                            "  R ", "Space", "Enter", "F1", "Alt+F4", "Alt+E", "Alt+3", "Ctrl+Alt+Shift", "Esc",
                            "keypad 0", "keypad 2", "keypad 4", "keypad 5", "keypad 6", "keypad 7", "keypad 8",
                            "keypad 9", "click", "held"})
        EXPECT_NE(keys.find(key), std::string::npos) << key;
    const std::string settings = text(*config);
    for (const char* setting : {"palette", "version", "close button", "volume", "shuffle", "track", "Start the player",
                                "only when", "Plain text", "Scroll", "Time display"})
        EXPECT_NE(settings.find(setting), std::string::npos) << setting;
    for (const HelpTopic& topic : topics)
        for (const std::string& line : topic.lines)
            EXPECT_LE(line.size(), 76u) << "fits an 80-column viewer: " << line;
}

}  // namespace
