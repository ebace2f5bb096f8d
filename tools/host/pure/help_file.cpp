#include "pure/help_file.h"

#include <algorithm>
#include <cctype>

#include "pure/colours.h"
#include "pure/drawing.h"

namespace host {

namespace {

constexpr int TabStop = 8;
constexpr int FrameCells = 2;     // left and right border, or top and bottom
constexpr int MarginX = 1;        // blank column between the border and the text, each side
constexpr int MinimumWidth = 40;  // so that short topics still read as a window

std::string ExpandTabs(std::string_view line) {
    std::string expanded;
    for (char c : line) {
        if (c == '\t')
            expanded.append(static_cast<size_t>(TabStop - static_cast<int>(expanded.size()) % TabStop), ' ');
        else
            expanded += c;
    }
    return expanded;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<HelpTopic> ParseHelpFile(std::string_view text) {
    std::vector<HelpTopic> topics;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() == '@') {
            topics.push_back(HelpTopic{std::string(Trimmed(line.substr(1))), {}, {}});
            continue;
        }
        if (topics.empty()) continue;
        HelpTopic& topic = topics.back();
        if (!line.empty() && line.front() == '$' && topic.title.empty() && topic.lines.empty()) {
            topic.title = std::string(Trimmed(line.substr(1)));
            continue;
        }
        topic.lines.push_back(ExpandTabs(line));
    }
    // Blank lines at a topic's end only lengthen the scrolling.
    for (HelpTopic& topic : topics)
        while (!topic.lines.empty() && Trimmed(topic.lines.back()).empty()) topic.lines.pop_back();
    return topics;
}

const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, std::string_view name) {
    for (const HelpTopic& topic : topics)
        if (SameName(topic.name, Trimmed(name))) return &topic;
    return nullptr;
}

HelpView::HelpView(const HelpTopic& topic, int screenWidth, int screenHeight) : topic_(topic) {
    int longest = static_cast<int>((topic.title.empty() ? topic.name : topic.title).size()) + 4;
    for (const std::string& line : topic.lines) longest = std::max(longest, static_cast<int>(line.size()));
    const int width = std::clamp(longest + FrameCells + 2 * MarginX, std::min(MinimumWidth, screenWidth),
                                 std::max(screenWidth, 1));
    const int height = std::clamp(static_cast<int>(topic.lines.size()) + FrameCells, std::min(3, screenHeight),
                                  std::max(screenHeight, 1));
    area_.left = std::max(0, (screenWidth - width) / 2);
    area_.top = std::max(0, (screenHeight - height) / 2);
    area_.right = area_.left + width - 1;
    area_.bottom = area_.top + height - 1;
    pageSize_ = std::max(1, height - FrameCells);
}

int HelpView::LastTop() const { return std::max(0, static_cast<int>(topic_.lines.size()) - pageSize_); }

void HelpView::Scroll(int lines) { top_ = std::clamp(top_ + lines, 0, LastTop()); }

bool HelpView::Key(HelpKey key) {
    switch (key) {
    case HelpKey::Up: Scroll(-1); break;
    case HelpKey::Down: Scroll(1); break;
    case HelpKey::PageUp: Scroll(-pageSize_); break;
    case HelpKey::PageDown: Scroll(pageSize_); break;
    case HelpKey::Home: top_ = 0; break;
    case HelpKey::End: top_ = LastTop(); break;
    case HelpKey::Close: return false;
    }
    return true;
}

void HelpView::Draw(ScreenBuffer& screen) const {
    const uint8_t frame = HostColour(colour::HelpFrame);
    const uint8_t text = HostColour(colour::HelpText);
    DrawFrame(screen, area_, frame, topic_.title.empty() ? topic_.name : topic_.title);
    screen.Fill(Rect{area_.left + 1, area_.top + 1, area_.right - 1, area_.bottom - 1}, Cell{' ', text});
    const int left = area_.left + 1 + MarginX;
    const int room = area_.Width() - FrameCells - 2 * MarginX;
    for (int row = 0; row < pageSize_ && top_ + row < static_cast<int>(topic_.lines.size()); ++row) {
        const std::string& line = topic_.lines[static_cast<size_t>(top_ + row)];
        screen.PutText(left, area_.top + 1 + row, text, line.c_str(), std::max(0, room));
    }
    // Where the page lies in the topic, when it does not show all of it.
    if (LastTop() > 0 && area_.Width() >= 20) {
        const int last = std::min(top_ + pageSize_, static_cast<int>(topic_.lines.size()));
        const std::string position = " " + std::to_string(top_ + 1) + "-" + std::to_string(last) + "/" +
                                     std::to_string(topic_.lines.size()) + " ";
        screen.PutText(area_.right - 1 - static_cast<int>(position.size()), area_.bottom, frame, position.c_str());
    }
}

}  // namespace host
