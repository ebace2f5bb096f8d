#include "pure/language_file.h"

#include <algorithm>
#include <cctype>

#include "pure/text.h"

namespace host {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::string_view LanguageKey = ".Language=";

const std::string noText;

}  // namespace

bool DecodeFileText(std::string_view bytes, FileCoding coding, std::string* text) {
    text->clear();
    if (coding == FileCoding::Oem) {
        *text = Utf8FromOem(bytes, false);
        return true;
    }
    constexpr std::string_view utf8Mark = "\xEF\xBB\xBF", utf16Little = "\xFF\xFE", utf16Big = "\xFE\xFF";
    if (bytes.substr(0, utf8Mark.size()) == utf8Mark) {
        *text = std::string(bytes.substr(utf8Mark.size()));
        return IsUtf8(*text);
    }
    if (bytes.substr(0, 2) == utf16Little || bytes.substr(0, 2) == utf16Big) {
        const bool little = bytes.substr(0, 2) == utf16Little;
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto low = static_cast<unsigned char>(bytes[little ? i : i + 1]);
            const auto high = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
            units += static_cast<char16_t>(low | (high << 8));
        }
        *text = Utf8FromUtf16(units);
        return bytes.size() % 2 == 0;
    }
    // No mark: each line is UTF-8 when it can be, else OEM text.
    ForEachLine(bytes, [&](int, std::string_view line) {
        *text += IsUtf8(line) ? std::string(line) : Utf8FromOem(line, false);
        *text += "\r\n";
        return true;
    });
    return true;
}

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
    oem_.clear();
    wide_.clear();
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
    if (!problem->reason.empty()) {
        messages_.clear();
        return false;
    }
    for (const std::string& message : messages_) {
        oem_.push_back(OemFromUtf8(message));
        wide_.push_back(WideFromUtf8(message));
    }
    return true;
}

const char* LanguageFile::Get(int number) const {
    if (number < 0 || number >= Count()) return "";
    return oem_[static_cast<size_t>(number)].c_str();
}

const std::string& LanguageFile::Text(int number) const {
    return number < 0 || number >= Count() ? noText : messages_[static_cast<size_t>(number)];
}

const wchar_t* LanguageFile::GetWide(int number) const {
    if (number < 0 || number >= Count()) return L"";
    return wide_[static_cast<size_t>(number)].c_str();
}

}  // namespace host
