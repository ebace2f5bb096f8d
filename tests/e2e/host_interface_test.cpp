// The real 64-bit DLL, loaded as a host loads it, with a recording host and the real (Wine) registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "recording_host.h"

namespace {

using SetStartupInfoEntry = void(HOSTAPI*)(const HostServices*);
using GetPluginInfoEntry = void(HOSTAPI*)(PluginInfoRecord*);
using OpenPluginEntry = void*(HOSTAPI*)(int, intptr_t);
using ConfigureEntry = int(HOSTAPI*)(int);

// One load of quaver.dll from the test's own folder, as a host would load it.
class LoadedModule {
public:
    LoadedModule() : module_(LoadLibraryA("quaver.dll")) {}
    ~LoadedModule() {
        if (module_) FreeLibrary(module_);
    }
    bool loaded() const { return module_ != nullptr; }
    template <typename Entry>
    Entry entry(const char* name) const {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

class RealModule : public ::testing::Test {
protected:
    LoadedModule module;
    e2e::RegistryRootGuard cleanup;
    void SetUp() override { ASSERT_TRUE(module.loaded()) << "quaver.dll next to the test program"; }
    std::string SettingsKey() const { return e2e::recordingHost().registryRoot + "\\QuaverRemoteControl"; }
};

TEST_F(RealModule, ExportsTheFourEntryPointsByTheirPlainNames) {
    EXPECT_NE(module.entry<SetStartupInfoEntry>("SetStartupInfo"), nullptr);
    EXPECT_NE(module.entry<GetPluginInfoEntry>("GetPluginInfo"), nullptr);
    EXPECT_NE(module.entry<OpenPluginEntry>("OpenPlugin"), nullptr);
    EXPECT_NE(module.entry<ConfigureEntry>("Configure"), nullptr);
}

TEST_F(RealModule, PluginInfoIsAvailableBeforeStartUp) {
    PluginInfoRecord info;
    memset(&info, 0, sizeof info);
    module.entry<GetPluginInfoEntry>("GetPluginInfo")(&info);
    EXPECT_EQ(info.size, static_cast<int>(sizeof(PluginInfoRecord)));
    EXPECT_EQ(info.flags, 12u);
    ASSERT_EQ(info.menuTitleCount, 1);
    EXPECT_STREQ(info.menuTitles[0], "Quaver Control");
    ASSERT_EQ(info.configTitleCount, 1);
    EXPECT_STREQ(info.configTitles[0], "Quaver Control");
}

TEST_F(RealModule, AHostRecordOneByteShortIsRefusedOnEveryOpening) {
    e2e::RecordingHost& host = e2e::ResetRecordingHost(static_cast<int>(sizeof(HostServices)) - 1);
    module.entry<SetStartupInfoEntry>("SetStartupInfo")(&host.services);
    auto open = module.entry<OpenPluginEntry>("OpenPlugin");
    EXPECT_EQ(open(0, 0), reinterpret_cast<void*>(intptr_t{-1}));
    EXPECT_EQ(open(0, 0), reinterpret_cast<void*>(intptr_t{-1}));
    ASSERT_EQ(host.messageBoxes.size(), 2u);
    for (const auto& box : host.messageBoxes) {
        EXPECT_EQ(box.flags, 9u);
        EXPECT_EQ(box.buttonCount, 1);
        ASSERT_EQ(box.lines.size(), 3u);
        EXPECT_EQ(box.lines[0], "Quaver Control");
        EXPECT_EQ(box.lines[1], "message 3");
        EXPECT_EQ(box.lines[2], "message 22");
    }
    EXPECT_EQ(host.putTexts, 0) << "a refused host's console is not touched";
}

// Gives the program a standard input that is not a console for one scope, whatever it was started from.
class InputNotAConsole {
public:
    InputNotAConsole()
        : saved_(GetStdHandle(STD_INPUT_HANDLE)),
          nul_(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)) {
        SetStdHandle(STD_INPUT_HANDLE, nul_);
    }
    ~InputNotAConsole() {
        SetStdHandle(STD_INPUT_HANDLE, saved_);
        if (nul_ != INVALID_HANDLE_VALUE) CloseHandle(nul_);
    }
    InputNotAConsole(const InputNotAConsole&) = delete;
    InputNotAConsole& operator=(const InputNotAConsole&) = delete;
    bool ready() const { return nul_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE saved_;
    HANDLE nul_;
};

TEST_F(RealModule, AHostRecordOfFullSizeIsAccepted) {
    e2e::RecordingHost& host = e2e::ResetRecordingHost();
    // No player may be started from this test. Accepted, the opening goes on to the console, which is not
    // one here: its own error box shows that it got past the host's size check.
    e2e::WriteRegistryBinary(SettingsKey(), "AutostartWinamp", {0, 0, 0, 0}, REG_DWORD);
    module.entry<SetStartupInfoEntry>("SetStartupInfo")(&host.services);
    InputNotAConsole noConsole;
    ASSERT_TRUE(noConsole.ready());
    EXPECT_EQ(module.entry<OpenPluginEntry>("OpenPlugin")(0, 0), reinterpret_cast<void*>(intptr_t{-1}));
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    ASSERT_EQ(host.messageBoxes[0].lines.size(), 3u);
    EXPECT_EQ(host.messageBoxes[0].lines[1], "message 2") << "the console mode could not be set";
}

}  // namespace
