#include "pure/menu_model.h"

#include <algorithm>

#include "pure/colours.h"
#include "pure/drawing.h"
#include "pure/text.h"

namespace host {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(const std::string& line, const std::string& filter) {
    return std::search(line.begin(), line.end(), filter.begin(), filter.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != line.end();
}

}  // namespace

MenuModel::MenuModel(std::vector<std::string> lines, int selected, bool wrap) : lines_(std::move(lines)), wrap_(wrap) {
    ApplyFilter();
    if (selected >= 0 && selected < static_cast<int>(lines_.size())) cursor_ = selected;
}

void MenuModel::ApplyFilter() {
    const int before = Chosen();
    shown_.clear();
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i)
        if (filter_.empty() || Contains(lines_[static_cast<size_t>(i)], filter_)) shown_.push_back(i);
    // The cursor stays on its line when the filter keeps it, else goes to the first line left.
    const auto kept = std::find(shown_.begin(), shown_.end(), before);
    cursor_ = shown_.empty() ? -1 : kept != shown_.end() ? static_cast<int>(kept - shown_.begin()) : 0;
    top_ = 0;
}

MenuModel::Outcome MenuModel::Key(uint16_t virtualKey, char32_t character, int pageRows) {
    const int last = static_cast<int>(shown_.size()) - 1;
    const int page = std::max(1, pageRows - 1);
    switch (virtualKey) {
    case menuKey::Enter: return cursor_ < 0 ? Outcome::Going : Outcome::Chosen;
    case menuKey::Escape: return Outcome::Cancelled;
    case menuKey::Up: cursor_ = cursor_ > 0 ? cursor_ - 1 : wrap_ ? last : cursor_; break;
    case menuKey::Down: cursor_ = cursor_ < last ? cursor_ + 1 : wrap_ ? std::min(0, last) : cursor_; break;
    case menuKey::PageUp: cursor_ = std::max(std::min(0, last), cursor_ - page); break;
    case menuKey::PageDown: cursor_ = std::min(last, cursor_ + page); break;
    case menuKey::Home: cursor_ = std::min(0, last); break;
    case menuKey::End: cursor_ = last; break;
    case menuKey::Back:
        if (!filter_.empty()) {
            // The whole last character: a UTF-8 sequence's continuation bytes go with it.
            while (filter_.size() > 1 && (static_cast<unsigned char>(filter_.back()) & 0xC0) == 0x80) filter_.pop_back();
            filter_.pop_back();
            ApplyFilter();
        }
        break;
    default:
        if (character >= U' ') {
            AppendUtf8(&filter_, character);
            ApplyFilter();
        }
        break;
    }
    return Outcome::Going;
}

int MenuModel::Top(int rows) {
    if (cursor_ < top_) top_ = cursor_;
    if (cursor_ >= top_ + rows) top_ = cursor_ - rows + 1;
    top_ = std::max(0, std::min(top_, static_cast<int>(shown_.size()) - rows));
    return top_;
}

int MenuRows(int screenHeight, int lineCount, int maxHeight) {
    int rows = std::max(1, screenHeight - 6);
    if (maxHeight > 0) rows = std::min(rows, maxHeight);
    return std::max(1, std::min(rows, lineCount));
}

Rect DrawMenu(ScreenBuffer& screen, MenuModel& menu, const std::string& title, const std::string& bottom,
              int maxHeight) {
    const int rows = MenuRows(screen.Height(), static_cast<int>(menu.Shown().size()), maxHeight);
    int widest = std::max(Cells(title), Cells(bottom)) + 2;
    for (int index : menu.Shown()) widest = std::max(widest, Cells(menu.Line(index)));
    const int width = std::min(widest + 4, std::max(8, screen.Width() - 4));
    const int left = std::max(0, (screen.Width() - width) / 2);
    const int top = std::max(0, (screen.Height() - rows - 2) / 2);
    const Rect frame{left, top, left + width - 1, top + rows + 1};
    const uint8_t text = HostColour(colour::MessageText);
    const uint8_t cursor = HostColour(colour::MessageFocus);
    DrawFrame(screen, frame, text, title);
    const int first = menu.Top(rows);
    for (int row = 0; row < rows && first + row < static_cast<int>(menu.Shown().size()); ++row) {
        const int y = top + 1 + row;
        const bool atCursor = first + row == menu.Cursor();
        screen.Fill(Rect{left + 1, y, frame.right - 1, y}, Cell{' ', atCursor ? cursor : text});
        const std::string_view shown = Cut(menu.Line(menu.Shown()[static_cast<size_t>(first + row)]), width - 4);
        screen.PutText(left + 2, y, atCursor ? cursor : text, shown.data(), static_cast<int>(shown.size()));
    }
    const std::string footer = menu.Filter().empty() ? bottom : "Filter: " + menu.Filter();
    if (!footer.empty())
        DrawCentred(screen, left + 1, frame.right - 1, frame.bottom, text, " " + std::string(Cut(footer, width - 6)) + " ");
    return frame;
}

}  // namespace host
