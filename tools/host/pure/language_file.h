// The file manager's language files, which the stand-alone host reads as the file manager does.
//
// A classic module's files are plain text in the OEM code page; a wide module's are UTF-8 (or UTF-16) with a
// byte-order mark, and without one each line is taken as UTF-8 when it is, else as OEM text. Either way the
// file is read as UTF-8 (DecodeFileText) before anything else. CR LF (a lone LF is taken too). Lines starting with "//" and blank lines
// are skipped. The first other line is the header ".Language=English,English": the interface name the host
// chooses by, a comma, the name its language menu shows. Every later line starts with a double quote and is
// one message, in number order from 0: the text between its first and its last quote, unescaped
// (\\ \" "" \n \r \t \b; any other backslash stays). A file that breaks these rules, or holds fewer
// messages than the module uses, is refused rather than shown with wrong texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

// How a module's language and help files are written: the classic interface's, or the wide one's.
enum class FileCoding { Oem, Unicode };

// The file's bytes as UTF-8, by its coding; false for a wide module's file that says it is UTF-8 or UTF-16
// and is not.
bool DecodeFileText(std::string_view bytes, FileCoding coding, std::string* text);

// Where and why a file is refused: line is 1-based.
struct FileProblem {
    int line = 0;
    std::string reason;
};

// The names of a ".Language=" header line; false when the line is not one.
bool ReadLanguageLine(std::string_view line, std::string* interfaceName, std::string* displayName);

// The header of a language or help file: its first line that is neither blank nor a comment.
bool ReadLanguageHeader(std::string_view text, std::string* interfaceName, std::string* displayName,
                        FileProblem* problem);

// The file for the wanted interface language among the files' interface names (in any case), else the
// English one, else -1.
int ChooseLanguage(const std::vector<std::string>& interfaceNames, std::string_view wanted);

// A message's text: what lies between the line's first and last quote, unescaped.
std::string UnescapeMessage(std::string_view quoted);

class LanguageFile {
public:
    // Reads a whole file, given as UTF-8 (DecodeFileText). False, with the messages cleared, when it is
    // damaged or holds fewer than `messagesNeeded` messages.
    bool Parse(std::string_view text, int messagesNeeded, FileProblem* problem);

    // The text of message n, in the OEM code page (what a classic module reads), as UTF-8, and in wide
    // characters; an empty text for numbers the file does not give. Never null; valid until the next Parse.
    const char* Get(int number) const;
    const std::string& Text(int number) const;
    const wchar_t* GetWide(int number) const;
    int Count() const { return static_cast<int>(messages_.size()); }
    const std::string& InterfaceName() const { return interfaceName_; }
    const std::string& DisplayName() const { return displayName_; }

private:
    std::string interfaceName_;
    std::string displayName_;
    std::vector<std::string> messages_;  // UTF-8
    std::vector<std::string> oem_;
    std::vector<std::wstring> wide_;
};

// Splits text into lines without their CR LF; calls take(lineNumber, line) for each, stopping when it
// returns false.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!take(++number, line)) return;
    }
}

// Blank lines and "//" comments, which both file kinds skip.
bool IsSkippedLine(std::string_view line);

}  // namespace host
