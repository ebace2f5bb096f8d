// The host's menu (ShowMenu): a cursor over the lines that the typed filter leaves, moved by the arrows,
// PgUp, PgDn, Home and End; Enter chooses, Esc cancels. Drawn centred in a double frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pure/screen_buffer.h"

namespace host {

namespace menuKey {
constexpr uint16_t Back = 0x08, Enter = 0x0D, Escape = 0x1B, PageUp = 0x21, PageDown = 0x22, End = 0x23,
                   Home = 0x24, Up = 0x26, Down = 0x28;
}  // namespace menuKey

class MenuModel {
public:
    enum class Outcome { Going, Chosen, Cancelled };

    // selected: the line the cursor starts on (-1: the first); wrap: Up on the first line goes to the last.
    MenuModel(std::vector<std::string> lines, int selected, bool wrap);

    // One key: virtualKey, and the character it types (0 for none). pageRows: lines a page moves.
    Outcome Key(uint16_t virtualKey, char32_t character, int pageRows);

    // Indices of the lines the filter leaves, in order.
    const std::vector<int>& Shown() const { return shown_; }
    int Cursor() const { return cursor_; }  // into Shown(), -1 when nothing is left
    int Chosen() const { return cursor_ < 0 ? -1 : shown_[static_cast<size_t>(cursor_)]; }
    const std::string& Filter() const { return filter_; }  // UTF-8, as the lines are
    const std::string& Line(int index) const { return lines_[static_cast<size_t>(index)]; }
    // The first shown line of a view of `rows` lines that holds the cursor, moved as little as possible.
    int Top(int rows);

private:
    void ApplyFilter();

    std::vector<std::string> lines_;
    std::vector<int> shown_;
    std::string filter_;
    int cursor_ = -1;
    int top_ = 0;
    bool wrap_;
};

// Draws the menu centred on the screen, at most maxHeight lines tall (0: as the screen allows), with the
// title in the top border and the bottom line, or the filter while one is typed, in the bottom border.
// Returns the frame's rectangle.
Rect DrawMenu(ScreenBuffer& screen, MenuModel& menu, const std::string& title, const std::string& bottom,
              int maxHeight);
// Lines a page of the menu holds on a screen of that height.
int MenuRows(int screenHeight, int lineCount, int maxHeight);

}  // namespace host
