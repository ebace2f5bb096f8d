// The command line a missing player is started by: the registered open command cut after its program file,
// made safe for CreateProcessA, or the language file's fallback.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "player/player.h"

using namespace quaver;

namespace {

constexpr char canary = '\x5A';

// A 261-byte command buffer inside a larger block whose bytes past the buffer must stay untouched.
struct CommandBuffer {
    char bytes[startCommandCapacity + 16];

    explicit CommandBuffer(const std::string& text) {
        std::memset(bytes, canary, sizeof bytes);
        std::memcpy(bytes, text.c_str(), text.size() + 1);
    }
    std::string Text() const { return std::string(bytes, strnlen(bytes, startCommandCapacity)); }
    bool Terminated() const { return std::memchr(bytes, '\0', startCommandCapacity) != nullptr; }
    bool TailUntouched(size_t from) const {
        for (size_t i = from; i < sizeof bytes; ++i)
            if (bytes[i] != canary) return false;
        return true;
    }
};

std::string Cut(const std::string& registered) {
    CommandBuffer buffer(registered);
    CutStartCommand(buffer.bytes, startCommandCapacity);
    EXPECT_TRUE(buffer.Terminated());
    EXPECT_TRUE(buffer.TailUntouched(startCommandCapacity));
    return buffer.Text();
}

TEST(StartCommandCut, KeepsAQuotedProgramPathAndDropsItsQuotedPlaceholder) {
    EXPECT_EQ(Cut(R"("C:\Program Files\Winamp\winamp.exe" "%1")"), R"("C:\Program Files\Winamp\winamp.exe")");
    EXPECT_EQ(Cut(R"("C:\Winamp\winamp.exe" /ADD "%1")"), R"("C:\Winamp\winamp.exe")");
}

TEST(StartCommandCut, CutsAnUnquotedPathRightAfterTheLettersOfExe) {
    EXPECT_EQ(Cut(R"(C:\Winamp\winamp.exe "%1")"), R"(C:\Winamp\winamp.exe)");
    EXPECT_EQ(Cut(R"(C:\Winamp\winamp.exe /play %1)"), R"(C:\Winamp\winamp.exe)");
    EXPECT_EQ(Cut(R"(C:\Winamp\winamp.exe)"), R"(C:\Winamp\winamp.exe)") << "nothing to cut";
}

TEST(StartCommandCut, AcceptsTheLettersInAnyCaseButOnlyARealDot) {
    EXPECT_EQ(Cut("C:\\W\\winamp.ExE %1"), "C:\\W\\winamp.ExE");
    EXPECT_EQ(Cut("C:\\W\\WINAMP.EXE %1"), "C:\\W\\WINAMP.EXE");
    EXPECT_EQ(Cut("C:\\W\\winamp.eXe %1"), "C:\\W\\winamp.eXe");
    // No dot before "exe": nothing is found and the first four characters stay.
    EXPECT_EQ(Cut("C:\\W\\winamp,exe %1"), "C:\\W");
    EXPECT_EQ(Cut("C:\\W\\winampnexe %1"), "C:\\W");
    // The dot is compared as it is: the character that becomes '.' with bit 5 set does not count.
    EXPECT_EQ(Cut("C:\\W\\a\x0E" "exe %1"), "C:\\W");
}

TEST(StartCommandCut, CutsAfterTheLastOfTwoExes) {
    EXPECT_EQ(Cut(R"(C:\Tools\launch.exe C:\Winamp\winamp.exe "%1")"), R"(C:\Tools\launch.exe C:\Winamp\winamp.exe)");
    EXPECT_EQ(Cut(R"("C:\a.exe" "D:\b.exe" "%1")"), R"("C:\a.exe" "D:\b.exe")");
    EXPECT_EQ(Cut(R"(C:\x.exe.exe)"), R"(C:\x.exe.exe)");
}

TEST(StartCommandCut, WithoutAnExeKeepsTheFirstFourCharactersOrFiveWhenQuoted) {
    EXPECT_EQ(Cut("winamp %1"), "wina");
    EXPECT_EQ(Cut("\"winamp\" %1"), "\"wina");
    EXPECT_EQ(Cut("C:\\Player\\player.com %1"), "C:\\P");
}

TEST(StartCommandCut, ShortTextsAreNeitherReadNorWrittenPastTheirEnd) {
    const char* const texts[] = {"", "a", "ab", "abc", "abcd", "abcde", "\"", "\"a", "\"ab\"", "\"abcd", ".EXE",
                                 ".exe", "a.exe", "\".exe", "\".EXE\"", "EXE", " ", "  ", "a b"};
    for (const char* text : texts) {
        const std::string original = text;
        CommandBuffer buffer(original);
        CutStartCommand(buffer.bytes, startCommandCapacity);
        const std::string cut = buffer.Text();
        // Unquoted blanks get quotes (two more characters); otherwise never longer than the text.
        const bool quoted = cut.size() == original.size() + 2 && cut.front() == '"' && cut.back() == '"';
        EXPECT_TRUE(cut.size() <= original.size() || quoted) << '"' << original << "\" -> \"" << cut << '"';
        EXPECT_TRUE(buffer.TailUntouched(original.size() + 3)) << '"' << original << '"';
    }
    EXPECT_EQ(Cut(""), "");
    EXPECT_EQ(Cut("abc"), "abc");
    EXPECT_EQ(Cut("abcde"), "abcd");
    EXPECT_EQ(Cut("\"abcd"), "\"abcd");
    EXPECT_EQ(Cut(".EXE"), ".EXE");
    EXPECT_EQ(Cut("a.exe"), "a.exe");
    EXPECT_EQ(Cut("\".exe\" x"), "\".exe\"");
}

TEST(StartCommandCut, AFullBufferWithoutTerminatorIsBoundedTo260Characters) {
    CommandBuffer buffer("");
    std::memset(buffer.bytes, 'x', startCommandCapacity);  // no terminator anywhere in the 261 bytes
    const std::string path = "C:\\Winamp\\winamp.exe";
    std::memcpy(buffer.bytes + 200, path.c_str(), path.size());
    CutStartCommand(buffer.bytes, startCommandCapacity);
    EXPECT_TRUE(buffer.Terminated());
    EXPECT_TRUE(buffer.TailUntouched(startCommandCapacity));
    EXPECT_EQ(buffer.Text().size(), 220u) << "cut right after the .exe at 216";

    std::memset(buffer.bytes, 'x', startCommandCapacity);
    CutStartCommand(buffer.bytes, startCommandCapacity);
    EXPECT_EQ(buffer.Text(), "xxxx");
    EXPECT_TRUE(buffer.TailUntouched(startCommandCapacity));
}

TEST(StartCommandCut, AnExeInTheLastFourOf260CharactersIsFound) {
    std::string registered(256, 'a');
    registered += ".exe";
    ASSERT_EQ(registered.size(), 260u);
    EXPECT_EQ(Cut(registered), registered);
    registered[0] = '"';
    EXPECT_EQ(Cut(registered), registered) << "no room for a closing quote: nothing past the text is kept";
}

// An unquoted path with a blank would be tried as "C:\Program.exe" first by CreateProcessA.
TEST(StartCommandQuoting, PutsQuotesAroundAnUnquotedPathWithBlanks) {
    EXPECT_EQ(Cut(R"(C:\Program Files\Player\player.exe "%1")"), R"("C:\Program Files\Player\player.exe")");
    EXPECT_EQ(Cut("C:\\My\tMusic\\player.exe %1"), "\"C:\\My\tMusic\\player.exe\"");
    EXPECT_EQ(Cut(R"(C:\Program Files\Player\player.exe)"), R"("C:\Program Files\Player\player.exe")");
}

TEST(StartCommandQuoting, LeavesQuotedAndBlankFreePathsAsTheCutLeavesThem) {
    EXPECT_EQ(Cut(R"("C:\Program Files\Player\player.exe" "%1")"), R"("C:\Program Files\Player\player.exe")");
    EXPECT_EQ(Cut(R"(C:\Player\player.exe "%1")"), R"(C:\Player\player.exe)");
    // A quoted text keeps one character after its last ".exe", whatever it is.
    EXPECT_EQ(Cut(R"("C:\Program Files\a.exe" C:\b.exe %1)"), R"("C:\Program Files\a.exe" C:\b.exe )");
}

TEST(StartCommandQuoting, QuotesOnlyTheProgramWhenAnotherExeFollowsAsItsArgument) {
    EXPECT_EQ(Cut(R"(C:\Program Files\Tools\launch.exe C:\Winamp\winamp.exe "%1")"),
              R"("C:\Program Files\Tools\launch.exe" C:\Winamp\winamp.exe)");
    EXPECT_EQ(Cut(R"(C:\Tools\launch.exe C:\My Music\winamp.exe "%1")"), R"(C:\Tools\launch.exe C:\My Music\winamp.exe)")
        << "the program's own path has no blank";
    EXPECT_EQ(Cut(R"(C:\Old Tools\run.exe.bak\player.exe %1)"), R"("C:\Old Tools\run.exe.bak\player.exe")")
        << "an .exe inside a folder name is not the end of the program";
}

TEST(StartCommandQuoting, QuotesAPathThatJustFitsAndStartsNothingRatherThanAPathThatCannot) {
    std::string fits = "C:\\Program Files\\" + std::string(254 - 17, 'p') + ".exe";  // 258 characters
    ASSERT_EQ(fits.size(), 258u);
    EXPECT_EQ(Cut(fits + " "), "\"" + fits + "\"");

    std::string tooLong = fits;
    tooLong.insert(17, "q");  // 259 characters: quoted it would need 261 + terminator
    EXPECT_EQ(Cut(tooLong), "");
}

TEST(StartCommandFallback, CopiesTheMessageTerminatedAndZeroesTheRestOfTheBuffer) {
    CommandBuffer buffer("");
    std::memset(buffer.bytes, 'q', startCommandCapacity);
    CopyFallbackCommand("winamp.exe", buffer.bytes, startCommandCapacity);
    EXPECT_EQ(buffer.Text(), "winamp.exe");
    for (int i = 10; i < startCommandCapacity; ++i) ASSERT_EQ(buffer.bytes[i], '\0') << i;
    EXPECT_TRUE(buffer.TailUntouched(startCommandCapacity));
}

TEST(StartCommandFallback, AMessageOf260CharactersOrMoreKeeps260AndItsTerminator) {
    for (size_t length : {259u, 260u, 261u, 400u}) {
        const std::string message(length, 'm');
        CommandBuffer buffer("");
        CopyFallbackCommand(message.c_str(), buffer.bytes, startCommandCapacity);
        EXPECT_EQ(buffer.Text(), message.substr(0, 260)) << length;
        EXPECT_EQ(buffer.bytes[startCommandCapacity - 1], '\0') << length;
        EXPECT_TRUE(buffer.TailUntouched(startCommandCapacity)) << length;
    }
}

}  // namespace
