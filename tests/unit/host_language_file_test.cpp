// The host's language file: messages by number, and the file shipped with the host.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "pure/language_file.h"

using host::LanguageFile;

TEST(HostLanguageFile, GivesEachNumberedLineItsText) {
    LanguageFile file;
    EXPECT_EQ(file.Parse("# comment\n\n0 First error\n  22 OK\n23 Starting the player...\r\n"), 0);
    EXPECT_STREQ(file.Get(0), "First error");
    EXPECT_STREQ(file.Get(22), "OK");
    EXPECT_STREQ(file.Get(23), "Starting the player...") << "a CR of a CRLF line is not part of the text";
    EXPECT_EQ(file.Count(), 3);
}

TEST(HostLanguageFile, UnknownNumbersGiveAnEmptyTextNeverNull) {
    LanguageFile file;
    file.Parse("3 three\n");
    for (int number : {-1, 0, 2, 4, 9999, 10000, 2147483647}) {
        ASSERT_NE(file.Get(number), nullptr) << number;
        EXPECT_STREQ(file.Get(number), "") << number;
    }
}

TEST(HostLanguageFile, QuotesKeepSpacesAndEmptyTextsAreTexts) {
    LanguageFile file;
    file.Parse("14 \" Time display \"\n15 \"\"\n16\n17 say \"hi\" there   \n");
    EXPECT_STREQ(file.Get(14), " Time display ");
    EXPECT_STREQ(file.Get(15), "");
    EXPECT_STREQ(file.Get(16), "");
    EXPECT_STREQ(file.Get(17), "say \"hi\" there") << "inner quotes stay, trailing blanks go";
    EXPECT_EQ(file.Count(), 4);
}

TEST(HostLanguageFile, MalformedLinesAreSkippedAndCounted) {
    LanguageFile file;
    int firstBad = 0;
    EXPECT_EQ(file.Parse("1 one\nnot a message\n12abc nope\n-3 minus\n99999 too big\n2 two", &firstBad), 4);
    EXPECT_EQ(firstBad, 2);
    EXPECT_STREQ(file.Get(1), "one");
    EXPECT_STREQ(file.Get(2), "two") << "a last line without a newline counts";
    EXPECT_STREQ(file.Get(12), "");
}

TEST(HostLanguageFile, LaterLinesReplaceEarlierOnesAndParsingAgainStartsAfresh) {
    LanguageFile file;
    file.Parse("\xEF\xBB\xBF" "5 old\n5 new\n");
    EXPECT_STREQ(file.Get(5), "new");
    file.Parse("6 six\n");
    EXPECT_STREQ(file.Get(5), "");
    EXPECT_STREQ(file.Get(6), "six");
}

TEST(HostLanguageFile, ShippedEnglishFileHasEveryMessageTheModuleAsksFor) {
    std::string path = __FILE__;
    path = path.substr(0, path.find_last_of("/\\")) + "/../../tools/host/quaver_en.lng";
    std::ifstream stream(path, std::ios::binary);
    ASSERT_TRUE(stream) << path;
    std::ostringstream text;
    text << stream.rdbuf();
    LanguageFile file;
    EXPECT_EQ(file.Parse(text.str()), 0);
    for (int number = 0; number <= 24; ++number) EXPECT_STRNE(file.Get(number), "") << "message " << number;
    EXPECT_STREQ(file.Get(22), "OK");
    EXPECT_STREQ(file.Get(24), "standin-player.exe");
    // The configuration dialog counts one '&' as taking no cell; a second one would be shown.
    for (int number = 4; number <= 21; ++number) {
        const char* message = file.Get(number);
        const char* first = std::strchr(message, '&');
        EXPECT_TRUE(!first || !std::strchr(first + 1, '&')) << message;
        EXPECT_LT(std::strlen(message), 60u) << message;
    }
}
