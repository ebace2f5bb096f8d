#include "panel_view.h"

#include <cstdio>

namespace e2e {

namespace {

constexpr char topLeft = '\xC9';
constexpr char bottomRight = '\xBC';

bool InPart(const PanelArea& area, int x, int y, Part part) {
    switch (part) {
    case Part::Outside: return !area.Covers(x, y);
    case Part::Inside: return area.Covers(x, y);
    case Part::Whole: return true;
    }
    return true;
}

std::string Cell(const Screen& screen, int x, int y) {
    const unsigned char c = static_cast<unsigned char>(screen.rows[y][x]);
    char text[32];
    std::snprintf(text, sizeof text, "%02X/%02X", c, screen.attributes[y][x]);
    return text;
}

}  // namespace

bool PanelShown(const ConsoleSession& session, const PanelArea& area) {
    return session.Text(area.x, area.y, 1) == std::string(1, topLeft) &&
           session.Text(area.x + area.width - 1, area.y + PanelArea::height - 1, 1) == std::string(1, bottomRight);
}

bool WaitForPanel(const ConsoleSession& session, const PanelArea& area, DWORD timeoutMs) {
    return session.WaitFor([&] { return PanelShown(session, area) || session.HostEnded(); }, timeoutMs) &&
           PanelShown(session, area);
}

bool WaitForPanelGone(const ConsoleSession& session, const PanelArea& area, DWORD timeoutMs) {
    return session.WaitFor([&] { return !PanelShown(session, area); }, timeoutMs);
}

std::string Differences(const Screen& expected, const Screen& actual, const PanelArea& area, Part part, int limit) {
    if (expected.width != actual.width || expected.height != actual.height ||
        expected.rows.size() != actual.rows.size())
        return "the screens differ in size";
    std::string listed;
    int count = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            if (!InPart(area, x, y, part)) continue;
            const bool same = static_cast<size_t>(x) < expected.rows[y].size() &&
                              static_cast<size_t>(x) < actual.rows[y].size() &&
                              expected.rows[y][x] == actual.rows[y][x] &&
                              expected.attributes[y][x] == actual.attributes[y][x];
            if (same) continue;
            if (count++ < limit)
                listed += "(" + std::to_string(x) + "," + std::to_string(y) + ") " + Cell(expected, x, y) + " became " +
                          Cell(actual, x, y) + "\n";
        }
    }
    if (count == 0) return {};
    return std::to_string(count) + " cells differ:\n" + listed + "now:\n" + actual.Text();
}

bool WaitForInputRead(const ConsoleSession& session, DWORD timeoutMs) {
    return session.WaitFor(
        [&] {
            DWORD pending = 0;
            return GetNumberOfConsoleInputEvents(session.Input(), &pending) && pending == 0;
        },
        timeoutMs);
}

DWORD CloseWithEsc(ConsoleSession& session, const PanelArea& area, DWORD timeoutMs) {
    const ULONGLONG pressed = GetTickCount64();
    session.PressKey(VK_ESCAPE);
    // Polled tightly: the figure is compared with a bound of one second.
    while (PanelShown(session, area)) {
        if (GetTickCount64() - pressed >= timeoutMs) return timeoutMs;
        Sleep(5);
    }
    return static_cast<DWORD>(GetTickCount64() - pressed);
}

}  // namespace e2e
