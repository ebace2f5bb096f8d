// The host's language file for a module: its messages by number.
//
// Format (plain text, one message per line):
//   # a comment            lines starting with '#' and blank lines are skipped
//   23 Starting the player...
//   22 " OK "              a text in double quotes keeps its leading and trailing spaces
// The number, one or more spaces, then the text up to the end of the line (a trailing CR is dropped).
// A later line with the same number replaces the earlier one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

class LanguageFile {
public:
    static constexpr int MaxMessageNumber = 9999;

    // Reads every well-formed line; returns the number of lines that were not (and were skipped), with the
    // first such line's number in firstBadLine (1-based) when there was one.
    int Parse(std::string_view text, int* firstBadLine = nullptr);

    // The text of message n; an empty text for numbers the file does not give. Never null; stays valid
    // until the next Parse.
    const char* Get(int number) const;

    int Count() const;  // messages present

private:
    std::vector<std::string> messages_;
    std::vector<bool> present_;
};

}  // namespace host
