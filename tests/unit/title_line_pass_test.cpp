// The title line as a refresh pass fills it: the player's window title, the volume after a volume command,
// and a player that misreports its title.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "host/settings.h"
#include "panel/panel.h"
#include "panel/refresh.h"
#include "panel/title_line.h"
#include "panel_harness.h"
#include "player/player.h"
#include "scripted_player.h"

using namespace quaver;

namespace {

class TitleLine : public ::testing::Test {
protected:
    void Open(const fake::PanelLook& look = {}) {
        Close();
        panel = std::make_unique<fake::PanelHarness>(look);
        stop = os::CreateEvent(true, false);
        os::SetEvent(openPanel.displayActiveEvent);
        settings.showVersion[0] = 0;
        liveDisplay.scrollMode = 0;
        ResetTitleScrolling();
        liveDisplay.scroll.lastLength = 0;  // lives as long as the module: every test starts as freshly loaded
        std::lock_guard lock(fake::Mutex());
        fake::world().manualClock = true;
        fake::world().tick = 50000;
    }
    void SetUp() override { Open(); }
    void TearDown() override { Close(); }
    void Close() {
        if (stop) os::CloseHandle(stop);
        stop = nullptr;
        panel.reset();
    }

    std::string Field() {
        RunRefreshPass(stop);
        return fake::ScreenRow(panel->placement.y + 5, panel->placement.x + 2, static_cast<int>(openPanel.titleFieldLength));
    }
    std::string FieldFor(const std::string& windowTitle) {
        player.windowTitle = windowTitle;
        fake::ShowScriptedPlayer(&player);
        return Field();
    }
    static std::string Blank(int cells = 30) { return std::string(static_cast<size_t>(cells), ' '); }
    static std::string At(int index, const std::string& text, int cells = 30) {
        std::string field = Blank(cells);
        field.replace(static_cast<size_t>(index), text.size(), text);
        return field;
    }
    static int TitleQueries() {
        int count = 0;
        for (const auto& sent : fake::SentMessages()) count += sent.message == os::WmGetText;
        return count;
    }
    static void Stamp(uint32_t tick, uint32_t volume, bool fails = false) {
        playerLink.volumeChangeTick = tick;
        std::lock_guard lock(fake::Mutex());
        fake::world().volume = volume;
        fake::world().volumeFails = fails;
    }
    static void Advance(uint32_t ms) {
        std::lock_guard lock(fake::Mutex());
        fake::world().tick += ms;
    }

    std::unique_ptr<fake::PanelHarness> panel;
    os::Handle stop = nullptr;
    fake::PlayerAnswers player;
};

TEST_F(TitleLine, AOneLetterTitleStandsAtIndexFourteen) {
    EXPECT_EQ(FieldFor("1. A - Winamp"), At(14, "A"));
}

TEST_F(TitleLine, TitlesTooShortOrWithoutTheSuffixLeaveTheFieldBlank) {
    EXPECT_EQ(FieldFor("1.  - Winamp"), Blank()) << "12 characters";
    EXPECT_EQ(FieldFor("1. Song - Winamp12345678"), Blank());
    EXPECT_EQ(FieldFor("1. Song - Winamp123456789"), At(13, "Song"));
    EXPECT_EQ(FieldFor("Untitled"), Blank());
}

TEST_F(TitleLine, ATitleWithTheSuffixButNoListNumberIsShownWhole) {
    EXPECT_EQ(FieldFor("Song Title - Winamp"), At(10, "Song Title"));
}

TEST_F(TitleLine, APlayerClaimingALongerTitleThanItGaveIsReadOnlyToTheTerminator) {
    player.claimTitleLength = true;
    player.claimedTitleLength = 1000;
    EXPECT_EQ(FieldFor("1. Song - Winamp"), At(13, "Song"));
    player.claimedTitleLength = -5;
    EXPECT_EQ(FieldFor("1. Song - Winamp"), Blank());
    player.claimedTitleLength = 12;  // shorter than what it copied: its word counts
    EXPECT_EQ(FieldFor("1. Song - Winamp"), Blank());
    player.claimedTitleLength = INTPTR_MAX;
    player.titleUnterminated = true;  // 255 bytes and no terminator
    EXPECT_EQ(FieldFor("ignored"), Blank());
}

TEST_F(TitleLine, AnsiCharactersAreShownInTheConsolesCodePage) {
    EXPECT_EQ(FieldFor("4. Caf\xE9 Se\xF1or - Winamp"), At(10, "Caf\x82 Se\xA4or"));
}

TEST_F(TitleLine, TheFieldIsRedrawnBlankEveryPass) {
    EXPECT_EQ(FieldFor("1. A rather long song title - Winamp"), At(3, "A rather long song title"));
    EXPECT_EQ(FieldFor("1. Short - Winamp"), At(12, "Short"));
}

TEST_F(TitleLine, ScrollingModesAdvanceOncePerPass) {
    const std::string shown = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    player.windowTitle = "1. " + shown + " - Winamp";
    fake::ShowScriptedPlayer(&player);
    liveDisplay.scrollMode = 1;
    EXPECT_EQ(Field(), shown.substr(1, 30));
    EXPECT_EQ(Field(), shown.substr(2, 30));
    EXPECT_EQ(Field(), shown.substr(2, 30));
    liveDisplay.scrollMode = 2;
    ResetTitleScrolling();
    EXPECT_EQ(Field(), shown.substr(1, 30));
}

// ---- the volume -----------------------------------------------------------------------------------------

TEST_F(TitleLine, AVolumeCommandShowsTheVolumeForASecondInsteadOfTheTitle) {
    player.windowTitle = "1. Song - Winamp";
    fake::ShowScriptedPlayer(&player);
    Stamp(50000, 0x80000000u);
    EXPECT_EQ(Field(), At(9, "Volume: 50 %"));
    Advance(1000);
    EXPECT_EQ(Field(), At(9, "Volume: 50 %")) << "1000 ms is still within the second";
    EXPECT_EQ(TitleQueries(), 0) << "the title is not asked while the volume shows";
    Advance(1);
    EXPECT_EQ(Field(), At(13, "Song"));
    EXPECT_EQ(playerLink.volumeChangeTick.load(), 0u);
}

TEST_F(TitleLine, TheVolumeTextStartsAtAFixedCellWhateverItsLength) {
    fake::ShowScriptedPlayer(&player);
    Stamp(50000, 0xFF000000u);
    EXPECT_EQ(Field(), At(9, "Volume: 100 %"));
    Stamp(50000, 0x01000000u);
    EXPECT_EQ(Field(), At(9, "Volume: 0 %"));
    Stamp(50000, 0x00FFFFFFu);
    EXPECT_EQ(Field(), At(9, "Volume: 0 %")) << "only the right channel's upper byte counts";
}

TEST_F(TitleLine, OnTheWidePanelTheVolumeStartsAtElevenAndIsNotConverted) {
    Open({.wideTrackNumber = true});
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().ansiToOem['%'] = '#';  // a conversion would show
    }
    fake::ShowScriptedPlayer(&player);
    Stamp(50000, 0x80000000u);
    EXPECT_EQ(Field(), At(11, "Volume: 50 %", 34));
}

TEST_F(TitleLine, AVolumeThatCannotBeReadEndsTheVolumeDisplayAtOnce) {
    player.windowTitle = "1. Song - Winamp";
    fake::ShowScriptedPlayer(&player);
    Stamp(50000, 0x80000000u, true);
    EXPECT_EQ(Field(), At(13, "Song"));
    EXPECT_EQ(playerLink.volumeChangeTick.load(), 0u);
}

TEST_F(TitleLine, TheVolumeSurvivesTheTickCountersWrap) {
    fake::ShowScriptedPlayer(&player);
    {
        std::lock_guard lock(fake::Mutex());
        fake::world().tick = 200;
    }
    Stamp(0xFFFFFF00u, 0x80000000u);  // 456 ms before the wrap
    EXPECT_EQ(Field(), At(9, "Volume: 50 %"));
}

TEST_F(TitleLine, TheVolumeDisplayDoesNotAdvanceTheScroll) {
    const std::string shown = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    player.windowTitle = "1. " + shown + " - Winamp";
    fake::ShowScriptedPlayer(&player);
    liveDisplay.scrollMode = 2;
    EXPECT_EQ(Field(), shown.substr(1, 30));
    Stamp(50000, 0x80000000u);
    Field();
    Field();
    Advance(2000);
    EXPECT_EQ(Field(), shown.substr(2, 30));
}

}  // namespace
