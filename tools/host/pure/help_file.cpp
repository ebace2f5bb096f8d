#include "pure/help_file.h"

#include <algorithm>
#include <cctype>

#include "pure/colours.h"
#include "pure/drawing.h"
#include "pure/text.h"

namespace host {

namespace {

constexpr int TabStop = 8;
constexpr int FrameCells = 2;     // left and right border, or top and bottom
constexpr int MarginX = 1;        // blank column between the border and the text, each side
constexpr int MinimumWidth = 40;  // so that short topics still read as a window
constexpr std::string_view ContentsKey = ".PluginContents=";

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

void Put(std::string* text, char c) {
    if (c == '\t')
        text->append(static_cast<size_t>(TabStop - Cells(*text) % TabStop), ' ');
    else
        *text += c;
}

// A link's text up to its closing '~', with "~~" and "##" as the characters; npos when it is not closed.
size_t ReadLinkText(std::string_view line, size_t from, std::string* text) {
    for (size_t i = from; i < line.size(); ++i) {
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if ((line[i] == '~' || line[i] == '#') && next == line[i]) {
            *text += line[i++];
        } else if (line[i] == '~') {
            return i;
        } else {
            *text += line[i];
        }
    }
    return std::string_view::npos;
}

bool IsVisible(int line, int top, int pageSize) { return line >= top && line < top + pageSize; }

}  // namespace

bool ReadHelpLine(std::string_view line, HelpLine* shown, std::string* reason) {
    *shown = {};
    int highlightStart = -1;
    auto endHighlight = [&] {
        const int end = static_cast<int>(shown->text.size());
        if (highlightStart >= 0 && end > highlightStart)
            shown->spans.push_back(HelpSpan{highlightStart, end - highlightStart, {}});
    };
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if ((c == '#' || c == '~') && next == c) {
            shown->text += c;
            ++i;
        } else if (c == '#') {
            if (highlightStart >= 0) {
                endHighlight();
                highlightStart = -1;
            } else {
                highlightStart = static_cast<int>(shown->text.size());
            }
        } else if (c == '~') {
            std::string text;
            const size_t closing = ReadLinkText(line, i + 1, &text);
            if (closing == std::string_view::npos) {
                *reason = "a link's closing ~ is missing";
                return false;
            }
            const size_t targetEnd = line.find('@', closing + 2);
            if (closing + 1 >= line.size() || line[closing + 1] != '@' || targetEnd == std::string_view::npos ||
                targetEnd == closing + 2) {
                *reason = "a link's ~text~ must be followed by @Topic@";
                return false;
            }
            endHighlight();
            const int start = static_cast<int>(shown->text.size());
            shown->text += text;
            shown->spans.push_back(HelpSpan{start, static_cast<int>(text.size()),
                                            std::string(line.substr(closing + 2, targetEnd - closing - 2))});
            if (highlightStart >= 0) highlightStart = static_cast<int>(shown->text.size());
            i = targetEnd;
        } else {
            Put(&shown->text, c);
        }
    }
    endHighlight();  // a highlight left open ends with its line
    return true;
}

bool ParseHelpFile(std::string_view text, HelpFile* file, FileProblem* problem) {
    *file = {};
    *problem = {};
    enum class Stage { Language, Contents, Topics } stage = Stage::Language;
    struct LinkUse {
        int line;
        std::string target;
    };
    std::vector<LinkUse> links;
    int lastLine = 1;
    ForEachLine(text, [&](int number, std::string_view line) {
        lastLine = number;
        if (line.substr(0, 2) == "//" || (IsSkippedLine(line) && (stage != Stage::Topics || file->topics.empty())))
            return true;
        if (stage == Stage::Language) {
            std::string menuName;
            if (!ReadLanguageLine(line, &file->language, &menuName)) {
                *problem = {number, "the first line must be .Language=NAME,MENU NAME"};
                return false;
            }
            stage = Stage::Contents;
            return true;
        }
        if (stage == Stage::Contents) {
            if (line.substr(0, ContentsKey.size()) != ContentsKey || Trimmed(line.substr(ContentsKey.size())).empty()) {
                *problem = {number, "the .PluginContents=TITLE line must follow .Language="};
                return false;
            }
            file->contentsTitle = std::string(Trimmed(line.substr(ContentsKey.size())));
            stage = Stage::Topics;
            return true;
        }
        if (!line.empty() && line.front() == '@') {
            const std::string_view name = Trimmed(line.substr(1));
            if (name.empty()) {
                *problem = {number, "a topic needs a name after its @"};
                return false;
            }
            file->topics.push_back(HelpTopic{std::string(name), {}, {}});
            return true;
        }
        if (file->topics.empty()) return true;  // between the header and the first topic
        HelpTopic& topic = file->topics.back();
        HelpLine shown;
        const bool isTitle = !line.empty() && line.front() == '$' && topic.title.empty() && topic.lines.empty();
        if (!ReadHelpLine(isTitle ? Trimmed(line.substr(1)) : line, &shown, &problem->reason)) {
            problem->line = number;
            return false;
        }
        for (const HelpSpan& span : shown.spans)
            if (!span.target.empty()) links.push_back(LinkUse{number, span.target});
        if (isTitle)
            topic.title = std::string(Trimmed(shown.text));
        else
            topic.lines.push_back(std::move(shown));
        return true;
    });
    if (problem->reason.empty() && stage != Stage::Topics)
        *problem = {lastLine, stage == Stage::Language ? "the .Language=NAME,MENU NAME line is missing"
                                                       : "the .PluginContents=TITLE line is missing"};
    if (problem->reason.empty() && file->topics.empty()) *problem = {lastLine, "the file has no @Topic"};
    for (const LinkUse& link : links) {
        if (!problem->reason.empty()) break;
        if (!FindHelpTopic(*file, link.target))
            *problem = {link.line, "a link leads to the topic \"" + link.target + "\", which the file lacks"};
    }
    if (!problem->reason.empty()) {
        file->topics.clear();
        return false;
    }
    // Blank lines at a topic's end only lengthen the scrolling.
    for (HelpTopic& topic : file->topics)
        while (!topic.lines.empty() && Trimmed(topic.lines.back().text).empty()) topic.lines.pop_back();
    return true;
}

const HelpTopic* FindHelpTopic(const HelpFile& file, std::string_view name) {
    for (const HelpTopic& topic : file.topics)
        if (SameName(topic.name, Trimmed(name))) return &topic;
    return nullptr;
}

HelpView::HelpView(const HelpTopic& topic, int screenWidth, int screenHeight) : topic_(topic) {
    int longest = Cells(topic.title);
    for (const HelpLine& line : topic.lines) longest = std::max(longest, Cells(line.text));
    const int width = std::clamp(longest + FrameCells + 2 * MarginX, std::min(MinimumWidth, screenWidth),
                                 std::max(screenWidth, 1));
    const int height = std::clamp(static_cast<int>(topic.lines.size()) + TitleRows() + FrameCells,
                                  std::min(3 + TitleRows(), screenHeight), std::max(screenHeight, 1));
    area_.left = std::max(0, (screenWidth - width) / 2);
    area_.top = std::max(0, (screenHeight - height) / 2);
    area_.right = area_.left + width - 1;
    area_.bottom = area_.top + height - 1;
    pageSize_ = std::max(1, height - FrameCells - TitleRows());
    for (int line = 0; line < static_cast<int>(topic_.lines.size()); ++line) {
        const auto& spans = topic_.lines[static_cast<size_t>(line)].spans;
        for (int span = 0; span < static_cast<int>(spans.size()); ++span)
            if (!spans[static_cast<size_t>(span)].target.empty()) links_.push_back(LinkPlace{line, span});
    }
    if (!links_.empty() && IsVisible(links_.front().line, top_, pageSize_)) selected_ = 0;
}

int HelpView::LastTop() const { return std::max(0, static_cast<int>(topic_.lines.size()) - pageSize_); }

std::string HelpView::SelectedTarget() const {
    if (selected_ < 0) return {};
    const LinkPlace& place = links_[static_cast<size_t>(selected_)];
    return topic_.lines[static_cast<size_t>(place.line)].spans[static_cast<size_t>(place.span)].target;
}

void HelpView::Scroll(int lines) {
    top_ = std::clamp(top_ + lines, 0, LastTop());
    // The selection follows the page: a link scrolled away gives way to the first one shown.
    if (selected_ >= 0 && IsVisible(links_[static_cast<size_t>(selected_)].line, top_, pageSize_)) return;
    selected_ = -1;
    for (int i = 0; i < static_cast<int>(links_.size()) && selected_ < 0; ++i)
        if (IsVisible(links_[static_cast<size_t>(i)].line, top_, pageSize_)) selected_ = i;
}

void HelpView::SelectLink(int index) {
    const int count = static_cast<int>(links_.size());
    if (count == 0) return;
    selected_ = (index % count + count) % count;
    const int line = links_[static_cast<size_t>(selected_)].line;
    if (line < top_) top_ = line;
    if (line >= top_ + pageSize_) top_ = std::min(line - pageSize_ + 1, LastTop());
}

HelpAction HelpView::Key(HelpKey key) {
    switch (key) {
    case HelpKey::Up: Scroll(-1); break;
    case HelpKey::Down: Scroll(1); break;
    case HelpKey::PageUp: Scroll(-pageSize_); break;
    case HelpKey::PageDown: Scroll(pageSize_); break;
    case HelpKey::Home: Scroll(-top_); break;
    case HelpKey::End: Scroll(LastTop() - top_); break;
    case HelpKey::NextLink: SelectLink(selected_ + 1); break;
    case HelpKey::PreviousLink: SelectLink(selected_ < 0 ? -1 : selected_ - 1); break;
    case HelpKey::Follow: return selected_ < 0 ? HelpAction::Stay : HelpAction::Follow;
    case HelpKey::Back: return HelpAction::Back;
    case HelpKey::Close: return HelpAction::Close;
    }
    return HelpAction::Stay;
}

void HelpView::Draw(ScreenBuffer& screen) const {
    const uint8_t frame = HostColour(colour::HelpFrame);
    const uint8_t text = HostColour(colour::HelpText);
    DrawFrame(screen, area_, frame, "Help");
    screen.Fill(Rect{area_.left + 1, area_.top + 1, area_.right - 1, area_.bottom - 1}, Cell{' ', text});
    const int left = area_.left + 1 + MarginX;
    const int room = std::max(0, area_.Width() - FrameCells - 2 * MarginX);
    if (TitleRows() > 0) {
        const std::string_view title = Cut(topic_.title, room);
        const int titleLeft = left + std::max(0, (room - Cells(title)) / 2);
        screen.PutText(titleLeft, area_.top + 1, HostColour(colour::HelpHighlight), title.data(),
                       static_cast<int>(title.size()));
    }
    const int firstRow = area_.top + 1 + TitleRows();
    const LinkPlace* selected = selected_ < 0 ? nullptr : &links_[static_cast<size_t>(selected_)];
    for (int row = 0; row < pageSize_ && top_ + row < static_cast<int>(topic_.lines.size()); ++row) {
        const int index = top_ + row;
        const HelpLine& line = topic_.lines[static_cast<size_t>(index)];
        const std::string_view shown = Cut(line.text, room);
        screen.PutText(left, firstRow + row, text, shown.data(), static_cast<int>(shown.size()));
        for (int s = 0; s < static_cast<int>(line.spans.size()); ++s) {
            const HelpSpan& span = line.spans[static_cast<size_t>(s)];
            const bool isSelected = selected && selected->line == index && selected->span == s;
            const uint8_t attribute = HostColour(span.target.empty() ? colour::HelpHighlight
                                                 : isSelected        ? colour::HelpSelectedLink
                                                                     : colour::HelpLink);
            const int column = CellsBefore(line.text, static_cast<size_t>(span.start));
            const std::string_view part =
                Cut(std::string_view(line.text).substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length)),
                    room - column);
            if (!part.empty())
                screen.PutText(left + column, firstRow + row, attribute, part.data(), static_cast<int>(part.size()));
        }
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
