// The host's message box: a framed, centred box of text lines with an optional row of buttons.
// Layout and drawing only; waiting for the user's choice is the console's business (services).
#pragma once

#include <string>
#include <vector>

#include "pure/screen_buffer.h"

namespace host {

// ShowMessage flags this host understands; other bits are ignored.
constexpr unsigned MessageWarning = 0x1;    // white on red instead of black on grey
constexpr unsigned MessageLeftAlign = 0x8;  // text lines start at the left instead of being centred

struct MessageText {
    std::string title;                // may be empty: no title in the frame
    std::vector<std::string> lines;   // the body
    std::vector<std::string> buttons; // captions, in order
};

// Splits the caller's lines: the first is the title, the last `buttonCount` are button captions. Null
// lines read as empty; counts are clamped to what the lines can hold.
MessageText SplitMessage(const char* const* lines, int lineCount, int buttonCount);

class MessageBoxView {
public:
    MessageBoxView(MessageText text, unsigned flags, int screenWidth, int screenHeight);

    // Everything the box paints, margin included: what a caller saves beforehand.
    const Rect& Area() const { return area_; }
    const Rect& Frame() const { return frame_; }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    const Rect& Button(int index) const { return buttons_[index]; }

    // focusedButton: index of the highlighted button, or -1 for none.
    void Draw(ScreenBuffer& screen, int focusedButton) const;

    // Index of the button at the cell, or -1.
    int ButtonAt(int x, int y) const;

private:
    MessageText text_;
    unsigned flags_;
    Rect area_;
    Rect frame_;
    int bodyWidth_ = 0;      // columns for text inside the frame
    int shownLines_ = 0;     // body lines that fit on the screen
    std::vector<Rect> buttons_;
};

}  // namespace host
