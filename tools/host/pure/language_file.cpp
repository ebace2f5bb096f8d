#include "pure/language_file.h"

#include <algorithm>
#include <cctype>

namespace host {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::string_view LanguageKey = ".Language=";

}  // namespace

bool IsSkippedLine(std::string_view line) {
    if (line.substr(0, 2) == "//") return true;
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool ReadLanguageLine(std::string_view line, std::string* interfaceName, std::string* displayName) {
    if (line.substr(0, LanguageKey.size()) != LanguageKey) return false;
    const std::string_view names = line.substr(LanguageKey.size());
    const size_t comma = names.find(',');
    if (comma == 0 || comma == std::string_view::npos || comma + 1 == names.size()) return false;
    *interfaceName = std::string(names.substr(0, comma));
    *displayName = std::string(names.substr(comma + 1));
    return true;
}

bool ReadLanguageHeader(std::string_view text, std::string* interfaceName, std::string* displayName,
                        FileProblem* problem) {
    *problem = {};
    bool found = false;
    int last = 1;
    ForEachLine(text, [&](int number, std::string_view line) {
        last = number;
        if (IsSkippedLine(line)) return true;
        found = ReadLanguageLine(line, interfaceName, displayName);
        if (!found) *problem = {number, "the first line must be .Language=NAME,MENU NAME"};
        return false;
    });
    if (!found && problem->reason.empty()) *problem = {last, "the .Language=NAME,MENU NAME line is missing"};
    return found;
}

int ChooseLanguage(const std::vector<std::string>& interfaceNames, std::string_view wanted) {
    for (std::string_view name : {wanted, std::string_view("English")})
        for (size_t i = 0; i < interfaceNames.size(); ++i)
            if (SameName(interfaceNames[i], name)) return static_cast<int>(i);
    return -1;
}

std::string UnescapeMessage(std::string_view quoted) {
    std::string text;
    for (size_t i = 0; i < quoted.size(); ++i) {
        const char c = quoted[i];
        const char next = i + 1 < quoted.size() ? quoted[i + 1] : '\0';
        if (c == '"' && next == '"') {
            text += '"';
            ++i;
        } else if (c == '\\' && next != '\0' && std::string_view("\\\"nrtb").find(next) != std::string_view::npos) {
            switch (next) {
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case 'b': text += '\b'; break;
            default: text += next; break;
            }
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

bool LanguageFile::Parse(std::string_view text, int messagesNeeded, FileProblem* problem) {
    messages_.clear();
    interfaceName_.clear();
    displayName_.clear();
    *problem = {};
    bool header = false;
    int lastLine = 1;
    ForEachLine(text, [&](int number, std::string_view line) {
        lastLine = number;
        if (IsSkippedLine(line)) return true;
        if (!header) {
            header = ReadLanguageLine(line, &interfaceName_, &displayName_);
            if (!header) *problem = {number, "the first line must be .Language=NAME,MENU NAME"};
            return header;
        }
        if (line.front() != '"') {
            *problem = {number, "a message must start with a double quote"};
            return false;
        }
        const size_t closing = line.rfind('"');
        if (closing == 0) {
            *problem = {number, "the message's closing double quote is missing"};
            return false;
        }
        messages_.push_back(UnescapeMessage(line.substr(1, closing - 1)));
        return true;
    });
    if (problem->reason.empty() && !header) *problem = {lastLine, "the .Language=NAME,MENU NAME line is missing"};
    if (problem->reason.empty() && Count() < messagesNeeded)
        *problem = {lastLine, "only " + std::to_string(Count()) + " messages; the module uses " +
                                  std::to_string(messagesNeeded)};
    if (problem->reason.empty()) return true;
    messages_.clear();
    return false;
}

const char* LanguageFile::Get(int number) const {
    if (number < 0 || number >= Count()) return "";
    return messages_[static_cast<size_t>(number)].c_str();
}

}  // namespace host
