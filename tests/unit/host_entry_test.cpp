// The four entry points as the host sees them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "host/settings.h"
#include "opening_checks.h"

using namespace quaver;

namespace {

class EntryPoints : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(EntryPoints, PluginInfoOffersOneMenuAndOneConfigurationEntryEvenBeforeStartUp) {
    PluginInfoRecord info;
    std::memset(&info, 0xCD, sizeof info);
    GetPluginInfo(&info);
    EXPECT_EQ(info.size, static_cast<int>(sizeof(PluginInfoRecord)));
    EXPECT_EQ(info.flags, 12u);
    EXPECT_EQ(info.otherListCount, 0);
    ASSERT_EQ(info.menuTitleCount, 1);
    ASSERT_EQ(info.configTitleCount, 1);
    EXPECT_STREQ(info.menuTitles[0], "Quaver Control");
    EXPECT_STREQ(info.configTitles[0], "Quaver Control");
    void* untouched;
    std::memset(&untouched, 0xCD, sizeof untouched);
    EXPECT_EQ(info.reserved8, untouched) << "fields the module does not own stay as the host passed them";
    EXPECT_EQ(info.reserved40, 0xCDCDCDCDu);
}

TEST_F(EntryPoints, AHostRecordOneByteShortIsRefusedOnEveryOpening) {
    fake::StartModule(static_cast<int>(sizeof(HostServices)) - 1);
    EXPECT_TRUE(hostLink.tooOld);
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_EQ(OpenPlugin(0, 0), reinterpret_cast<void*>(intptr_t{-1}));
    ASSERT_EQ(fake::host().messageBoxes.size(), 2u);
    const fake::MessageBoxCall& box = fake::host().messageBoxes[0];
    EXPECT_EQ(box.flags, 9u);
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_EQ(box.lines, (std::vector<std::string>{"Quaver Control", "message 3", "message 22"}));
    EXPECT_TRUE(fake::PutTexts().empty()) << "the console is not touched";
}

TEST_F(EntryPoints, AHostRecordOfExactlyTheModulesSizeIsAccepted) {
    fake::SetDword(fake::testSettingsKey, "AutostartWinamp", 0);
    fake::StartModule(static_cast<int>(sizeof(HostServices)));
    EXPECT_FALSE(hostLink.tooOld);
    fake::PushKey(27, true);  // the panel opens; Esc closes it
    EXPECT_EQ(OpenPlugin(0, 0), reinterpret_cast<void*>(intptr_t{-1}));
    EXPECT_EQ(fake::world().inputWaitsGivenUp, 0) << "closed by Esc, not by running out of input";
    EXPECT_TRUE(fake::host().messageBoxes.empty());
    EXPECT_FALSE(fake::PutTexts().empty()) << "the panel was drawn";
    fake::ExpectNothingLeftBehind();
}

TEST_F(EntryPoints, NegativeOrTinySizesAreTooOldAndNothingBeyondTheSizeIsUsed) {
    for (int size : {-1, 0, 3, 100, -2147483647 - 1}) {
        fake::StartModule(size);
        EXPECT_TRUE(hostLink.tooOld) << size;
        OpenPlugin(0, 0);  // no callback lies within such a record: nothing to show, nothing to crash
        EXPECT_TRUE(fake::host().messageBoxes.empty()) << size;
    }
}

TEST_F(EntryPoints, TheSettingsPathIsTheRootFollowedDirectlyByTheModulesKey) {
    fake::StartModule();
    EXPECT_STREQ(hostLink.settingsKeyPath, "Software\\Test\\Plugins\\QuaverRemoteControl");
    char path[80];
    BuildSettingsKeyPath("Software\\Host\\Plugins", path);
    EXPECT_STREQ(path, "Software\\Host\\Plugins\\QuaverRemoteControl");
    BuildSettingsKeyPath("Software\\Host\\Plugins\\", path);
    EXPECT_STREQ(path, "Software\\Host\\Plugins\\\\QuaverRemoteControl") << "no separator is removed";
}

TEST_F(EntryPoints, ARootTooLongForTheEightyBytePathLeavesTheSettingsAlone) {
    fake::StartModule();  // an ordinary host first: its path must not survive a longer root
    const std::string fits(79 - 20, 'r');
    char path[80];
    BuildSettingsKeyPath(fits.c_str(), path);
    EXPECT_EQ(std::strlen(path), 79u);
    const std::string tooLong(79 - 19, 'r');
    BuildSettingsKeyPath(tooLong.c_str(), path);
    EXPECT_STREQ(path, "");
    BuildSettingsKeyPath(nullptr, path);
    EXPECT_STREQ(path, "");

    const std::string huge(5000, 'x');
    fake::StartModule(static_cast<int>(sizeof(HostServices)), huge.c_str());
    EXPECT_STREQ(hostLink.settingsKeyPath, "");
    fake::world().keyOpens = 0;
    WriteSetting("DispVolumeCtrl", 1);
    EXPECT_EQ(fake::world().keyOpens, 0) << "nothing is read or written under a cut key";
    EXPECT_EQ(ReadSetting("DispVolumeCtrl", 42), 42u);
}

TEST_F(EntryPoints, LanguageTextsComeFromTheHostByNumber) {
    fake::StartModule();
    fake::host().messages[23] = "Starting the player";
    EXPECT_STREQ(GetLangString(23), "Starting the player");
}

TEST_F(EntryPoints, AHostWithoutStandardFunctionsIsTreatedAsTooOld) {
    fake::ResetHost();
    fake::host().services.standardFunctions = nullptr;
    SetStartupInfo(&fake::host().services);
    EXPECT_TRUE(hostLink.tooOld);
    OpenPlugin(0, 0);
    ASSERT_EQ(fake::host().messageBoxes.size(), 1u);
    EXPECT_EQ(fake::host().messageBoxes[0].lines[1], "message 3");
}

}  // namespace
