// A module's help file, in the file manager's format, and the viewer's picture of one topic, without the
// console.
//
// Read as UTF-8 (a file in the OEM code page is turned into it first); line ends and comment rules as the
// language file's (pure/language_file.h). The header is
// ".Language=NAME,MENU NAME", then ".PluginContents=TITLE". "@Name" on a line of its own starts a topic;
// the topic's first line "$ #Title#" is its title, which stays in place while the rest scrolls. In the
// text "#text#" is highlighted, "~text~@Topic@" links to another topic, "##" is a '#' and "~~" a '~';
// tabs stop every 8 columns. A damaged header or a link without its topic is refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pure/language_file.h"
#include "pure/screen_buffer.h"

namespace host {

// A stretch of a shown line drawn apart from plain text: highlighted, or a link to `target`.
struct HelpSpan {
    int start = 0;  // bytes into the shown line's UTF-8
    int length = 0;  // bytes
    std::string target;  // empty: highlighted text
};

struct HelpLine {
    std::string text;  // as shown, markup gone
    std::vector<HelpSpan> spans;
};

struct HelpTopic {
    std::string name;
    std::string title;  // empty: the topic has no title line
    std::vector<HelpLine> lines;
};

struct HelpFile {
    std::string language;  // the interface name of its .Language= line
    std::string contentsTitle;
    std::vector<HelpTopic> topics;
};

// One line of topic text with its markup read; false (with a reason) for a link that is not closed.
bool ReadHelpLine(std::string_view line, HelpLine* shown, std::string* reason);

// False with `problem` set when the file is damaged.
bool ParseHelpFile(std::string_view text, HelpFile* file, FileProblem* problem);
// The topic of that name (in any case), or null.
const HelpTopic* FindHelpTopic(const HelpFile& file, std::string_view name);

enum class HelpKey { Up, Down, PageUp, PageDown, Home, End, NextLink, PreviousLink, Follow, Back, Close };
enum class HelpAction { Stay, Follow, Back, Close };

// One topic in a framed window centred on the screen: the title fixed at the top, the text scrolled by
// lines and pages, one link at a time selected.
class HelpView {
public:
    HelpView(const HelpTopic& topic, int screenWidth, int screenHeight);

    const Rect& Area() const { return area_; }
    int Top() const { return top_; }            // index of the first text line shown
    int PageSize() const { return pageSize_; }  // text lines shown at once
    int LastTop() const;                        // Top() when scrolled to the end
    // The topic the selected link leads to; empty when the topic has no link.
    std::string SelectedTarget() const;

    HelpAction Key(HelpKey key);
    void Scroll(int lines);  // a positive count scrolls towards the end

    void Draw(ScreenBuffer& screen) const;

private:
    struct LinkPlace {
        int line;
        int span;
    };
    void SelectLink(int index);
    int TitleRows() const { return topic_.title.empty() ? 0 : 1; }

    HelpTopic topic_;
    std::vector<LinkPlace> links_;
    int selected_ = -1;
    Rect area_;
    int pageSize_ = 0;
    int top_ = 0;
};

}  // namespace host
