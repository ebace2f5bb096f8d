// The settings store against the real (Wine) registry, with the module's code linked in.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "host/host.h"
#include "host/settings.h"
#include "panel/title_line.h"
#include "recording_host.h"

using namespace quaver;

namespace {

class RealRegistry : public ::testing::Test {
protected:
    e2e::RegistryRootGuard cleanup;
    void SetUp() override {
        host = &e2e::ResetRecordingHost();
        SetStartupInfo(&host->services);
        ASSERT_FALSE(hostLink.tooOld);
        key = host->registryRoot + "\\QuaverRemoteControl";
    }
    void StoreBytes(const char* name, std::vector<unsigned char> bytes, unsigned long type = REG_BINARY) {
        e2e::WriteRegistryBinary(key, name, bytes, type);
    }
    e2e::RecordingHost* host = nullptr;
    std::string key;
};

TEST_F(RealRegistry, WrittenSettingsAreFourByteDwordsUnderTheModulesKey) {
    EXPECT_STREQ(hostLink.settingsKeyPath, key.c_str());
    WriteSetting("DispWinampVer", 2);
    WriteSetting("ScrollMode", 3);
    unsigned long type = 0;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(e2e::ReadRegistryValue(key, "DispWinampVer", &type, &bytes));
    EXPECT_EQ(type, static_cast<unsigned long>(REG_DWORD));
    ASSERT_EQ(bytes.size(), 4u);
    EXPECT_EQ(bytes, (std::vector<unsigned char>{2, 0, 0, 0}));
    EXPECT_EQ(ReadSetting("DispWinampVer", 9), 2u);
    EXPECT_EQ(ReadSetting("ScrollMode", 9), 3u);
    EXPECT_EQ(ReadSetting("Missing", 9), 9u);
}

TEST_F(RealRegistry, AFourByteBinaryValueReadsAsANumberAndALongerOneFallsBack) {
    StoreBytes("DispCloseButton", {0, 0, 0, 0});
    StoreBytes("DispRepeatShfl", {0, 0, 0, 0, 0});
    StoreBytes("DispVolumeCtrl", {1, 0, 0, 0});
    LoadDisplaySettings();
    EXPECT_EQ(settings.showCloseButton, 0);
    EXPECT_EQ(settings.showRepeatShuffle, 1) << "a 5-byte value: the default";
    EXPECT_EQ(settings.showVolumeControl, 1);
}

TEST_F(RealRegistry, StartUpReadsTheTimeFormatAndScrollMode) {
    StoreBytes("TimeFormat", {5, 0, 0, 0}, REG_DWORD);
    StoreBytes("ScrollMode", {6, 0, 0, 0}, REG_DWORD);
    SetStartupInfo(&host->services);
    EXPECT_EQ(settings.timeFormat, 1);
    EXPECT_EQ(liveDisplay.scrollMode, 2);
}

TEST_F(RealRegistry, OnlyAPaletteOfExactlyEightBytesIsUsed) {
    StoreBytes("IgnoreFarPalette", {1, 0, 0, 0}, REG_DWORD);
    const std::vector<unsigned char> eight = {1, 2, 3, 4, 5, 6, 7, 8};
    StoreBytes("Palette", eight);
    LoadPalette();
    EXPECT_EQ(0, std::memcmp(settings.palette, eight.data(), 8));
    for (size_t length : {7u, 9u}) {
        StoreBytes("Palette", std::vector<unsigned char>(length, 0x42));
        LoadPalette();
        EXPECT_EQ(0, std::memcmp(settings.palette, defaultPalette, 8)) << length << " bytes";
    }
    EXPECT_TRUE(host->coloursAsked.empty());
}

TEST_F(RealRegistry, WithoutAStoredPaletteTheHostsColoursAreAskedInOrder) {
    LoadPalette();
    EXPECT_EQ(host->coloursAsked, (std::vector<int>{23, 24, 21, 29, 30}));
    const uint8_t expected[8] = {0x1F, 0x1E, 0x13, 0x3E, 0x4F, 0x18, 0x1E, 0x4F};
    EXPECT_EQ(0, std::memcmp(settings.palette, expected, 8));
}

}  // namespace
