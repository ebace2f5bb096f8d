// The settings store: what a user's registry values turn into, and the panel's colours.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "panel/title_line.h"

using namespace quaver;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
    }
    static void Store(const char* name, uint32_t value) { fake::SetDword(fake::testSettingsKey, name, value); }
};

TEST_F(SettingsStore, AnEmptyStoreGivesTheDocumentedDefaults) {
    LoadDisplaySettings();
    EXPECT_EQ(settings.timeFormat, 0) << "elapsed time";
    EXPECT_EQ(liveDisplay.scrollMode, 2) << "running text";
    EXPECT_EQ(settings.showVersion[0], 1);
    EXPECT_EQ(settings.showVersion[1], 1);
    EXPECT_EQ(settings.showRepeatShuffle, 1);
    EXPECT_EQ(settings.showCloseButton, 1);
    EXPECT_EQ(settings.showVolumeControl, 0);
    EXPECT_EQ(settings.asciiButtons, 0);
    EXPECT_EQ(settings.wideTrackNumber, 0);
    EXPECT_EQ(settings.startPlayer[0], 1) << "the player is started when the panel opens";
    EXPECT_EQ(settings.startPlayer[1], 0);
    EXPECT_EQ(fake::world().openKeys, 0) << "every access closes its key";
}

TEST_F(SettingsStore, OneBitValuesReadAsOnWhenNonZero) {
    Store("DispVolumeCtrl", 7);
    Store("DispCloseButton", 0);
    Store("WideTrackNumber", 0x80000000u);
    LoadDisplaySettings();
    EXPECT_EQ(settings.showVolumeControl, 1);
    EXPECT_EQ(settings.showCloseButton, 0);
    EXPECT_EQ(settings.wideTrackNumber, 1);
}

TEST_F(SettingsStore, TwoBitValuesSplitIntoTheirSwitchesAndIgnoreHigherBits) {
    struct Case {
        uint32_t stored;
        uint8_t bit0, bit1;
    } cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 1}, {3, 1, 1}, {4, 0, 0}, {6, 0, 1}, {0xFFFFFFFDu, 1, 0}};
    for (const Case& c : cases) {
        Store("AutostartWinamp", c.stored);
        Store("DispWinampVer", c.stored);
        LoadDisplaySettings();
        EXPECT_EQ(settings.startPlayer[0], c.bit0) << c.stored;
        EXPECT_EQ(settings.startPlayer[1], c.bit1) << c.stored;
        EXPECT_EQ(settings.showVersion[0], c.bit0) << c.stored;
        EXPECT_EQ(settings.showVersion[1], c.bit1) << c.stored;
    }
}

TEST(ScrollModeSetting, StoredValuesMapToCentredRunningOrBackAndForth) {
    EXPECT_EQ(ScrollModeFromStored(0), 0);
    EXPECT_EQ(ScrollModeFromStored(1), 0) << "the style bit alone does not scroll";
    EXPECT_EQ(ScrollModeFromStored(2), 2);
    EXPECT_EQ(ScrollModeFromStored(3), 1);
    EXPECT_EQ(ScrollModeFromStored(6), 2) << "only the two low bits count";
    EXPECT_EQ(ScrollModeFromStored(7), 1);
}

TEST_F(SettingsStore, StartUpReadsTimeFormatAndScrollModeAndResetsScrolling) {
    Store("TimeFormat", 5);
    Store("ScrollMode", 3);
    liveDisplay.scroll.offset = 9;
    liveDisplay.scroll.pause = 2;
    liveDisplay.scroll.backward = 1;
    SetStartupInfo(&fake::host().services);
    EXPECT_EQ(settings.timeFormat, 1) << "any non-zero value means remaining time";
    EXPECT_EQ(liveDisplay.scrollMode, 1);
    EXPECT_EQ(liveDisplay.scroll.offset, 0);
    EXPECT_EQ(liveDisplay.scroll.pause, 13);
    EXPECT_EQ(liveDisplay.scroll.backward, 0);
}

TEST_F(SettingsStore, ValuesOfOtherTypesAndLengthsAreReadOnlyWhenTheyFitFourBytes) {
    fake::SetBinary(fake::testSettingsKey, "DispCloseButton", {0, 0, 0, 0});
    fake::SetBinary(fake::testSettingsKey, "DispRepeatShfl", {0, 0, 0, 0, 0});
    fake::SetBinary(fake::testSettingsKey, "WideTrackNumber", {1, 0});
    LoadDisplaySettings();
    EXPECT_EQ(settings.showCloseButton, 0) << "the type is not examined";
    EXPECT_EQ(settings.showRepeatShuffle, 1) << "a 5-byte value fails to read and the default applies";
    EXPECT_EQ(settings.wideTrackNumber, 1) << "a short value is taken with zero high bytes";
    fake::SetBinary(fake::testSettingsKey, "AutostartWinamp", {2});
    LoadDisplaySettings();
    EXPECT_EQ(settings.startPlayer[0], 0);
    EXPECT_EQ(settings.startPlayer[1], 1);
}

TEST_F(SettingsStore, ATextWhereANumberBelongsReadsAsMissing) {
    fake::SetBinary(fake::testSettingsKey, "DispCloseButton", {'0', 0}, 1);       // REG_SZ "0"
    fake::SetBinary(fake::testSettingsKey, "WideTrackNumber", {'1', 0}, 2);       // REG_EXPAND_SZ "1"
    fake::SetBinary(fake::testSettingsKey, "DispVolumeCtrl", {'1', 0, 0}, 7);     // REG_MULTI_SZ "1"
    fake::SetBinary(fake::testSettingsKey, "DrawUglyButtons", {1, 0, 0, 0}, 3);  // binary: read
    LoadDisplaySettings();
    EXPECT_EQ(settings.showCloseButton, 1) << "the default, not the text's bytes";
    EXPECT_EQ(settings.wideTrackNumber, 0);
    EXPECT_EQ(settings.showVolumeControl, 0);
    EXPECT_EQ(settings.asciiButtons, 1);
    EXPECT_EQ(ReadSetting("DispCloseButton", 7), 7u);
}

TEST_F(SettingsStore, WriteSettingCreatesTheKeyAndStoresFourByteDwords) {
    WriteSetting("DispVolumeCtrl", 1);
    WriteSetting("ScrollMode", 3);
    EXPECT_EQ(fake::DwordAt(fake::testSettingsKey, "DispVolumeCtrl"), 1u);
    EXPECT_EQ(fake::DwordAt(fake::testSettingsKey, "ScrollMode"), 3u);
    EXPECT_EQ(fake::world().currentUser["software\\test\\plugins\\quaverremotecontrol"]["scrollmode"].type, 4u);
    EXPECT_EQ(fake::world().openKeys, 0);
}

TEST_F(SettingsStore, FailedWritesAreIgnoredAndReadsFallBackToDefaults) {
    fake::world().createKeyFails = true;
    WriteSetting("DispVolumeCtrl", 1);
    EXPECT_FALSE(fake::HasValue(fake::testSettingsKey, "DispVolumeCtrl"));
    fake::world().createKeyFails = false;
    fake::world().setValueFails = true;
    WriteSetting("DispVolumeCtrl", 1);
    EXPECT_FALSE(fake::HasValue(fake::testSettingsKey, "DispVolumeCtrl"));
    EXPECT_EQ(fake::world().openKeys, 0) << "the key is closed even when the value cannot be set";
}

TEST_F(SettingsStore, ReadValueReportsTheStoredLengthAndLeavesBufferAloneWithoutAKey) {
    fake::world().currentUser.clear();
    uint8_t buffer[4] = {9, 9, 9, 9};
    uint32_t size = 4;
    EXPECT_FALSE(ReadValue("Palette", buffer, &size));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 9);
    fake::SetBinary(fake::testSettingsKey, "Palette", {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_FALSE(ReadValue("Palette", buffer, &size));
    EXPECT_EQ(size, 9u) << "the registry's length is handed back";
}

class Palette : public SettingsStore {};

TEST_F(Palette, HostColoursFillTheFirstFiveEntriesAndTheRestIsDerived) {
    fake::host().colours = {{23, 0x1F}, {24, 0x1E}, {21, 0x13}, {29, 0x3E}, {30, 0x4F}};
    LoadPalette();
    const uint8_t expected[8] = {0x1F, 0x1E, 0x13, 0x3E, 0x4F, 0x18, 0x1E, 0x4F};
    EXPECT_EQ(0, std::memcmp(settings.palette, expected, 8));
    EXPECT_EQ(fake::host().coloursAsked, (std::vector<int>{23, 24, 21, 29, 30}));
}

TEST_F(Palette, ABrightBackgroundGetsALightGreyButtonShadow) {
    fake::host().colours[23] = 0x9F;
    LoadPalette();
    EXPECT_EQ(settings.palette[5], 0x97);
    fake::host().colours[23] = 0x7F;
    LoadPalette();
    EXPECT_EQ(settings.palette[5], 0x78);
}

TEST_F(Palette, OnlyTheLowByteOfAHostColourCounts) {
    fake::host().colours[24] = 0x12345678;
    LoadPalette();
    EXPECT_EQ(settings.palette[1], 0x78);
}

TEST_F(Palette, TheDefaultPaletteFollowsTheDerivationRule) {
    uint8_t derived[8];
    std::memcpy(derived, defaultPalette, 8);
    derived[5] = derived[6] = derived[7] = 0;
    DerivePaletteEntries(derived);
    EXPECT_EQ(0, std::memcmp(derived, defaultPalette, 8));
}

TEST_F(Palette, AStoredPaletteOfExactlyEightBytesIsUsedAsIs) {
    Store("IgnoreFarPalette", 1);
    const std::vector<uint8_t> stored = {0x01, 0x02, 0x03, 0x04, 0x05, 0x66, 0x77, 0x88};
    fake::SetBinary(fake::testSettingsKey, "Palette", stored);
    LoadPalette();
    EXPECT_EQ(0, std::memcmp(settings.palette, stored.data(), 8)) << "no derivation over a stored palette";
    EXPECT_TRUE(fake::host().coloursAsked.empty()) << "the host's colours are not consulted";
}

TEST_F(Palette, AStoredPaletteOfAnyOtherLengthGivesTheDefault) {
    Store("IgnoreFarPalette", 1);
    for (size_t length : {0u, 1u, 7u, 9u, 64u}) {
        std::memset(settings.palette, 0xAA, sizeof settings.palette);
        fake::SetBinary(fake::testSettingsKey, "Palette", std::vector<uint8_t>(length, 0x42));
        LoadPalette();
        EXPECT_EQ(0, std::memcmp(settings.palette, defaultPalette, 8)) << length << " bytes";
    }
    fake::SetBinary(fake::testSettingsKey, "Palette", std::vector<uint8_t>(8, 0x42), os::RegSz);
    LoadPalette();
    EXPECT_EQ(0, std::memcmp(settings.palette, defaultPalette, 8)) << "eight bytes stored as text";
    fake::world().currentUser["software\\test\\plugins\\quaverremotecontrol"].erase("palette");
    std::memset(settings.palette, 0xAA, sizeof settings.palette);
    LoadPalette();
    EXPECT_EQ(0, std::memcmp(settings.palette, defaultPalette, 8)) << "missing";
}

TEST_F(Palette, APaletteIsNotReadWhileHostColoursAreInUse) {
    fake::SetBinary(fake::testSettingsKey, "Palette", {1, 2, 3, 4, 5, 6, 7, 8});
    Store("IgnoreFarPalette", 0);
    LoadPalette();
    EXPECT_EQ(settings.palette[0], 0x3F);
    EXPECT_EQ(fake::host().coloursAsked.size(), 5u);
}

}  // namespace
