// The language and help files shipped beside the module, read as the file manager reads them: every
// message the module uses is in every language, each dialog's hot keys are unique and its texts fit, and
// the help has the same topics in every language.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/config_dialog.h"
#include "dialogs/dialog_items.h"
#include "fake_host.h"
#include "fake_os.h"
#include "host/host.h"
#include "pure/help_file.h"
#include "pure/language_file.h"

using namespace host;

namespace {

constexpr int maxHelpColumns = 76;
constexpr int consoleWidth = 80;

std::string ReadShipped(const std::string& name) {
    std::string path = __FILE__;
    path = path.substr(0, path.rfind("tests")) + "src/lang/" + name;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::vector<std::string> languages = {"en", "de"};

// Every line ends in CR LF and only German umlauts and sharp s (code page 850, the German host's) lie
// above ASCII.
void ExpectHostFileForm(const std::string& name, const std::string& text, int maxColumns) {
    ASSERT_FALSE(text.empty()) << name;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
    int line = 1;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << name << " line " << line << " ends in LF alone";
            EXPECT_LE(static_cast<int>(i - 1 - start), maxColumns) << name << " line " << line;
            start = i + 1;
            ++line;
        } else if (c >= 0x80) {
            EXPECT_NE(std::string("\x84\x94\x81\x8E\x99\x9A\xE1").find(static_cast<char>(c)), std::string::npos)
                << name << " line " << line << " byte " << static_cast<int>(c);
            EXPECT_NE(name.find("_de."), std::string::npos) << name << " line " << line;
        }
    }
}

LanguageFile ParseShipped(const std::string& name) {
    LanguageFile file;
    FileProblem problem;
    EXPECT_TRUE(file.Parse(ReadShipped(name), quaver::message::Count, &problem))
        << name << " line " << problem.line << ": " << problem.reason;
    return file;
}

struct DialogTable {
    const char* name;
    const quaver::DialogInitItem* items;
    int count;
    bool widen;  // as the module expands it
};
const DialogTable dialogs[] = {{"configuration", quaver::configItems, quaver::configItemCount, true},
                               {"About", quaver::aboutItems, quaver::aboutItemCount, false}};

}  // namespace

TEST(ShippedLanguageFiles, EveryFileHoldsEveryMessageInTheHostsForm) {
    std::set<std::string> interfaceNames;
    for (const std::string& language : languages) {
        const std::string name = "quaver_" + language + ".lng";
        ExpectHostFileForm(name, ReadShipped(name), 1000);
        const LanguageFile file = ParseShipped(name);
        EXPECT_EQ(file.Count(), quaver::message::Count) << name << ": no message more than the module uses";
        for (int number = 0; number < quaver::message::Count; ++number)
            EXPECT_STRNE(file.Get(number), "") << name << " message " << number;
        // An error box holds its text on one line: frame, margins and shadow must still fit 80 columns.
        for (int error : {quaver::message::CreateEventFailed, quaver::message::CreateThreadFailed,
                          quaver::message::ConsoleModeFailed, quaver::message::HostTooOld,
                          quaver::message::SettingsNotSaved, quaver::message::CommandTooLong})
            EXPECT_LE(std::string(file.Get(error)).size(), 68u) << name << " message " << error;
        // Without a registered open command the player is started from its usual place, quoted for the space.
        EXPECT_STREQ(file.Get(quaver::message::PlayerCommandLine), "\"C:\\Program Files\\Winamp\\winamp.exe\"") << name;
        interfaceNames.insert(file.InterfaceName());
    }
    EXPECT_EQ(interfaceNames, (std::set<std::string>{"English", "German"}));
}

TEST(ShippedLanguageFiles, EachDialogsHotKeysAreUniqueAndItsTextsFitInEveryLanguage) {
    for (const std::string& language : languages) {
        const LanguageFile file = ParseShipped("quaver_" + language + ".lng");
        fake::Reset();
        fake::StartModule();
        for (int number = 0; number < file.Count(); ++number) fake::host().messages[number] = file.Get(number);
        for (const DialogTable& dialog : dialogs) {
            std::vector<HostDialogItem> items(static_cast<size_t>(dialog.count));
            quaver::ExpandDialogItems(dialog.items, items.data(), dialog.count, dialog.widen);
            const std::string where = language + ", " + dialog.name + " dialog";
            std::set<int> keys;
            for (int i = 1; i < dialog.count; ++i) {
                const std::string text = items[static_cast<size_t>(i)].data;
                const size_t amp = text.find('&');
                if (amp != std::string::npos) {
                    EXPECT_EQ(text.find('&', amp + 1), std::string::npos) << where << ": one '&' in " << text;
                    ASSERT_LT(amp + 1, text.size()) << where << ": " << text;
                    const int key = std::toupper(static_cast<unsigned char>(text[amp + 1]));
                    EXPECT_TRUE(keys.insert(key).second) << where << ": hot key " << char(key) << " twice";
                }
                // Check boxes and radio buttons put "[ ] " or "( ) " before their text; all stay inside the frame.
                const HostDialogItem& item = items[static_cast<size_t>(i)];
                const bool boxed = item.type == quaver::dialogItem::CheckBox || item.type == quaver::dialogItem::RadioButton;
                const bool plain = item.type == quaver::dialogItem::Text && !(item.flags & quaver::dialogItem::Separator);
                if (boxed || plain) {
                    EXPECT_LE(item.x1 + (boxed ? 4 : 0) + quaver::VisibleLength(item.data), items[0].x2)
                        << where << ": " << text;
                }
            }
            EXPECT_LE(items[0].x2 + 4, consoleWidth) << where << " is wider than the console";
        }
    }
}

TEST(ShippedHelpFiles, EveryLanguageHasTheSameTopicsInTheHostsForm) {
    std::vector<std::string> topicsOfEnglish;
    for (const std::string& language : languages) {
        const std::string name = "quaver_" + language + ".hlf";
        const std::string text = ReadShipped(name);
        ExpectHostFileForm(name, text, maxHelpColumns);
        HelpFile file;
        FileProblem problem;
        ASSERT_TRUE(ParseHelpFile(text, &file, &problem)) << name << " line " << problem.line << ": " << problem.reason;
        EXPECT_EQ(file.contentsTitle, "Quaver Control") << name;
        std::vector<std::string> topics;
        for (const HelpTopic& topic : file.topics) {
            topics.push_back(topic.name);
            EXPECT_FALSE(topic.title.empty()) << name << " @" << topic.name;
        }
        for (const char* wanted : {"Contents", "Player", "Hotkeys", "Config"})
            EXPECT_NE(FindHelpTopic(file, wanted), nullptr) << name << " @" << wanted;
        // A reader finds every topic from Contents, and from every topic finds the way back.
        const HelpTopic* contents = FindHelpTopic(file, "Contents");
        ASSERT_NE(contents, nullptr) << name;
        std::set<const HelpTopic*> reached = {contents};
        std::vector<const HelpTopic*> toVisit = {contents};
        while (!toVisit.empty()) {
            const HelpTopic* topic = toVisit.back();
            toVisit.pop_back();
            bool linksToContents = false;
            for (const HelpLine& line : topic->lines)
                for (const HelpSpan& span : line.spans) {
                    const HelpTopic* target = FindHelpTopic(file, span.target);
                    linksToContents = linksToContents || target == contents;
                    if (target && reached.insert(target).second) toVisit.push_back(target);
                }
            EXPECT_TRUE(topic == contents || linksToContents) << name << " @" << topic->name << ": no way back";
        }
        EXPECT_EQ(reached.size(), file.topics.size()) << name << ": a topic no link leads to";
        if (language == "en")
            topicsOfEnglish = topics;
        else
            EXPECT_EQ(topics, topicsOfEnglish) << name;
    }
}
