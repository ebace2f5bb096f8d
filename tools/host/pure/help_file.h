// A module's help file and the viewer's picture of one topic, without the console.
//
// Format, plain text in the console's code page:
//   @Topic          opens the topic named after the '@' ("@Hotkeys", "@Config"); names match in any case
//   $ Heading       the topic's title, shown in the viewer's frame (the topic's name when there is none)
//   any other line  the topic's text, shown as it stands; tabs stop every 8 columns
// Lines before the first topic are ignored; a trailing CR is dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pure/screen_buffer.h"

namespace host {

struct HelpTopic {
    std::string name;
    std::string title;
    std::vector<std::string> lines;
};

std::vector<HelpTopic> ParseHelpFile(std::string_view text);
// The topic of that name, or null.
const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, std::string_view name);

enum class HelpKey { Up, Down, PageUp, PageDown, Home, End, Close };

// One topic in a framed window centred on the screen, scrolled by lines and pages.
class HelpView {
public:
    HelpView(const HelpTopic& topic, int screenWidth, int screenHeight);

    const Rect& Area() const { return area_; }
    int Top() const { return top_; }            // index of the first line shown
    int PageSize() const { return pageSize_; }  // lines shown at once
    int LastTop() const;                        // Top() when scrolled to the end

    // False when the key closes the viewer.
    bool Key(HelpKey key);
    void Scroll(int lines);  // a positive count scrolls towards the end

    void Draw(ScreenBuffer& screen) const;

private:
    HelpTopic topic_;
    Rect area_;
    int pageSize_ = 0;
    int top_ = 0;
};

}  // namespace host
