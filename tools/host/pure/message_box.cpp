#include "pure/message_box.h"

#include <algorithm>

#include "pure/colours.h"
#include "pure/drawing.h"
#include "pure/text.h"

namespace host {

namespace {
constexpr int MarginX = 2;         // blank columns between the area's edge and the frame
constexpr int MarginY = 1;         // blank rows between the area's edge and the frame
constexpr int PaddingX = 2;        // blank columns between the frame and the text
constexpr int MinimumBodyWidth = 20;

std::string ButtonFace(const std::string& caption) { return "[ " + caption + " ]"; }
}  // namespace

MessageText SplitMessage(const char* const* lines, int lineCount, int buttonCount) {
    MessageText text;
    if (!lines || lineCount <= 0) return text;
    auto line = [&](int i) { return std::string(lines[i] ? lines[i] : ""); };
    text.title = line(0);
    buttonCount = std::clamp(buttonCount, 0, lineCount - 1);
    const int bodyEnd = lineCount - buttonCount;
    for (int i = 1; i < bodyEnd; ++i) text.lines.push_back(line(i));
    for (int i = bodyEnd; i < lineCount; ++i) text.buttons.push_back(line(i));
    return text;
}

MessageBoxView::MessageBoxView(MessageText text, unsigned flags, int screenWidth, int screenHeight)
    : text_(std::move(text)), flags_(flags) {
    int buttonRow = -1;  // width of the row of buttons
    for (const std::string& caption : text_.buttons) buttonRow += Cells(ButtonFace(caption)) + 1;
    int body = std::max({MinimumBodyWidth, Cells(text_.title) + 2, buttonRow});
    for (const std::string& line : text_.lines) body = std::max(body, Cells(line));
    const int chrome = 2 * (MarginX + 1 + PaddingX);
    bodyWidth_ = std::max(1, std::min(body, screenWidth - chrome));

    const int buttonRows = text_.buttons.empty() ? 0 : 2;  // separator and buttons
    const int fixedRows = 2 * (MarginY + 1) + buttonRows;
    shownLines_ = std::clamp(screenHeight - fixedRows, 0, static_cast<int>(text_.lines.size()));

    const int width = bodyWidth_ + chrome;
    const int height = shownLines_ + fixedRows;
    area_.left = std::max(0, (screenWidth - width) / 2);
    area_.top = std::max(0, (screenHeight - height) / 2);
    area_.right = area_.left + width - 1;
    area_.bottom = area_.top + height - 1;
    frame_ = Rect{area_.left + MarginX, area_.top + MarginY, area_.right - MarginX, area_.bottom - MarginY};

    int x = frame_.left + 1 + PaddingX + std::max(0, (bodyWidth_ - buttonRow) / 2);
    const int y = frame_.bottom - 1;
    for (const std::string& caption : text_.buttons) {
        const int faceWidth = Cells(ButtonFace(caption));
        buttons_.push_back(Rect{x, y, x + faceWidth - 1, y});
        x += faceWidth + 1;
    }
}

void MessageBoxView::Draw(ScreenBuffer& screen, int focusedButton) const {
    const bool warning = (flags_ & MessageWarning) != 0;
    const uint8_t normal = HostColour(warning ? colour::WarningText : colour::MessageText);
    const uint8_t focus = HostColour(warning ? colour::WarningFocus : colour::MessageFocus);
    screen.Fill(area_, Cell{' ', normal});
    DrawFrame(screen, frame_, normal, text_.title);
    const int left = frame_.left + 1 + PaddingX;
    for (int i = 0; i < shownLines_; ++i) {
        const int y = frame_.top + 1 + i;
        if (flags_ & MessageLeftAlign) {
            const std::string_view line = Cut(text_.lines[i], bodyWidth_);
            screen.PutText(left, y, normal, line.data(), static_cast<int>(line.size()));
        } else {
            DrawCentred(screen, left, left + bodyWidth_ - 1, y, normal, text_.lines[i]);
        }
    }
    if (buttons_.empty()) return;
    DrawSeparator(screen, frame_, frame_.bottom - 2, normal);
    for (int i = 0; i < ButtonCount(); ++i) {
        const Rect& rect = buttons_[i];
        // Buttons that do not fit are cut at the frame.
        const std::string whole = ButtonFace(text_.buttons[i]);
        const std::string_view face = Cut(whole, std::max(0, frame_.right - rect.left));
        screen.PutText(rect.left, rect.top, i == focusedButton ? focus : normal, face.data(),
                       static_cast<int>(face.size()));
    }
}

int MessageBoxView::ButtonAt(int x, int y) const {
    for (int i = 0; i < ButtonCount(); ++i)
        if (buttons_[i].Contains(x, y) && x < frame_.right) return i;
    return -1;
}

}  // namespace host
