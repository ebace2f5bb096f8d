// The open panel as the console shows it: whether it is on the screen, the rectangle it and its shadow
// cover, cells changed outside or inside that rectangle, and closing it with Esc against the clock.
//
//   e2e::PanelArea area;  // the 34-column panel on an 80x25 console
//   const e2e::Screen before = session.Capture();
//   ... open the panel ...
//   EXPECT_EQ(e2e::Differences(before, session.Capture(), area, e2e::Part::Outside), "");
#pragma once

#include <windows.h>

#include <string>

#include "console_session.h"

namespace e2e {

struct PanelArea {
    int x = 23;  // an 80 by 25 console centres the 34-column panel here
    int y = 5;
    int width = 34;
    static constexpr int height = 12;
    // The panel and its shadow: two more columns and one more row.
    bool Covers(int column, int row) const {
        return column >= x && column < x + width + 2 && row >= y && row < y + height + 1;
    }
};

// Both far corners of the frame are on the screen (the close glyph and the title may change).
bool PanelShown(const ConsoleSession& session, const PanelArea& area = {});
bool WaitForPanel(const ConsoleSession& session, const PanelArea& area = {}, DWORD timeoutMs = 20000);
bool WaitForPanelGone(const ConsoleSession& session, const PanelArea& area = {}, DWORD timeoutMs = 10000);

enum class Part { Outside, Inside, Whole };

// The cells (character or colour) in which two screens differ, within the part asked for, described for a
// failure message; empty when they are the same there. At most `limit` cells are listed.
std::string Differences(const Screen& expected, const Screen& actual, const PanelArea& area, Part part,
                        int limit = 12);

// Waits until the host has read every input event written so far.
bool WaitForInputRead(const ConsoleSession& session, DWORD timeoutMs = 10000);

// Presses Esc and returns the milliseconds until the panel left the screen, or the time-out if it did not.
DWORD CloseWithEsc(ConsoleSession& session, const PanelArea& area = {}, DWORD timeoutMs = 10000);

}  // namespace e2e
