// The host's help: topics read from a module's help file in the file manager's format, and shown in a
// window whose title stays while the text scrolls, with links to follow.
#include <gtest/gtest.h>

#include <string>

#include "pure/colours.h"
#include "pure/help_file.h"
#include "screen_text.h"

using namespace host;

namespace {

constexpr char sample[] =
    "// made for the tests\r\n"
    ".Language=English,English\r\n"
    ".PluginContents=Quaver Control\r\n"
    "\r\n"
    "@Contents\r\n"
    "$ #Everything#\r\n"
    "See ~the keys~@Hotkeys@ or ~the settings~@config@.\r\n"
    "\r\n"
    "@Hotkeys\r\n"
    "$ #Keys and mouse#\r\n"
    "first #line# here\r\n"
    "\tindented, 50##, a ~~ and #open to the end\r\n"
    "$ a dollar later on is text\r\n"
    "// a comment is no text\r\n"
    "\r\n"
    "@ Config \n"
    "only line, no title\n"
    "\n"
    "   \n";

HelpFile Parsed(const char* text) {
    HelpFile file;
    FileProblem problem;
    EXPECT_TRUE(ParseHelpFile(text, &file, &problem)) << problem.line << ": " << problem.reason;
    return file;
}

TEST(HelpFile, TopicsHaveTheirTitleAndTheirLinesWithTheMarkupRead) {
    const HelpFile file = Parsed(sample);
    EXPECT_EQ(file.language, "English");
    EXPECT_EQ(file.contentsTitle, "Quaver Control");
    ASSERT_EQ(file.topics.size(), 3u);
    const HelpTopic& contents = file.topics[0];
    EXPECT_EQ(contents.title, "Everything");
    ASSERT_EQ(contents.lines.size(), 1u) << "the blank line at the topic's end is gone";
    EXPECT_EQ(contents.lines[0].text, "See the keys or the settings.");
    ASSERT_EQ(contents.lines[0].spans.size(), 2u);
    EXPECT_EQ(contents.lines[0].spans[0].start, 4);
    EXPECT_EQ(contents.lines[0].spans[0].length, 8);
    EXPECT_EQ(contents.lines[0].spans[0].target, "Hotkeys");
    EXPECT_EQ(contents.lines[0].spans[1].target, "config");

    const HelpTopic& keys = file.topics[1];
    EXPECT_EQ(keys.title, "Keys and mouse");
    ASSERT_EQ(keys.lines.size(), 3u);
    EXPECT_EQ(keys.lines[0].text, "first line here");
    ASSERT_EQ(keys.lines[0].spans.size(), 1u);
    EXPECT_EQ(keys.lines[0].spans[0].start, 6);
    EXPECT_EQ(keys.lines[0].spans[0].length, 4);
    EXPECT_TRUE(keys.lines[0].spans[0].target.empty()) << "highlighted, not a link";
    EXPECT_EQ(keys.lines[1].text, "        indented, 50#, a ~ and open to the end") << "tab to column 8";
    ASSERT_EQ(keys.lines[1].spans.size(), 1u) << "an open highlight ends with its line";
    EXPECT_EQ(keys.lines[1].spans[0].start, 31);
    EXPECT_EQ(keys.lines[2].text, "$ a dollar later on is text");

    EXPECT_EQ(file.topics[2].name, "Config");
    EXPECT_EQ(file.topics[2].title, "");
    EXPECT_EQ(file.topics[2].lines.size(), 1u);
}

TEST(HelpFile, TopicsAreFoundByNameInAnyCase) {
    const HelpFile file = Parsed(sample);
    EXPECT_EQ(FindHelpTopic(file, "hotkeys"), &file.topics[1]);
    EXPECT_EQ(FindHelpTopic(file, "CONFIG"), &file.topics[2]);
    EXPECT_EQ(FindHelpTopic(file, "Missing"), nullptr);
    EXPECT_EQ(FindHelpTopic(file, ""), nullptr);
}

TEST(HelpFile, DamagedFilesAreRefusedNamingTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* why;
    };
    const Case cases[] = {
        {"@Hotkeys\r\ntext\r\n", 1, "no header"},
        {".Language=English\r\n.PluginContents=Q\r\n@A\r\n", 1, "a header without its menu name"},
        {".Language=English,English\r\n@A\r\ntext\r\n", 2, "no .PluginContents line"},
        {".Language=English,English\r\n.PluginContents=Q\r\n// no topic\r\n", 3, "no topic"},
        {".Language=English,English\r\n.PluginContents=Q\r\n@A\r\n~open link\r\n", 4, "a link not closed"},
        {".Language=English,English\r\n.PluginContents=Q\r\n@A\r\nx\r\n~go~ nowhere\r\n", 5, "a link without @Topic@"},
        {".Language=English,English\r\n.PluginContents=Q\r\n@A\r\n~go~@B@\r\n", 4, "a link to a missing topic"},
        {".Language=English,English\r\n.PluginContents=Q\r\n@\r\n", 3, "a topic without a name"},
    };
    for (const Case& c : cases) {
        HelpFile file;
        FileProblem problem;
        EXPECT_FALSE(ParseHelpFile(c.text, &file, &problem)) << c.why;
        EXPECT_EQ(problem.line, c.line) << c.why;
        EXPECT_FALSE(problem.reason.empty()) << c.why;
        EXPECT_TRUE(file.topics.empty()) << c.why;
    }
}

HelpTopic NumberedTopic(int lines) {
    HelpTopic topic{"Long", "A long topic", {}};
    for (int i = 1; i <= lines; ++i) topic.lines.push_back(HelpLine{"line " + std::to_string(i), {}});
    return topic;
}

std::string Row(const ScreenBuffer& screen, int y, int x, int length) { return host::CellText(screen, x, y, length); }

TEST(HelpViewer, ArrowsPagesHomeAndEndScrollWithinTheTopic) {
    const HelpTopic topic = NumberedTopic(50);
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.PageSize(), 22) << "the whole screen height less the frame and the title";
    EXPECT_EQ(view.LastTop(), 28);
    EXPECT_EQ(view.Key(HelpKey::Up), HelpAction::Stay);
    EXPECT_EQ(view.Top(), 0) << "not above the first line";
    view.Key(HelpKey::Down);
    EXPECT_EQ(view.Top(), 1);
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 23);
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 28) << "not past the last page";
    view.Key(HelpKey::PageUp);
    EXPECT_EQ(view.Top(), 6);
    view.Key(HelpKey::Home);
    EXPECT_EQ(view.Top(), 0);
    view.Key(HelpKey::End);
    EXPECT_EQ(view.Top(), 28);
    view.Scroll(-3);
    EXPECT_EQ(view.Top(), 25);
    EXPECT_EQ(view.Key(HelpKey::Close), HelpAction::Close);
    EXPECT_EQ(view.Key(HelpKey::Back), HelpAction::Back);
    EXPECT_EQ(view.Key(HelpKey::Follow), HelpAction::Stay) << "no link to follow";
}

TEST(HelpViewer, AShortTopicSitsCentredWithItsTitleAndDoesNotScroll) {
    const HelpTopic topic = NumberedTopic(3);
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.Area(), (Rect{20, 9, 59, 14})) << "40 by 6 cells, centred";
    view.Key(HelpKey::PageDown);
    EXPECT_EQ(view.Top(), 0);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_EQ(Row(screen, 10, 34, 12), "A long topic") << "the title centred above the text";
    EXPECT_EQ(screen.At(34, 10).attribute, HostColour(colour::HelpHighlight));
    EXPECT_EQ(Row(screen, 11, 21, 8), " line 1 ");
    EXPECT_EQ(Row(screen, 13, 22, 6), "line 3");
    EXPECT_EQ(screen.At(22, 11).attribute, HostColour(colour::HelpText));
    EXPECT_EQ(Row(screen, 14, 20, 40).find('/'), std::string::npos) << "no position shown";
}

TEST(HelpViewer, TheTitleStaysWhileThePageAndThePositionFollowTheScrolling) {
    const HelpTopic topic = NumberedTopic(50);
    HelpView view(topic, 80, 25);
    view.Key(HelpKey::End);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_NE(Row(screen, 1, 0, 80).find("A long topic"), std::string::npos);
    EXPECT_EQ(Row(screen, 2, view.Area().left + 2, 7), "line 29");
    EXPECT_EQ(Row(screen, 23, view.Area().left + 2, 7), "line 50");
    EXPECT_NE(Row(screen, 24, 0, 80).find(" 29-50/50 "), std::string::npos);
}

TEST(HelpViewer, LongLinesAreCutAtTheFrameAndTinyScreensStillWork) {
    HelpTopic topic{"Wide", "", {HelpLine{std::string(200, 'w'), {HelpSpan{190, 10, {}}}}}};
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.Area().Width(), 80);
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    EXPECT_EQ(screen.At(79, view.Area().top + 1).First(), u'║') << "the frame is not overwritten";

    HelpView tiny(NumberedTopic(10), 10, 4);
    EXPECT_EQ(tiny.PageSize(), 1);
    tiny.Key(HelpKey::End);
    EXPECT_EQ(tiny.Top(), 9);
    ScreenBuffer small(10, 4);
    tiny.Draw(small);
}

TEST(HelpViewer, TabAndShiftTabSelectLinksInTurnAndScrollThemIntoView) {
    HelpTopic topic = NumberedTopic(60);
    topic.lines[0] = Parsed(sample).topics[0].lines[0];  // two links on the first line
    topic.lines[40].spans.push_back(HelpSpan{0, 4, "Config"});
    HelpView view(topic, 80, 25);
    EXPECT_EQ(view.SelectedTarget(), "Hotkeys") << "the first link shown is selected";
    ScreenBuffer screen(80, 25);
    view.Draw(screen);
    const int left = view.Area().left + 2;
    EXPECT_EQ(screen.At(left + 4, 2).attribute, HostColour(colour::HelpSelectedLink));
    EXPECT_EQ(screen.At(left + 17, 2).attribute, HostColour(colour::HelpLink));
    EXPECT_EQ(screen.At(left, 2).attribute, HostColour(colour::HelpText));

    view.Key(HelpKey::NextLink);
    EXPECT_EQ(view.SelectedTarget(), "config");
    view.Key(HelpKey::NextLink);
    EXPECT_EQ(view.SelectedTarget(), "Config");
    EXPECT_EQ(view.Top(), 40 - view.PageSize() + 1) << "scrolled so that the link's line shows";
    view.Key(HelpKey::NextLink);
    EXPECT_EQ(view.SelectedTarget(), "Hotkeys") << "round to the first";
    EXPECT_EQ(view.Top(), 0);
    view.Key(HelpKey::PreviousLink);
    EXPECT_EQ(view.SelectedTarget(), "Config") << "Shift+Tab goes back round";
    EXPECT_EQ(view.Key(HelpKey::Follow), HelpAction::Follow);

    view.Key(HelpKey::Home);
    EXPECT_EQ(view.SelectedTarget(), "Hotkeys") << "a link scrolled away gives way to one shown";
    view.Scroll(10);
    EXPECT_EQ(view.SelectedTarget(), "") << "none on the page: Enter follows nothing";
    EXPECT_EQ(view.Key(HelpKey::Follow), HelpAction::Stay);
}

}  // namespace
