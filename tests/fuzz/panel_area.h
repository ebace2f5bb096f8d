// Where the open panel may draw: its own 12 rows of panelWidth columns and its shadow, two columns to the
// right of rows 1 to 11 and one row below from column 2 to panelWidth + 1. Shared by the targets that draw.
#pragma once

#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "fake_host.h"
#include "fuzz_input.h"
#include "panel/panel.h"
#include "panel/widgets.h"

namespace fuzz {

inline bool OnPanelOrShadow(const quaver::PanelPlacement& placement, int x, int y, size_t length) {
    if (length == 0) return true;  // draws nothing
    const int64_t width = quaver::openPanel.panelWidth, height = quaver::panelHeight;
    const int64_t left = placement.x, top = placement.y;
    const int64_t first = x, last = first + static_cast<int64_t>(length) - 1;
    const bool onPanel = y >= top && y < top + height && first >= left && last < left + width;
    const bool rightShadow = y > top && y < top + height && first >= left + width && last < left + width + 2;
    const bool bottomShadow = y == top + height && first >= left + 2 && last < left + width + 2;
    return onPanel || rightShadow || bottomShadow;
}

// What the host was asked to draw since the last call; the record starts empty again.
inline std::vector<fake::PutTextCall> TakeDrawing() {
    std::lock_guard lock(fake::HostMutex());
    std::vector<fake::PutTextCall> calls;
    calls.swap(fake::host().putTexts);
    return calls;
}

// Every text lies on the panel or its shadow and is no wider than the panel. Returns the number of flushes.
inline int RequireDrawnOnPanel(const std::vector<fake::PutTextCall>& calls, const quaver::PanelPlacement& placement) {
    int flushes = 0;
    for (const fake::PutTextCall& call : calls) {
        if (call.isFlush) {
            ++flushes;
            continue;
        }
        Require(call.text.size() <= quaver::openPanel.panelWidth, "a drawn text is no wider than the panel");
        Require(OnPanelOrShadow(placement, call.x, call.y, call.text.size()), "drawn on the panel or its shadow");
    }
    return flushes;
}

// A widget's width is always the length of its text.
inline void RequireWidgetLengths() {
    for (const quaver::Widget* widget : quaver::openPanel.widgets)
        if (widget) Require(widget->length == std::strlen(widget->text), "a widget's length is its text's");
}

}  // namespace fuzz
