// The language and help files shipped beside the module, read as the file manager reads them: every
// message the module uses is in every language, each dialog's hot keys are unique and its texts fit, and
// the help has the same topics in every language and names every key the panel takes.
#include <gtest/gtest.h>

#include <algorithm>
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
#include "panel/panel_keys.h"
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

// How the help writes keys in each language.
struct HelpWords {
    const char* language;
    const char* orWord;  // between two keys of one line, besides ", "
    const char* keypad;  // followed by the digit
    const char* modifierNames[3];  // Ctrl, Alt, Shift, in the order the help writes them
    const char* namedKeys[7];      // Enter, Esc, Space, Left, Up, Right, Down
};
constexpr uint32_t modifierOrder[3] = {quaver::modifier::Ctrl, quaver::modifier::Alt, quaver::modifier::Shift};
constexpr uint16_t namedKeyCodes[7] = {quaver::key::Enter, quaver::key::Escape, quaver::key::Space, quaver::key::Left,
                                       quaver::key::Up,    quaver::key::Right,  quaver::key::Down};
const HelpWords helpWords[] = {
    {"en", " or ", "keypad ", {"Ctrl", "Alt", "Shift"}, {"Enter", "Esc", "Space", "Left", "Up", "Right", "Down"}},
    {"de", " oder ", "Ziffernblock ", {"Strg", "Alt", "Umschalt"},
     {"Enter", "Esc", "Leertaste", "Pfeil links", "Pfeil oben", "Pfeil rechts", "Pfeil unten"}},
};

// The key as the help writes it ("Alt+F4", "keypad 7", "Ctrl+Alt+Shift"); empty when the help has no name for it.
std::string HelpName(const quaver::PanelKey& key, const HelpWords& words) {
    using namespace quaver::key;
    const uint16_t code = key.virtualKey;
    std::string keyName;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) keyName = std::string(1, static_cast<char>(code));
    if (code >= Pad0 && code <= Pad0 + 9) keyName = words.keypad + std::to_string(code - Pad0);
    if (code >= F1 && code < F1 + 12) keyName = "F" + std::to_string(code - F1 + 1);
    for (int i = 0; i < 7; ++i)
        if (code == namedKeyCodes[i]) keyName = words.namedKeys[i];
    if (keyName.empty() && code != None) return "";
    std::string name;
    for (int i = 0; i < 3; ++i)
        if (key.modifiers & modifierOrder[i]) name += words.modifierNames[i] + std::string("+");
    name += keyName;
    return code == None ? name.substr(0, name.size() - 1) : name;  // the modifiers alone: no "+" after them
}

// The keys a topic lists: on each line indented by two blanks, what stands before the first gap of two blanks,
// split at ", " and at the language's "or".
std::set<std::string> KeysListedIn(const HelpTopic& topic, const std::string& orWord) {
    std::set<std::string> names;
    for (const HelpLine& line : topic.lines) {
        const std::string& text = line.text;
        if (text.size() < 3 || text.compare(0, 2, "  ") != 0 || text[2] == ' ') continue;
        const size_t gap = text.find("  ", 2);
        if (gap == std::string::npos) continue;
        std::string column = text.substr(2, gap - 2);
        for (size_t at; (at = column.find(orWord)) != std::string::npos;) column.replace(at, orWord.size(), ", ");
        for (size_t start = 0; start <= column.size();) {
            const size_t end = std::min(column.find(", ", start), column.size());
            names.insert(column.substr(start, end - start));
            start = end + 2;
        }
    }
    return names;
}

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

TEST(ShippedHelpFiles, TheKeysTopicListsEveryKeyThePanelTakesInEveryLanguage) {
    quaver::PanelKey keys[64];
    const int count = quaver::ListPanelKeys(keys, 64);
    ASSERT_GT(count, 20);
    ASSERT_LE(count, 64);
    for (const HelpWords& words : helpWords) {
        const std::string name = std::string("quaver_") + words.language + ".hlf";
        HelpFile file;
        FileProblem problem;
        ASSERT_TRUE(ParseHelpFile(ReadShipped(name), &file, &problem)) << name;
        const HelpTopic* topic = FindHelpTopic(file, "Hotkeys");
        ASSERT_NE(topic, nullptr) << name;
        const std::set<std::string> listed = KeysListedIn(*topic, words.orWord);
        for (int i = 0; i < count; ++i) {
            const std::string keyName = HelpName(keys[i], words);
            EXPECT_FALSE(keyName.empty()) << "no help name for key " << keys[i].virtualKey << " with modifiers "
                                          << keys[i].modifiers;
            EXPECT_TRUE(listed.count(keyName)) << name << " @Hotkeys does not list " << keyName;
        }
    }
}
