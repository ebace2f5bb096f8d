#include "pure/language_file.h"

namespace host {

namespace {

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IsBlankOrComment(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i == line.size() || line[i] == '#';
}

// "n text" -> n and text; false when the line is not of that form.
bool SplitLine(std::string_view line, int* number, std::string_view* text) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t digitsStart = i;
    long value = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        value = value * 10 + (line[i] - '0');
        if (value > LanguageFile::MaxMessageNumber) return false;
        ++i;
    }
    if (i == digitsStart) return false;
    if (i < line.size() && line[i] != ' ' && line[i] != '\t') return false;  // "12abc"
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string_view rest = TrimRight(line.substr(i));
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
    *number = static_cast<int>(value);
    *text = rest;
    return true;
}

}  // namespace

int LanguageFile::Parse(std::string_view text, int* firstBadLine) {
    messages_.clear();
    present_.clear();
    int bad = 0;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // UTF-8 mark
        if (IsBlankOrComment(TrimRight(line))) continue;
        int number = 0;
        std::string_view message;
        if (!SplitLine(line, &number, &message)) {
            if (bad++ == 0 && firstBadLine) *firstBadLine = lineNumber;
            continue;
        }
        if (static_cast<size_t>(number) >= messages_.size()) {
            messages_.resize(number + 1);
            present_.resize(number + 1, false);
        }
        messages_[number].assign(message);
        present_[number] = true;
    }
    return bad;
}

const char* LanguageFile::Get(int number) const {
    if (number < 0 || static_cast<size_t>(number) >= messages_.size() || !present_[number]) return "";
    return messages_[number].c_str();
}

int LanguageFile::Count() const {
    int count = 0;
    for (bool present : present_) count += present ? 1 : 0;
    return count;
}

}  // namespace host
