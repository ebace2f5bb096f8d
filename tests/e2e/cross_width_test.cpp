// Each module with a player of the other width, whose titles lie where only the player's full address width
// reaches: the answer to a title question is the player's own pointer. Both pairs need a machine that runs
// 32-bit code, so this program is built into the 32-bit preset alone; the 64-bit build's files lie in its tree.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "console_session.h"
#include "os/os.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::StandinPlayer;

namespace {

// build/win64/bin, seen from this program's build/win32/bin.
std::string Win64Folder() {
    char full[MAX_PATH] = {};
    GetFullPathNameA((e2e::TestFolder() + "..\\..\\win64\\bin\\").c_str(), sizeof full, full, nullptr);
    return full;
}

// Where the player's log says its titles lie (its note "titles at 0x..."); 0 when it says nothing.
unsigned long long TitlesAt(const StandinPlayer& player) {
    unsigned long long at = 0;
    player.WaitForLog([&](const auto& log) {
        for (const e2e::PlayerLogEntry& entry : log)
            if (entry.note.rfind("titles at 0x", 0) == 0) at = std::strtoull(entry.note.c_str() + 12, nullptr, 16);
        return at != 0;
    });
    return at;
}

// The host's J menu of three entries: every line as expected, "N. Track N" for a title that could not be read.
void ExpectMenu(const std::string& hostFolder, const std::string& playerFolder, unsigned long long titlesAbove,
                bool titlesRead) {
    StandinPlayer player(StandinPlayer::Options{{"--titles-high", "--entries", "3"}, true, 15000,
                                                playerFolder + "standin-player.exe"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ASSERT_GE(TitlesAt(player), titlesAbove) << "the player's titles lie where its full width is needed";
    ConsoleSession::Options options;
    options.program = hostFolder + "quaver-host.exe";
    ConsoleSession session(options);
    ASSERT_TRUE(session.WaitForText("Quaver")) << session.Dump();
    session.PressKey('J', 0, 'j');
    for (int n = 1; n <= 3; ++n) {
        const std::string number = std::to_string(n);
        const std::string line =
            number + ". " + (titlesRead ? "Artist " + number + " - Title number " + number : "Track " + number);
        EXPECT_TRUE(session.WaitForText(line)) << line << "\n" << session.Dump();
    }
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitFor([&] { return session.FindRow("1. ") < 0; })) << session.Dump();
    session.PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.WaitForText("F10 Quit")) << session.Dump();
    session.PressKey(VK_F10);
    EXPECT_TRUE(session.WaitForExit());
}

class CrossWidth : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesA((Win64Folder() + "quaver.dll").c_str()), INVALID_FILE_ATTRIBUTES)
            << "the 64-bit build is needed beside this one: " << Win64Folder();
        ASSERT_TRUE(e2e::SetModuleSetting("AutostartWinamp", 0));
    }
    e2e::ScopedModuleSettings settings;
};

// A 64-bit module receives the 32-bit player's address above 2 GiB sign-extended, and reads it zero-extended.
TEST_F(CrossWidth, The64BitModuleReadsTheTitlesOfA32BitPlayerAbove2GiB) {
    ExpectMenu(Win64Folder(), e2e::TestFolder(), 0x80000000ull, true);
}

// The 32-bit module receives only the low half of a 64-bit address: the entry is unreadable, never another
// entry's text.
TEST_F(CrossWidth, The32BitModuleShowsTrackNumbersForA64BitPlayersTitlesAbove4GiB) {
    ExpectMenu(e2e::TestFolder(), Win64Folder(), 0x100000000ull, false);
}

// What the title rule starts from, as this 32-bit program under WoW64 asks it through the module's own seam.
TEST(PlayerWidth, IsToldForAPlayerOfEachWidth) {
    for (const auto& [folder, bits] : {std::pair{e2e::TestFolder(), 32}, std::pair{Win64Folder(), 64}}) {
        StandinPlayer player(StandinPlayer::Options{{}, true, 15000, folder + "standin-player.exe"});
        ASSERT_TRUE(player.Ready()) << player.Problem();
        EXPECT_EQ(os::WindowProcessBits(player.Window()), bits) << folder;
    }
}

}  // namespace
