// quaver-host.exe's command line and its key bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pure/backdrop.h"
#include "pure/options.h"

using host::Options;
using host::ParseOptions;
using host::StartAction;

namespace {

Options Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "quaver-host.exe");
    return ParseOptions(static_cast<int>(arguments.size()), arguments.data());
}

}  // namespace

TEST(HostOptions, NoArgumentsOpenThePanelWithQuaverDll) {
    const Options options = Parse({});
    EXPECT_EQ(options.start, StartAction::OpenPanel);
    EXPECT_FALSE(options.withPlayer);
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(options.modulePath.empty());
    EXPECT_EQ(options.language, "English");
    EXPECT_TRUE(options.error.empty());
}

TEST(HostOptions, EveryOptionIsUnderstood) {
    Options options = Parse({"--with-player", "--configure", "--module", "C:\\x\\quaver.dll"});
    EXPECT_TRUE(options.withPlayer);
    EXPECT_EQ(options.start, StartAction::Configure);
    EXPECT_EQ(options.modulePath, "C:\\x\\quaver.dll");
    EXPECT_TRUE(options.error.empty());
    options = Parse({"--menu", "--module=other.dll", "--menu"});
    EXPECT_EQ(options.start, StartAction::Menu);
    EXPECT_EQ(options.modulePath, "other.dll");
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(Parse({"--language", "German"}).language, "German");
    EXPECT_EQ(Parse({"--language=German"}).language, "German");
    for (const char* help : {"--help", "-h", "/?"}) EXPECT_TRUE(Parse({help}).help) << help;
    options = Parse({"--command", " stop next play \t"});
    EXPECT_EQ(options.start, StartAction::Command);
    EXPECT_EQ(options.command, " stop next play") << "trailing blanks go, as on the host's command line";
    EXPECT_TRUE(options.error.empty());
    EXPECT_EQ(Parse({"--command=next"}).command, "next");
}

TEST(HostOptions, MistakesAreReportedNotGuessed) {
    EXPECT_NE(Parse({"--module"}).error, "");
    EXPECT_NE(Parse({"--module="}).error, "");
    EXPECT_NE(Parse({"--module", ""}).error, "");
    EXPECT_NE(Parse({"--language"}).error, "");
    EXPECT_NE(Parse({"--language="}).error, "");
    EXPECT_NE(Parse({"--menu", "--configure"}).error, "");
    for (const char* blank : {"", "  "}) EXPECT_NE(Parse({"--command", blank}).error, "") << "would open the panel";
    EXPECT_NE(Parse({"--command"}).error, "");
    EXPECT_NE(Parse({"--command", "next", "--menu"}).error, "");
    EXPECT_NE(Parse({"--with-player", "--command", "next"}).error, "") << "it would close the player at once";
    EXPECT_NE(Parse({"--withplayer"}).error.find("--withplayer"), std::string::npos);
    EXPECT_NE(Parse({"quaver.dll"}).error, "");
}

TEST(HostOptions, UsageNamesEveryOption) {
    const std::string usage = host::UsageText();
    for (const char* option : {"--module", "--menu", "--configure", "--with-player", "--command", "--language", "--help"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(HostKeyBar, ItemsFollowEachOtherAndClicksFindThem) {
    const std::vector<host::KeyBarItem> keys = {{"Enter", "Open panel"}, {"F9", "Configure"}, {"F10", "Quit"}};
    const auto layout = host::KeyBarLayout(keys, 80, 25);
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout[0], (host::Rect{0, 24, 15, 24}));
    EXPECT_EQ(layout[1].left, 17);
    EXPECT_EQ(host::KeyBarItemAt(keys, 80, 25, 0, 24), 0);
    EXPECT_EQ(host::KeyBarItemAt(keys, 80, 25, layout[2].right, 24), 2);
    EXPECT_EQ(host::KeyBarItemAt(keys, 80, 25, 16, 24), -1) << "the gap";
    EXPECT_EQ(host::KeyBarItemAt(keys, 80, 25, 0, 23), -1) << "another row";
    EXPECT_EQ(host::KeyBarItemAt(keys, 80, 25, layout[2].right + 1, 24), -1);
    // On a narrow screen the items that do not fit are left out, not cut.
    const auto narrow = host::KeyBarLayout(keys, 20, 25);
    EXPECT_FALSE(narrow[0].Empty());
    EXPECT_TRUE(narrow[1].Empty());
    EXPECT_TRUE(narrow[2].Empty());
}

TEST(HostBackdrop, FitsAnyScreenSize) {
    host::Backdrop backdrop;
    backdrop.title = "Quaver Host - Quaver Control";
    backdrop.left = {"C:\\a folder with a long name\\", {"..\\", "quaver.dll", "quaver-host.exe"}};
    backdrop.right = {"Plug-ins", {"Quaver Control"}};
    backdrop.status = "Enter opens Quaver Control";
    backdrop.keys = {{"Enter", "Open panel"}, {"F10", "Quit"}};
    for (int width : {0, 1, 5, 80}) {
        for (int height : {0, 1, 2, 3, 25}) {
            host::ScreenBuffer screen(width, height);
            host::DrawBackdrop(screen, backdrop);
        }
    }
    host::ScreenBuffer screen(80, 25);
    host::DrawBackdrop(screen, backdrop);
    EXPECT_EQ(screen.At(0, 24).First(), u'E');
    EXPECT_EQ(screen.At(0, 23).First(), u'E');
    EXPECT_EQ(screen.At(40, 1).First(), u'╔') << "the right pane starts at the middle";
    EXPECT_EQ(screen.At(41, 3).First(), u'Q');
    EXPECT_EQ(screen.At(41, 3).attribute, 0x30) << "the first entry carries the cursor";
}
