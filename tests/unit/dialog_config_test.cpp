// The configuration dialog as a user meets it through the host: what it shows, how dependent options
// follow their parent, and what a confirmed or cancelled dialog leaves in memory and in the registry.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/config_dialog.h"
#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/title_line.h"

using namespace quaver;
namespace item = quaver::configItem;

namespace {

constexpr uint32_t disabledFlag = 0x80000000u;
void* const dialogHandle = reinterpret_cast<void*>(0xD1A);

class ConfigDialog : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
    }

    static void Store(const char* name, uint32_t value) { fake::SetDword(fake::testSettingsKey, name, value); }
    static bool Stored(const char* name) { return fake::HasValue(fake::testSettingsKey, name); }
    static uint32_t StoredValue(const char* name) { return fake::DwordAt(fake::testSettingsKey, name); }

    // Plays the user: `act` changes items and talks to the handler, and its result closes the dialog.
    static void UserDoes(std::function<int(fake::DialogCall&, HostDialogItem*)> act) {
        fake::host().runDialog = [act](fake::DialogCall& call, HostDialogItem* items, int) {
            return act(call, items);
        };
    }
    // Clicks a check box or radio button the way the host reports it.
    static void Toggle(fake::DialogCall& call, HostDialogItem* items, int index, int state) {
        items[index].selected = state;
        call.handler(dialogHandle, 4097, index, state);
    }
    static int Confirm(fake::DialogCall& call) {
        call.handler(dialogHandle, 4097, item::Confirm, 0);
        return item::Confirm;
    }
    static const fake::DialogCall& Shown() { return fake::host().dialogs.at(0); }
    static bool Disabled(const fake::DialogCall& call, int index) {
        return (call.items.at(index).flags & disabledFlag) != 0;
    }
    static std::vector<int> Checked(const fake::DialogCall& call) {
        std::vector<int> on;
        for (int i = 0; i < static_cast<int>(call.items.size()); ++i)
            if (call.items[i].selected) on.push_back(i);
        return on;
    }
};

TEST_F(ConfigDialog, OnAnEmptyStoreItShowsTheDialogsDefaultsWithNothingDisabled) {
    EXPECT_EQ(Configure(0), 0) << "the fake user closes it without confirming";
    ASSERT_EQ(fake::host().dialogs.size(), 1u);
    const fake::DialogCall& call = Shown();
    EXPECT_TRUE(call.extended);
    EXPECT_EQ(call.x1, -1);
    EXPECT_EQ(call.y1, -1);
    EXPECT_EQ(call.x2, 29) << "frame x2 25 plus 4";
    EXPECT_EQ(call.y2, 22);
    EXPECT_EQ(call.helpTopic, "Config");
    ASSERT_EQ(call.items.size(), 22u);
    EXPECT_EQ(call.handler, &ConfigDialogHandler);
    EXPECT_STREQ(call.items[0].data, "Quaver Control");
    EXPECT_STREQ(call.items[1].data, "message 4");
    EXPECT_STREQ(call.items[14].data, "\xC3\xC4\xC4");

    EXPECT_EQ(Checked(call), (std::vector<int>{2, 3, 4, 6, 8, 11, 13, 18}));
    for (int i = 0; i < 22; ++i) EXPECT_FALSE(Disabled(call, i)) << "item " << i;
}

TEST_F(ConfigDialog, CancellingOnAnEmptyStoreStillSwitchesToTheDialogsDefaults) {
    ASSERT_EQ(settings.timeFormat, 0) << "start-up chose elapsed time";
    ASSERT_EQ(liveDisplay.scrollMode, 2) << "and running text";
    liveDisplay.scroll.offset = 7;
    liveDisplay.scroll.backward = 1;
    liveDisplay.scroll.pause = 5;
    EXPECT_EQ(Configure(0), 0);
    EXPECT_EQ(settings.timeFormat, 1) << "remaining time";
    EXPECT_EQ(liveDisplay.scrollMode, 1) << "back and forth";
    EXPECT_EQ(liveDisplay.scroll.offset, 0) << "scrolling starts over";
    EXPECT_EQ(liveDisplay.scroll.backward, 0);
    EXPECT_EQ(liveDisplay.scroll.pause, 5) << "the pause counter is left alone";
    EXPECT_TRUE(fake::world().valuesSet.empty());
}

TEST_F(ConfigDialog, StoredScrollMode1ShowsScrollingOffWithItsStyleKeptAndWritesItBack) {
    Store("ScrollMode", 1);
    UserDoes([](fake::DialogCall& call, HostDialogItem*) { return Confirm(call); });
    EXPECT_EQ(Configure(0), 1);
    const fake::DialogCall& call = Shown();
    EXPECT_EQ(call.items[item::ScrollTitle].selected, 0);
    EXPECT_EQ(call.items[item::RunningText].selected, 0);
    EXPECT_EQ(call.items[item::BackAndForth].selected, 1);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(Disabled(call, i), i >= 12 && i <= 15) << "item " << i;
    EXPECT_EQ(StoredValue("ScrollMode"), 1u);
    EXPECT_EQ(liveDisplay.scrollMode, 0);
}

TEST_F(ConfigDialog, AConfirmedDialogWritesAllTenValuesInOrderAndSetsTheSwitches) {
    Store("TimeFormat", 5);
    UserDoes([](fake::DialogCall& call, HostDialogItem* items) {
        Toggle(call, items, item::OwnPalette, 1);
        Toggle(call, items, item::VolumeControl, 1);
        Toggle(call, items, item::WideTrack, 1);
        Toggle(call, items, item::UglyButtons, 1);
        Toggle(call, items, item::CloseButton, 0);
        Toggle(call, items, item::RepeatShuffle, 0);
        Toggle(call, items, item::RunningText, 1);
        Toggle(call, items, item::BackAndForth, 0);
        return Confirm(call);
    });
    EXPECT_EQ(Configure(0), 1);
    EXPECT_EQ(fake::world().valuesSet,
              (std::vector<std::string>{"IgnoreFarPalette", "AutostartWinamp", "WideTrackNumber", "DrawUglyButtons",
                                        "DispCloseButton", "DispVolumeCtrl", "DispRepeatShfl", "DispWinampVer",
                                        "TimeFormat", "ScrollMode"}));
    EXPECT_EQ(StoredValue("IgnoreFarPalette"), 1u);
    EXPECT_EQ(StoredValue("AutostartWinamp"), 1u);
    EXPECT_EQ(StoredValue("WideTrackNumber"), 1u);
    EXPECT_EQ(StoredValue("DrawUglyButtons"), 1u);
    EXPECT_EQ(StoredValue("DispCloseButton"), 0u);
    EXPECT_EQ(StoredValue("DispVolumeCtrl"), 1u);
    EXPECT_EQ(StoredValue("DispRepeatShfl"), 0u);
    EXPECT_EQ(StoredValue("DispWinampVer"), 3u);
    EXPECT_EQ(StoredValue("TimeFormat"), 1u) << "5 was read as remaining time and is written back as 1";
    EXPECT_EQ(StoredValue("ScrollMode"), 2u) << "scrolling, running text";

    EXPECT_EQ(settings.showVolumeControl, 1);
    EXPECT_EQ(settings.wideTrackNumber, 1);
    EXPECT_EQ(settings.asciiButtons, 1);
    EXPECT_EQ(settings.showCloseButton, 0);
    EXPECT_EQ(settings.showRepeatShuffle, 0);
    EXPECT_EQ(settings.timeFormat, 1);
    EXPECT_EQ(liveDisplay.scrollMode, 2);
}

TEST_F(ConfigDialog, TheVersionDigitsChoiceIsKeptWhileTheVersionIsHidden) {
    UserDoes([](fake::DialogCall& call, HostDialogItem* items) {
        Toggle(call, items, item::ShowPlayerVersion, 0);
        return Confirm(call);
    });
    EXPECT_EQ(Configure(0), 1);
    EXPECT_EQ(StoredValue("DispWinampVer"), 2u);
    EXPECT_EQ(settings.showVersion[0], 0);
    EXPECT_EQ(settings.showVersion[1], 1);

    fake::host().dialogs.clear();
    fake::host().runDialog = nullptr;
    Configure(0);
    EXPECT_EQ(Shown().items[item::VersionDigits].selected, 1) << "shown checked";
    EXPECT_TRUE(Disabled(Shown(), item::VersionDigits)) << "but disabled";
    EXPECT_FALSE(Disabled(Shown(), item::ShowPlayerVersion));
}

TEST_F(ConfigDialog, StartingThePlayerOnlyWhenACommandNeedsItStoresAutostart3) {
    UserDoes([](fake::DialogCall& call, HostDialogItem* items) {
        Toggle(call, items, item::StartOnlyOnCommand, 1);
        return Confirm(call);
    });
    EXPECT_EQ(Configure(0), 1);
    EXPECT_EQ(StoredValue("AutostartWinamp"), 3u);
    EXPECT_EQ(settings.startPlayer[0], 1);
    EXPECT_EQ(settings.startPlayer[1], 1);

    Store("AutostartWinamp", 2);
    fake::host().dialogs.clear();
    fake::host().runDialog = nullptr;
    Configure(0);
    EXPECT_TRUE(Disabled(Shown(), item::StartOnlyOnCommand)) << "no start at all: the refinement is greyed";
}

TEST_F(ConfigDialog, TheCancelButtonAndEscBothWriteNothing) {
    Store("DispVolumeCtrl", 0);
    const std::function<int(fake::DialogCall&, HostDialogItem*)> endings[] = {
        [](fake::DialogCall& call, HostDialogItem* items) {
            Toggle(call, items, item::VolumeControl, 1);
            return static_cast<int>(call.handler(dialogHandle, 4097, item::Cancel, 0));
        },
        [](fake::DialogCall& call, HostDialogItem* items) {
            Toggle(call, items, item::VolumeControl, 1);
            return static_cast<int>(call.handler(dialogHandle, 4111, -1, 0));
        },
        [](fake::DialogCall&, HostDialogItem*) { return -2; },  // the host gave up on its own
    };
    for (const auto& ending : endings) {
        fake::world().valuesSet.clear();
        fake::host().dialogMessages.clear();
        UserDoes(ending);
        EXPECT_EQ(Configure(0), 0);
        EXPECT_TRUE(fake::world().valuesSet.empty());
        EXPECT_EQ(settings.showVolumeControl, 0) << "the unconfirmed choice does not reach the panel";
    }
}

TEST_F(ConfigDialog, AConfirmedChoiceTheStoreDidNotTakeIsReportedAndNotCalledSaved) {
    // The value cannot be set; the key cannot be created; the host's root leaves no key to name.
    const std::function<void()> failures[] = {
        [] { fake::world().setValueFails = true; },
        [] { fake::world().createKeyFails = true; },
        [] { fake::StartModule(static_cast<int>(sizeof(HostServices)), std::string(200, 'r').c_str()); },
    };
    for (const auto& fail : failures) {
        fake::Reset();
        fake::StartModule();
        fail();
        fake::host().messages[25] = "The settings could not be saved.";
        UserDoes([](fake::DialogCall& call, HostDialogItem* items) {
            Toggle(call, items, item::WideTrack, 1);
            return Confirm(call);
        });
        EXPECT_EQ(Configure(0), 0);
        EXPECT_FALSE(Stored("WideTrackNumber"));
        EXPECT_EQ(settings.wideTrackNumber, 1) << "the switches keep the choice for this run";
        ASSERT_EQ(fake::host().messageBoxes.size(), 1u);
        const auto& box = fake::host().messageBoxes[0].lines;
        ASSERT_GE(box.size(), 2u);
        EXPECT_EQ(box[0], "Quaver Control");
        EXPECT_EQ(box[1], "The settings could not be saved.");
    }
}

TEST_F(ConfigDialog, AConfirmedDialogOpensTheKeyOnceAndStoresAllTen) {
    UserDoes([](fake::DialogCall& call, HostDialogItem*) {
        fake::world().keyOpens = 0;  // the reads before the dialog do not count
        return Confirm(call);
    });
    EXPECT_EQ(Configure(0), 1);
    EXPECT_EQ(fake::world().keyOpens, 1);
    EXPECT_EQ(fake::world().valuesSet.size(), 10u);
    EXPECT_EQ(fake::world().openKeys, 0);
    EXPECT_TRUE(fake::host().messageBoxes.empty());
}

TEST_F(ConfigDialog, ALongLanguageTextMakesTheDialogWider) {
    fake::host().messages[9] = "Show the shuffle + repeat";  // 25 cells, 10 more than the frame has room for
    Configure(0);
    EXPECT_EQ(Shown().items[0].x2, 35);
    EXPECT_EQ(Shown().x2, 39);
}

TEST_F(ConfigDialog, AHostTooOldToHaveDialogsGetsNothingShownAndNothingStored) {
    fake::StartModule(100);
    EXPECT_EQ(Configure(0), 0);
    EXPECT_TRUE(fake::host().dialogs.empty());
    EXPECT_TRUE(fake::world().valuesSet.empty());
}

class ConfigHandler : public ConfigDialog {
protected:
    static std::vector<std::vector<intptr_t>> Sent() {
        std::vector<std::vector<intptr_t>> sent;
        for (const auto& m : fake::host().dialogMessages) sent.push_back({m.message, m.parameter1, m.parameter2});
        return sent;
    }
};

TEST_F(ConfigHandler, ShowingTheVersionEnablesOrDisablesTheDigitsChoice) {
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::ShowPlayerVersion, 0), 1);
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::ShowPlayerVersion, 1), 1);
    EXPECT_EQ(Sent(), (std::vector<std::vector<intptr_t>>{{2, 3, 0}, {2, 3, 1}}));
    EXPECT_TRUE(fake::host().defaultHandled.empty());
}

TEST_F(ConfigHandler, StartingThePlayerEnablesOrDisablesItsRefinement) {
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::StartPlayer, 0), 1);
    EXPECT_EQ(Sent(), (std::vector<std::vector<intptr_t>>{{2, 9, 0}}));
    EXPECT_TRUE(fake::host().defaultHandled.empty());
}

TEST_F(ConfigHandler, TurningScrollingOffDisablesBothStylesAndTheTreeThenRedraws) {
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::ScrollTitle, 0), 1);
    EXPECT_EQ(Sent(), (std::vector<std::vector<intptr_t>>{{2, 12, 0}, {2, 13, 0}, {2, 14, 0}, {2, 15, 0}, {14, 0, 0}}));
    fake::host().dialogMessages.clear();
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::ScrollTitle, 1), 1);
    EXPECT_EQ(Sent(), (std::vector<std::vector<intptr_t>>{{2, 12, 1}, {2, 13, 1}, {2, 14, 1}, {2, 15, 1}, {14, 0, 0}}));
    EXPECT_TRUE(fake::host().defaultHandled.empty());
}

TEST_F(ConfigHandler, CancelAndEscCloseTheDialogWithMinusOne) {
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4097, item::Cancel, 0), -1) << "the host's answer to the close";
    EXPECT_EQ(ConfigDialogHandler(dialogHandle, 4111, -1, 0), -1);
    EXPECT_EQ(Sent(), (std::vector<std::vector<intptr_t>>{{1, -1, 0}, {1, -1, 0}}));
    EXPECT_TRUE(fake::host().defaultHandled.empty());
}

TEST_F(ConfigHandler, EverythingElseGetsTheHostsDefaultProcessing) {
    const std::vector<std::vector<intptr_t>> events = {
        {4097, item::Confirm, 0}, {4097, item::VolumeControl, 1}, {4097, item::BackAndForth, 1},
        {4111, item::Confirm, 0}, {4111, item::Cancel, 0},        {99, 11, 1},
        {4097, -1, 0},
    };
    for (const auto& e : events)
        ConfigDialogHandler(dialogHandle, static_cast<int>(e[0]), static_cast<int>(e[1]), e[2]);
    std::vector<std::vector<intptr_t>> defaulted;
    for (const auto& m : fake::host().defaultHandled) defaulted.push_back({m.message, m.parameter1, m.parameter2});
    EXPECT_EQ(defaulted, events);
    EXPECT_TRUE(Sent().empty());
}

}  // namespace
