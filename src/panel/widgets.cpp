// The widgets' looks, their common input logic and release, and the key and position tests.
#include "panel/widgets.h"

#include <cstring>

#include "host/settings.h"
#include "host/screen.h"
#include "panel/panel.h"
#include "panel/refresh.h"
#include "player/player.h"

namespace quaver {


namespace {

// Keeps even the shortest tap visible as a pressed button.
constexpr uint32_t releaseDelayMs = 55;
// A button's shadow row is built here: a button's text is at most 31 characters.
constexpr uint32_t buttonRowCapacity = 32;

constexpr char lowerHalfBlock = '\xDC';
constexpr char upperHalfBlock = '\xDF';

struct Cell {
    int32_t x;
    int32_t y;
};

Cell ScreenCellOf(const Widget& widget) {
    const PanelPlacement* placement = openPanel.placement;
    return {(placement ? placement->x : 0) + widget.x, (placement ? placement->y : 0) + widget.y};
}

int Colour(int entry) { return settings.palette[entry & (paletteEntryCount - 1)]; }

bool LeftDown(const os::MouseEvent& mouse) { return (mouse.buttonState & os::LeftButtonPressed) != 0; }
bool Moved(const os::MouseEvent& mouse) { return (mouse.eventFlags & os::MouseMoved) != 0; }
bool IsKeyDown(const os::InputRecord& event) { return event.eventType == os::KeyEventType && event.key.keyDown; }
bool IsMouse(const os::InputRecord& event) { return event.eventType == os::MouseEventType; }
bool OnWidget(const Widget& widget, const os::MouseEvent& mouse) { return HitsPosition(widget, mouse.x, mouse.y); }

// A draw made on the host's thread in answer to input: under drawingLock for this one draw only, and only
// while the panel is on the screen (a focus change may release a widget while the panel is hidden).
void DrawFromInput(Widget& widget) {
    os::CriticalSectionLock lock(openPanel.drawingLock);
    if (openPanel.placement && openPanel.placement->shown) widget.draw(true);
}

// A run of one character, bounded by the row buffer.
void FillRow(char (&row)[buttonRowCapacity], uint32_t count, char character) {
    if (count > buttonRowCapacity - 1) count = buttonRowCapacity - 1;
    std::memset(row, character, count);
    row[count] = '\0';
}

// One press at a time. Every widget, not only the one that took the last event: an event that no widget
// took (the pointer moving over the console) leaves the widget it passed over still held.
void ReleaseOthers(const Widget& taker) {
    for (Widget* widget : openPanel.widgets)
        if (widget && widget != &taker && widget->engaged) widget->release();
}

bool Binds(uint16_t boundKey, uint32_t boundModifiers, uint16_t key, uint32_t modifiers) {
    return boundKey != 0 && key == boundKey && modifiers == boundModifiers;
}

}  // namespace

// ---- looks ---------------------------------------------------------------------------------------------------

void Widget::draw(bool flush) {
    const Cell at = ScreenCellOf(*this);
    PutText(at.x, at.y, Colour(colour), text);
    if (flush) FlushOutput();
}

void ButtonWidget::draw(bool flush) {
    const Cell at = ScreenCellOf(*this);
    const int32_t width = static_cast<int32_t>(length);
    char row[buttonRowCapacity];
    // Both looks cover the same cells, so each fully overwrites the other: the face moves one cell right
    // and the half-block shadow disappears while pressed.
    if (pressed) {
        PutText(at.x, at.y, Colour(paletteFrame), " ");
        PutText(at.x + 1, at.y, Colour(palettePressedButton), text);
        FillRow(row, length, ' ');
        PutText(at.x + 1, at.y + 1, Colour(paletteFrame), row);
    } else {
        const char rightShadow[2] = {lowerHalfBlock, '\0'};
        PutText(at.x, at.y, Colour(paletteButtonFace), text);
        PutText(at.x + width, at.y, Colour(paletteButtonShadow), rightShadow);
        FillRow(row, length, upperHalfBlock);
        PutText(at.x + 1, at.y + 1, Colour(paletteButtonShadow), row);
    }
    if (flush) FlushOutput();
}

void IndicatorWidget::draw(bool flush) {
    if (!visible) return;
    const Cell at = ScreenCellOf(*this);
    PutText(at.x, at.y, Colour(pressed ? palettePressedIndicator : colour), text);
    if (flush) FlushOutput();
}

void TitleLineWidget::draw(bool flush) {
    const Cell at = ScreenCellOf(*this);
    PutHostText(at.x, at.y, Colour(colour), liveDisplay.titleLine);
    if (flush) FlushOutput();
}

void GlyphWidget::draw(bool flush) {
    if (!visible) return;
    const Cell at = ScreenCellOf(*this);
    const char glyph[2] = {pressed && length >= 2 ? text[1] : text[0], '\0'};
    PutText(at.x, at.y, Colour(colour), glyph);
    if (flush) FlushOutput();
}

// ---- input logic ---------------------------------------------------------------------------------------------

void Widget::release() {
    os::CriticalSectionLock lock(openPanel.drawingLock);
    engaged = 0;
    mouseHeld = 0;
    // Not drawn pressed, or already on its way to the released look: nothing to end.
    if (!pressed || releaseDrawPending) return;
    DropHeldCommand();
    // The released look is drawn when its time comes; the host's thread goes on reading keys meanwhile.
    releaseDrawPending = 1;
    releaseDrawTick = os::GetTickCount() + releaseDelayMs;
}

uint32_t DrawDueReleases() {
    uint32_t next = os::Infinite;
    const uint32_t now = os::GetTickCount();
    for (Widget* widget : openPanel.widgets) {
        if (!widget || !widget->releaseDrawPending) continue;
        const int32_t left = static_cast<int32_t>(widget->releaseDrawTick - now);  // across the tick's wrap
        if (left > 0) {
            if (static_cast<uint32_t>(left) < next) next = static_cast<uint32_t>(left);
            continue;
        }
        {
            os::CriticalSectionLock lock(openPanel.drawingLock);
            widget->releaseDrawPending = 0;
            widget->pressed = 0;
        }
        DrawFromInput(*widget);
    }
    return next;
}

void SettleAllWidgets() {
    for (Widget* widget : openPanel.widgets) {
        if (!widget) continue;
        widget->release();
        os::CriticalSectionLock lock(openPanel.drawingLock);
        widget->releaseDrawPending = 0;
        widget->pressed = 0;
    }
}

bool Widget::offer(const os::InputRecord& event, uint32_t& delivered) {
    // The tests and changes under drawingLock, so that no hit test sees a position or text the RefreshThread
    // is rewriting; releases, with their wait, come after it.
    AfterInput after = AfterInput::Nothing;
    uint32_t hold = 0;
    bool accepted = false;
    {
        os::CriticalSectionLock lock(openPanel.drawingLock);
        accepted = TakeInput(event, delivered, after, hold);
    }
    if (after == AfterInput::ReleaseThis) {
        release();
    } else if (after == AfterInput::ReleaseOthers) {
        ReleaseOthers(*this);
        if (hold)
            HoldCommand(hold);
        else
            DropHeldCommand();
    }
    return accepted;
}

bool Widget::TakeInput(const os::InputRecord& event, uint32_t& delivered, AfterInput& after, uint32_t& hold) {
    if (!engaged) {
        // Idle: a bound key going down, or the left button going down on the widget (not a move with it held).
        const bool keyPress = IsKeyDown(event) && HitsKey(*this, event.key);
        const bool mousePress = IsMouse(event) && LeftDown(event.mouse) && !Moved(event.mouse) &&
                                OnWidget(*this, event.mouse);
        if (!keyPress && !mousePress) return false;
        pressed = 1;
        releaseDrawPending = 0;  // pressed again before its released look was due
        mouseHeld = mousePress;
        engaged = 1;
        delivered = command;
        DrawFromInput(*this);
        after = AfterInput::ReleaseOthers;
        hold = mousePress && repeat ? command : 0;
        return true;
    }

    if (!pressed) {
        // Dragged off: only moving back onto the widget with the button still down takes it up again.
        if (IsMouse(event) && LeftDown(event.mouse) && Moved(event.mouse) && mouseHeld &&
            OnWidget(*this, event.mouse)) {
            pressed = 1;
            DrawFromInput(*this);
            if (repeat) HoldCommand(command);
        }
        return false;
    }

    if (event.eventType == os::KeyEventType) {
        // The console's own key repeat delivers the command again; any other key ends the press.
        if (event.key.keyDown && HitsKey(*this, event.key)) {
            delivered = command;
            return true;
        }
        after = AfterInput::ReleaseThis;
        return false;
    }

    if (!IsMouse(event) || !mouseHeld) return false;
    const os::MouseEvent& mouse = event.mouse;
    if (!LeftDown(mouse)) {
        after = AfterInput::ReleaseThis;
        return false;
    }
    const bool on = OnWidget(*this, mouse);
    if (Moved(mouse)) {
        if (!on) {
            // Dragged off: drawn released and no longer repeated, but still engaged.
            pressed = 0;
            DropHeldCommand();
            DrawFromInput(*this);
        }
        return false;
    }
    if (!on) return false;
    delivered = command;  // another button changed, or a double click, on the widget
    return true;
}

bool GlyphWidget::offer(const os::InputRecord& event, uint32_t& delivered) {
    return visible && Widget::offer(event, delivered);
}

// ---- texts and tests -----------------------------------------------------------------------------------------

void SetText(Widget& widget, const char* text) {
    widget.text = text ? text : "";
    widget.length = static_cast<uint32_t>(std::strlen(widget.text));
}

void SetTextAt(Widget& widget, const char* text, int16_t x) {
    SetText(widget, text);
    widget.x = x;
}

bool HitsKey(const Widget& widget, const os::KeyEvent& key) {
    const uint32_t modifiers = ModifiersOf(key.controlKeyState);
    return Binds(widget.key1, widget.modifiers1, key.virtualKey, modifiers) ||
           Binds(widget.key2, widget.modifiers2, key.virtualKey, modifiers);
}

bool HitsPosition(const Widget& widget, int32_t column, int32_t row) {
    const Cell at = ScreenCellOf(widget);
    const int64_t first = static_cast<int64_t>(at.x) + (widget.pressed && widget.shiftsWhenPressed ? 1 : 0);
    return row == at.y && first <= column && column < first + widget.length;
}

void PanelWidgets::EnterInTable() {
    Widget* const slots[widgetCount] = {&buttons[0], &buttons[1], &buttons[2],      &buttons[3],
                                        &buttons[4], &buttons[5], &buttons[6],      &buttons[7],
                                        &volumeUp,   &volumeDown, &panelTitle,      &timeLabel,
                                        &titleLineWidget, &shuffle, &repeatIndicator, &closeGlyph};
    for (int slot = 0; slot < widgetCount; ++slot) openPanel.widgets[slot] = slots[slot];
}

}  // namespace quaver
