// The About box opened from the panel: the panel steps aside for the dialog and the help viewer, and
// comes back afterwards without the keys given to them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"
#include "panel_harness.h"

using namespace quaver;

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        PaintHostScreen();
        harness.placement.shown = 0;
        SetPanelShown(harness.placement, true);
        fake::host().services.PutText(0, 0, 0, nullptr);
        ASSERT_NE(fake::ScreenRow(harness.placement.y + 1, harness.placement.x, 3), HostRow(harness.placement.y + 1))
            << "the panel covers the host's screen";
    }

    // Letters on the host's screen, on the console and in the host's pending copy alike.
    static char HostLetter(int x, int y) { return static_cast<char>('a' + (x + 3 * y) % 26); }
    static void PaintHostScreen() {
        std::lock_guard hostLock(fake::HostMutex());
        std::lock_guard worldLock(fake::Mutex());
        fake::World& world = fake::world();
        for (int y = 0; y < world.height; ++y)
            for (int x = 0; x < world.width; ++x)
                world.screen[static_cast<size_t>(y * world.width + x)] = fake::Cell{HostLetter(x, y), 0x1E};
        fake::host().back = world.screen;
    }
    // What the host's screen held at the panel's place before the panel came.
    std::string HostRow(int y) const {
        std::string row;
        for (int x = harness.placement.x; x < harness.placement.x + 3; ++x) row += HostLetter(x, y);
        return row;
    }

    // While the dialog is up: what the user sees, then a few keys pressed and the dialog's result.
    struct Seen {
        bool panelShown = true;
        bool displayActive = true;
        std::string underPanel;
    };
    void UserAnswers(int result, Seen* seen) {
        fake::host().runDialog = [this, result, seen](fake::DialogCall&, HostDialogItem*, int) {
            seen->panelShown = harness.placement.shown != 0;
            seen->displayActive = harness.displayActive();
            seen->underPanel = fake::BackRow(harness.placement.y + 1, harness.placement.x, 3);
            fake::PushKey('Z', true);  // would press the panel's previous-track button
            fake::PushKey('Z', false);
            return result;
        };
    }

    fake::PanelHarness harness;
};

TEST_F(AboutBox, ItIsShownAlone27By11WithItsTwelveItemsAndNoHelpTopic) {
    Seen seen;
    UserAnswers(10, &seen);
    ShowAboutBox();
    ASSERT_EQ(fake::host().dialogs.size(), 1u);
    const fake::DialogCall& call = fake::host().dialogs[0];
    EXPECT_FALSE(call.extended);
    EXPECT_EQ(call.x1, -1);
    EXPECT_EQ(call.y1, -1);
    EXPECT_EQ(call.x2, 27);
    EXPECT_EQ(call.y2, 11);
    EXPECT_EQ(call.helpTopic, "");
    ASSERT_EQ(call.items.size(), 12u);
    EXPECT_STREQ(call.items[0].data, "About");
    EXPECT_STREQ(call.items[10].data, " OK ");
    EXPECT_EQ(call.items[10].focus, 1);
    EXPECT_EQ(call.items[0].x2, 26) << "not widened";
}

// The project's version, as CMakeLists.txt declares it: project(quaver VERSION x.y.z ...).
std::string ProjectVersion() {
    const std::string path = __FILE__;
    std::ifstream file(path.substr(0, path.rfind("tests")) + "CMakeLists.txt");
    std::string word;
    while (file >> word && word != "project(quaver") {}
    file >> word >> word;
    return file ? word : "";
}

TEST_F(AboutBox, ItShowsTheProjectsVersion) {
    Seen seen;
    UserAnswers(10, &seen);
    ShowAboutBox();
    ASSERT_EQ(fake::host().dialogs.size(), 1u);
    const std::string version = ProjectVersion();
    ASSERT_FALSE(version.empty());
    EXPECT_STREQ(fake::host().dialogs[0].items[2].data, ("Version " + version).c_str());
}

TEST_F(AboutBox, ThePanelStepsAsideForTheDialogAndReturnsWithoutTheKeysGivenToIt) {
    Seen seen;
    UserAnswers(10, &seen);
    const int flushesBefore = fake::world().inputFlushes;
    ShowAboutBox();
    EXPECT_FALSE(seen.panelShown);
    EXPECT_FALSE(seen.displayActive) << "no refresh pass draws over the dialog";
    EXPECT_EQ(seen.underPanel, HostRow(harness.placement.y + 1)) << "the host's screen is back under the dialog";

    EXPECT_TRUE(fake::host().helpTopics.empty()) << "OK opens no help";
    EXPECT_EQ(fake::PendingInput(), 0u) << "the keys pressed in the dialog are gone";
    EXPECT_EQ(fake::world().inputFlushes, flushesBefore + 1);
    EXPECT_TRUE(harness.placement.shown);
    EXPECT_TRUE(harness.displayActive());
    EXPECT_NE(fake::BackRow(harness.placement.y + 1, harness.placement.x, 3), HostRow(harness.placement.y + 1))
        << "the panel is drawn again";
}

TEST_F(AboutBox, EscClosesItLikeOk) {
    Seen seen;
    UserAnswers(-1, &seen);
    ShowAboutBox();
    EXPECT_TRUE(fake::host().helpTopics.empty());
    EXPECT_TRUE(harness.placement.shown);
}

TEST_F(AboutBox, HelpOpensTheHotkeysTopicBeforeThePanelReturns) {
    Seen seen;
    UserAnswers(11, &seen);
    bool shownDuringHelp = true;
    int flushesDuringHelp = -1;
    fake::host().onHelpTopic = [&] {
        shownDuringHelp = harness.placement.shown != 0;
        fake::PushKey('X', true);  // pressed in the help viewer
        flushesDuringHelp = static_cast<int>(fake::host().putTexts.size());
    };
    ShowAboutBox();
    EXPECT_EQ(fake::host().helpTopics, (std::vector<std::string>{"Hotkeys"}));
    EXPECT_FALSE(shownDuringHelp);
    EXPECT_EQ(fake::PendingInput(), 0u);
    ASSERT_GE(flushesDuringHelp, 0);
    const std::vector<fake::PutTextCall> calls = fake::PutTexts();
    ASSERT_GT(calls.size(), static_cast<size_t>(flushesDuringHelp));
    EXPECT_TRUE(calls[static_cast<size_t>(flushesDuringHelp)].isFlush)
        << "output is made visible after the viewer, before the panel is drawn again";
    EXPECT_TRUE(harness.placement.shown);
}

}  // namespace
