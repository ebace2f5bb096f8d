// The panel's 16 widgets: four kinds, built from one table row each (widget_tables.cpp).
#pragma once

#include <cstdint>

#include "os/os.h"

namespace quaver {

class Widget {
public:
    virtual ~Widget() = default;
    virtual void draw(bool flush);
    virtual void release();
    // Offers one console event, key or mouse, to the widget: true when the widget takes it, with the command
    // it yields in command.
    virtual bool offer(const os::InputRecord& event, uint32_t& command);

    int16_t x = 0;
    int16_t y = 0;
    uint8_t colour = 0;  // palette index
    uint32_t command = 0;
    uint16_t key1 = 0;
    uint16_t key2 = 0;
    uint32_t modifiers1 = 0;
    uint32_t modifiers2 = 0;
    uint32_t length = 0;
    const char* text = "";
    uint8_t pressed = 0;
    uint8_t engaged = 0;
    uint8_t mouseHeld = 0;
    uint8_t repeat = 0;
    // The face moves one cell right while pressed (buttons): the cells that take the mouse move with it.
    uint8_t shiftsWhenPressed = 0;
    // Released, but still drawn pressed until releaseDrawTick, when the input loop draws it released
    // (DrawDueReleases): a tap stays visible without the host's thread waiting for it. Host's thread only.
    uint8_t releaseDrawPending = 0;
    uint32_t releaseDrawTick = 0;

private:
    enum class AfterInput { Nothing, ReleaseThis, ReleaseOthers };
    // The input logic proper, run under drawingLock; says what is to follow once the lock is left.
    bool TakeInput(const os::InputRecord& event, uint32_t& delivered, AfterInput& after, uint32_t& hold);
};

class ButtonWidget : public Widget {
public:
    ButtonWidget() { shiftsWhenPressed = 1; }
    void draw(bool flush) override;
};

class IndicatorWidget : public Widget {
public:
    void draw(bool flush) override;
    uint8_t visible = 0;
};

// The title line: the player's text, in the host's characters.
class TitleLineWidget : public Widget {
public:
    void draw(bool flush) override;
};

class GlyphWidget : public Widget {
public:
    void draw(bool flush) override;
    bool offer(const os::InputRecord& event, uint32_t& command) override;
    uint8_t visible = 0;
};

constexpr int widgetCount = 16;
namespace slot {
constexpr int Previous = 0, Play = 1, Pause = 2, Stop = 3, Next = 4, Open = 5, Rewind = 6, FastForward = 7;
constexpr int VolumeUp = 8, VolumeDown = 9, PanelTitle = 10, TimeLabel = 11, TitleLine = 12;
constexpr int Shuffle = 13, Repeat = 14, CloseGlyph = 15;
}  // namespace slot


// The 16 widget objects of one opening, of the kinds their slots require. RunPanel owns one on its stack.
struct PanelWidgets {
    ButtonWidget buttons[8];        // slots 0-7
    IndicatorWidget volumeUp;       // slot 8
    IndicatorWidget volumeDown;     // slot 9
    Widget panelTitle;              // slot 10
    Widget timeLabel;               // slot 11
    TitleLineWidget titleLineWidget;  // slot 12
    IndicatorWidget shuffle;        // slot 13
    IndicatorWidget repeatIndicator;  // slot 14
    GlyphWidget closeGlyph;         // slot 15
    void EnterInTable();            // fills the widget table in slot order
};

// The time-mode label names the format the clock shows; both texts are 12 characters, so the label keeps its x.
inline constexpr char trackTimeLabel[] = " Track Time ";
inline constexpr char trackLeftLabel[] = " Track Left ";

// Fills the 16 widgets of the widget table from the definition table and the layout the settings choose.
void BuildWidgets();
void SetText(Widget& widget, const char* text);
void SetTextAt(Widget& widget, const char* text, int16_t x);
// Exact modifier masks; a binding whose key code is 0 is no binding and matches nothing.
bool HitsKey(const Widget& widget, const os::KeyEvent& key);
// The console cell (column, row) lies on the widget's text where it is drawn now.
bool HitsPosition(const Widget& widget, int32_t column, int32_t row);

// Draws released each widget whose released look is due. Returns the ms until the next one is due, or
// os::Infinite when none is waiting.
uint32_t DrawDueReleases();
// Ends every press at once, the looks included, without drawing: a dialog or menu is about to cover the
// panel, which is drawn whole when it returns.
void SettleAllWidgets();

}  // namespace quaver
