// The host's own screen: a title bar, two file panes, a status row and a key bar, so that the module's
// panel has something to lie on and a person sees what the host offers.
#pragma once

#include <string>
#include <vector>

#include "pure/screen_buffer.h"

namespace host {

struct Pane {
    std::string heading;              // shown in the pane's top border
    std::vector<std::string> names;   // one a row; a name ending in '\' is a folder
    int cursor = 0;                   // the name under the cursor
    std::vector<bool> selected{};     // by name; missing entries are not selected
    int top = 0;                      // the first name shown
};

// The cursor moved by delta names, kept on the list.
void MovePaneCursor(Pane& pane, int delta);
// Insert: the name under the cursor selected or no longer, then the cursor one down. ".." is never selected.
void ToggleSelection(Pane& pane);
// The selected names in order, or the one under the cursor when none is.
std::vector<int> PaneSelection(const Pane& pane);

struct KeyBarItem {
    std::string key;    // "F10"
    std::string label;  // "Quit"
};

struct Backdrop {
    std::string title;
    Pane left;
    Pane right;
    std::string status;        // the row above the key bar
    bool statusNotice = false;  // drawn in the notice colour
    std::vector<KeyBarItem> keys;
};

// Row of the status line and of the key bar on a screen of the given height.
inline int StatusRow(int height) { return height - 2; }
inline int KeyBarRow(int height) { return height - 1; }

void DrawBackdrop(ScreenBuffer& screen, const Backdrop& backdrop);
void DrawStatus(ScreenBuffer& screen, const std::string& status, bool notice);
void DrawKeyBar(ScreenBuffer& screen, const std::vector<KeyBarItem>& keys);

// The cells each key-bar item covers on a screen of the given size; items that do not fit are empty.
std::vector<Rect> KeyBarLayout(const std::vector<KeyBarItem>& keys, int width, int height);

// Index of the key-bar item at the cell, or -1.
int KeyBarItemAt(const std::vector<KeyBarItem>& keys, int width, int height, int x, int y);

}  // namespace host
