// The panel's frame and inner box, drawn row by row from a table, and the shadow read back from the console.
#include "panel/frame.h"

#include <cstring>

#include "host/settings.h"
#include "host/screen.h"
#include "panel/geometry.h"
#include "panel/widgets.h"

namespace quaver {

namespace {

// One row of the frame: outer edges, the inner box's edges (columns 1 and W - 2) and what fills the rest.
struct FrameRow {
    int32_t row;
    char left;
    char innerLeft;
    char fill;
    char innerRight;
    char right;
};

// Code page 437 box drawing.
constexpr char doubleHorizontal = '\xCD', doubleVertical = '\xBA';
constexpr char singleHorizontal = '\xC4', singleVertical = '\xB3';

// In drawing order.
constexpr FrameRow frameRows[] = {
    {11, '\xC8', doubleHorizontal, doubleHorizontal, doubleHorizontal, '\xBC'},  // bottom border
    {0, '\xC9', doubleHorizontal, doubleHorizontal, doubleHorizontal, '\xBB'},   // top border
    {6, doubleVertical, '\xC0', singleHorizontal, '\xD9', doubleVertical},       // bottom of the inner box
    {1, doubleVertical, '\xDA', singleHorizontal, '\xBF', doubleVertical},       // top of the inner box
    {2, doubleVertical, singleVertical, ' ', singleVertical, doubleVertical},    // inner box
    {3, doubleVertical, singleVertical, ' ', singleVertical, doubleVertical},
    {4, doubleVertical, singleVertical, ' ', singleVertical, doubleVertical},
    {5, doubleVertical, singleVertical, ' ', singleVertical, doubleVertical},
    {7, doubleVertical, ' ', ' ', ' ', doubleVertical},                          // button area
    {8, doubleVertical, ' ', ' ', ' ', doubleVertical},
    {9, doubleVertical, ' ', ' ', ' ', doubleVertical},
    {10, doubleVertical, ' ', ' ', ' ', doubleVertical},
};

constexpr char closeButtonBrackets[] = "[ ]";  // the close glyph sits between them, at column 3
constexpr int32_t closeButtonX = 2;
constexpr char trackLabel[] = " Track ";
constexpr int32_t shadowWidth = 2;

// Writes text into the fill of a row (columns 2 to width - 3), cut at the inner box's edge.
void SetIntoFill(char* row, int32_t width, int32_t column, const char* text) {
    for (int32_t i = 0; text[i] && column + i < width - 2; ++i)
        if (column + i >= 2) row[column + i] = text[i];
}

void BuildFrameRow(const FrameRow& pattern, int32_t width, char* row) {
    std::memset(row, pattern.fill, static_cast<size_t>(width));
    row[0] = pattern.left;
    row[1] = pattern.innerLeft;
    row[width - 2] = pattern.innerRight;
    row[width - 1] = pattern.right;
    row[width] = '\0';
    if (pattern.row == 0 && settings.showCloseButton) SetIntoFill(row, width, closeButtonX, closeButtonBrackets);
    if (pattern.row == 1) SetIntoFill(row, width, static_cast<int32_t>(openPanel.trackLabelX), trackLabel);
}

}  // namespace

void DrawPanel(const PanelPlacement& placement) {
    const int32_t width = static_cast<int32_t>(openPanel.panelWidth);
    if (width < 4 || width > static_cast<int32_t>(widePanelWidth)) return;  // not a panel this module lays out
    const int32_t x = placement.x;
    const int32_t y = placement.y;

    char row[widePanelWidth + 1];
    for (const FrameRow& pattern : frameRows) {
        BuildFrameRow(pattern, width, row);
        PutText(x, y + pattern.row, settings.palette[paletteFrame], row);
    }

    // Two columns to the right and one row below, offset by two columns and one row; narrower, or absent,
    // where the console ends, on a console lower than the panel too: only cells of the console are read.
    int32_t shadow = openPanel.consoleWidth - x - width;
    if (shadow > shadowWidth) shadow = shadowWidth;
    const int32_t lastShadowRow = y + static_cast<int32_t>(panelHeight) - 1;
    for (int32_t shadowRow = y + 1; shadowRow <= lastShadowRow && shadowRow < openPanel.consoleHeight; ++shadowRow)
        DrawShadowRun(x + width, shadowRow, shadow);
    if (y + static_cast<int32_t>(panelHeight) < openPanel.consoleHeight)
        DrawShadowRun(x + shadowWidth, y + static_cast<int32_t>(panelHeight), width - shadowWidth + shadow);

    for (Widget* widget : openPanel.widgets)
        if (widget) widget->draw(false);
}

void DrawShadowRun(int32_t x, int32_t y, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        // What the console shows now, not the host's pending output. A cell that cannot be read is left as
        // it is: there is nothing known to dim.
        HostChar character = 0;
        uint16_t attribute = 0;
        if (!os::ReadConsoleOutputCharacter(openPanel.consoleOutput, x + i, y, &character) ||
            !os::ReadConsoleOutputAttribute(openPanel.consoleOutput, x + i, y, &attribute))
            continue;
        // Only the three foreground colour bits stay: the same character, dark on black. Dimming a dimmed
        // cell changes nothing, so drawing the panel again does not darken its shadow further.
        const HostChar cell[2] = {character, 0};
        PutHostText(x + i, y, attribute & 7, cell);
    }
}

}  // namespace quaver
