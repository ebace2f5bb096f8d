#include "pure/backdrop.h"

#include <algorithm>

#include "pure/colours.h"
#include "pure/drawing.h"
#include "pure/text.h"

namespace host {

namespace {

void DrawPane(ScreenBuffer& screen, const Rect& rect, const Pane& pane) {
    const uint8_t text = HostColour(colour::BackdropText);
    DrawFrame(screen, rect, HostColour(colour::BackdropFrame));
    if (rect.Width() < 6 || rect.Height() < 4) return;
    const std::string heading = " " + std::string(Cut(pane.heading, rect.Width() - 6)) + " ";
    DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, HostColour(colour::BackdropHeading), heading);
    DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top + 1, HostColour(colour::BackdropHeading), "Name");
    const int width = rect.Width() - 2;
    const int rows = rect.Height() - 3;
    // The cursor stays in view.
    const int count = static_cast<int>(pane.names.size());
    int top = std::min(pane.top, pane.cursor);
    if (pane.cursor >= top + rows) top = pane.cursor - rows + 1;
    top = std::max(0, top);
    for (int row = 0; row < rows && top + row < count; ++row) {
        const int i = top + row;
        const std::string& name = pane.names[static_cast<size_t>(i)];
        const bool folder = !name.empty() && name.back() == '\\';
        const bool selected = static_cast<size_t>(i) < pane.selected.size() && pane.selected[static_cast<size_t>(i)];
        uint8_t attribute = folder ? HostColour(colour::BackdropFolder) : text;
        if (selected) attribute = HostColour(colour::BackdropHeading);
        if (i == pane.cursor) attribute = static_cast<uint8_t>((HostColour(colour::BackdropCursor) & 0xF0) |
                                                               (selected ? 0x0E : HostColour(colour::BackdropCursor) & 0x0F));
        const int y = rect.top + 2 + row;
        screen.Fill(Rect{rect.left + 1, y, rect.right - 1, y}, Cell{' ', attribute});
        const std::string_view shown = Cut(name, width);
        screen.PutText(rect.left + 1, y, attribute, shown.data(), static_cast<int>(shown.size()));
    }
}

}  // namespace

void MovePaneCursor(Pane& pane, int delta) {
    const int last = static_cast<int>(pane.names.size()) - 1;
    pane.cursor = std::max(0, std::min(last, pane.cursor + delta));
}

void ToggleSelection(Pane& pane) {
    const auto at = static_cast<size_t>(pane.cursor);
    if (at >= pane.names.size()) return;
    pane.selected.resize(pane.names.size(), false);
    if (pane.names[at] != "..\\") pane.selected[at] = !pane.selected[at];
    MovePaneCursor(pane, 1);
}

std::vector<int> PaneSelection(const Pane& pane) {
    std::vector<int> chosen;
    for (size_t i = 0; i < pane.selected.size() && i < pane.names.size(); ++i)
        if (pane.selected[i]) chosen.push_back(static_cast<int>(i));
    if (chosen.empty() && static_cast<size_t>(pane.cursor) < pane.names.size()) chosen.push_back(pane.cursor);
    return chosen;
}

void DrawBackdrop(ScreenBuffer& screen, const Backdrop& backdrop) {
    const int width = screen.Width();
    const int height = screen.Height();
    if (width <= 0 || height <= 0) return;
    const uint8_t titleColour = HostColour(colour::TitleBar);
    screen.Fill(Rect{0, 0, width - 1, 0}, Cell{' ', titleColour});
    DrawCentred(screen, 0, width - 1, 0, titleColour, backdrop.title);
    const int paneBottom = StatusRow(height) - 1;
    if (paneBottom >= 1) {
        const int split = width / 2;
        DrawPane(screen, Rect{0, 1, split - 1, paneBottom}, backdrop.left);
        DrawPane(screen, Rect{split, 1, width - 1, paneBottom}, backdrop.right);
    }
    if (height >= 3) DrawStatus(screen, backdrop.status, backdrop.statusNotice);
    if (height >= 2) DrawKeyBar(screen, backdrop.keys);
}

void DrawStatus(ScreenBuffer& screen, const std::string& status, bool notice) {
    const int y = StatusRow(screen.Height());
    const uint8_t attribute = HostColour(notice ? colour::StatusNotice : colour::StatusLine);
    screen.Fill(Rect{0, y, screen.Width() - 1, y}, Cell{' ', attribute});
    const std::string_view shown = Cut(status, screen.Width());
    screen.PutText(0, y, attribute, shown.data(), static_cast<int>(shown.size()));
}

std::vector<Rect> KeyBarLayout(const std::vector<KeyBarItem>& keys, int width, int height) {
    std::vector<Rect> layout;
    const int y = KeyBarRow(height);
    int x = 0;
    for (const KeyBarItem& item : keys) {
        const int itemWidth = Cells(item.key) + Cells(item.label) + 1;
        if (x + itemWidth > width) {
            layout.push_back(Rect{});
            x = width;
            continue;
        }
        layout.push_back(Rect{x, y, x + itemWidth - 1, y});
        x += itemWidth + 1;
    }
    return layout;
}

void DrawKeyBar(ScreenBuffer& screen, const std::vector<KeyBarItem>& keys) {
    const int y = KeyBarRow(screen.Height());
    const uint8_t number = HostColour(colour::KeyNumber);
    const uint8_t label = HostColour(colour::KeyLabel);
    screen.Fill(Rect{0, y, screen.Width() - 1, y}, Cell{' ', number});
    const std::vector<Rect> layout = KeyBarLayout(keys, screen.Width(), screen.Height());
    for (size_t i = 0; i < keys.size(); ++i) {
        const Rect& rect = layout[i];
        if (rect.Empty()) continue;
        screen.PutText(rect.left, y, number, keys[i].key.c_str());
        const int labelX = rect.left + Cells(keys[i].key);
        screen.Fill(Rect{labelX, y, rect.right, y}, Cell{' ', label});
        screen.PutText(labelX + 1, y, label, keys[i].label.c_str());
    }
}

int KeyBarItemAt(const std::vector<KeyBarItem>& keys, int width, int height, int x, int y) {
    const std::vector<Rect> layout = KeyBarLayout(keys, width, height);
    for (size_t i = 0; i < layout.size(); ++i)
        if (layout[i].Contains(x, y)) return static_cast<int>(i);
    return -1;
}

}  // namespace host
