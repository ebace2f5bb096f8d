// The language files as the file manager reads them: header, messages in order, escapes, the choice by
// language, and damaged files refused with their line.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "pure/language_file.h"

using host::FileProblem;
using host::LanguageFile;

namespace {

constexpr char goodFile[] =
    "// a comment before the header\r\n"
    "\r\n"
    ".Language=German,Deutsch\r\n"
    "// 0\r\n"
    "\"  kept spaces  \"\r\n"
    "\"C:\\\\Program Files\\\\x.exe\"\r\n"
    "\"say \\\"hi\\\" and \"\"bye\"\"\"\r\n"
    "\"a\\nb\\rc\\td\\be \\q \\\\t\"\r\n"
    "\"\"\n"
    "\"inner \" quotes\" trailing\" ignored\r\n";

}  // namespace

TEST(HostLanguageFile, MessagesFollowTheHeaderInOrderUnescaped) {
    LanguageFile file;
    FileProblem problem;
    ASSERT_TRUE(file.Parse(goodFile, 6, &problem)) << problem.line << ": " << problem.reason;
    EXPECT_EQ(file.InterfaceName(), "German");
    EXPECT_EQ(file.DisplayName(), "Deutsch");
    EXPECT_EQ(file.Count(), 6);
    EXPECT_STREQ(file.Get(0), "  kept spaces  ");
    EXPECT_STREQ(file.Get(1), "C:\\Program Files\\x.exe");
    EXPECT_STREQ(file.Get(2), "say \"hi\" and \"bye\"");
    EXPECT_STREQ(file.Get(3), "a\nb\rc\td\be \\q \\t") << "an unknown escape keeps its backslash";
    EXPECT_STREQ(file.Get(4), "");
    EXPECT_STREQ(file.Get(5), "inner \" quotes\" trailing") << "up to the last quote of the line";
    for (int number : {-1, 6, 2147483647}) EXPECT_STREQ(file.Get(number), "") << number;
}

TEST(HostLanguageFile, DamagedFilesAreRefusedNamingTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* why;
    };
    const Case cases[] = {
        {"\"first\"\r\n\"second\"\r\n", 1, "a message before the header"},
        {"// only a comment\r\n.Language=English\r\n\"x\"\r\n\"y\"\r\n", 2, "a header without its menu name"},
        {"\xEF\xBB\xBF.Language=English,English\r\n\"x\"\r\n\"y\"\r\n", 1, "a UTF-8 mark before the header"},
        {"// nothing but comments\r\n\r\n", 2, "no header at all"},
        {".Language=English,English\r\n\"x\"\r\n\"unterminated\r\n\"y\"\r\n", 3, "an unterminated quote"},
        {".Language=English,English\r\n\"x\"\r\n  \"indented\"\r\n", 3, "a message not at the line's start"},
        {".Language=English,English\r\n\"x\"\r\n// the end\r\n", 3, "too few messages"},
    };
    for (const Case& c : cases) {
        LanguageFile file;
        FileProblem problem;
        EXPECT_FALSE(file.Parse(c.text, 2, &problem)) << c.why;
        EXPECT_EQ(problem.line, c.line) << c.why;
        EXPECT_FALSE(problem.reason.empty()) << c.why;
        EXPECT_STREQ(file.Get(0), "") << c.why << ": no text of a refused file is shown";
    }
}

TEST(HostLanguageFile, TheWantedLanguageIsChosenElseEnglish) {
    const std::vector<std::string> names = {"German", "English", "Russian"};
    EXPECT_EQ(host::ChooseLanguage(names, "german"), 0);
    EXPECT_EQ(host::ChooseLanguage(names, "Russian"), 2);
    EXPECT_EQ(host::ChooseLanguage(names, "French"), 1);
    EXPECT_EQ(host::ChooseLanguage({"German"}, "French"), -1);
    std::string interfaceName, displayName;
    FileProblem problem;
    ASSERT_TRUE(host::ReadLanguageHeader("//x\r\n.Language=German,Deutsch\r\n", &interfaceName, &displayName, &problem));
    EXPECT_EQ(interfaceName, "German");
    EXPECT_EQ(displayName, "Deutsch");
}
