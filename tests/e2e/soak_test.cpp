// A long session with the panel open in quaver-host.exe: the stand-in player changes track every few seconds
// while a seeded random driver types the panel's keys and clicks inside it. The host process must not grow
// (handles, private memory), nothing may be drawn outside the panel, and Esc must still close it at once.
//
// QUAVER_SOAK_SECONDS sets the length (default 20), QUAVER_SOAK_SEED the driver's seed (default 20240601, the
// soak of docs/DEVELOPING.md, so that every run drives the same way unless asked otherwise; it is printed
// either way).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "console_session.h"
#include "panel_view.h"
#include "process_figures.h"
#include "standin_player.h"

using e2e::ConsoleSession;
using e2e::Describe;
using e2e::Part;
using e2e::ProcessFigures;
using e2e::Screen;

namespace {

constexpr char AboutMark[] = "Quaver Remote Control";

uint32_t EnvironmentNumber(const char* name, uint32_t fallback) {
    char text[32] = {};
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    if (length == 0 || length >= sizeof text) return fallback;
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
}

using e2e::SetModuleSetting;

struct Key {
    WORD virtualKey;
    char character;
    const char* name;
};

// Every binding of the panel's widgets except F1 (the About box, driven as a pair with its own Esc) and
// Alt+F4 (closes the player).
const Key panelKeys[] = {
    {'Z', 'z', "Z"},           {'X', 'x', "X"},           {'C', 'c', "C"},          {'V', 'v', "V"},
    {'B', 'b', "B"},           {'L', 'l', "L"},           {VK_LEFT, 0, "Left"},     {VK_RIGHT, 0, "Right"},
    {VK_UP, 0, "Up"},          {VK_DOWN, 0, "Down"},      {VK_NUMPAD4, '4', "Num4"}, {VK_NUMPAD5, '5', "Num5"},
    {VK_NUMPAD0, '0', "Num0"}, {VK_NUMPAD6, '6', "Num6"}, {VK_NUMPAD7, '7', "Num7"}, {VK_NUMPAD9, '9', "Num9"},
    {VK_NUMPAD8, '8', "Num8"}, {VK_NUMPAD2, '2', "Num2"}, {VK_SPACE, ' ', "Space"},  {VK_RETURN, '\r', "Enter"},
    {'S', 's', "S"},           {'R', 'r', "R"},
};

struct Tally {
    int keys = 0;        // key presses, each auto-repeat counted
    int clicks = 0;
    int hides = 0;
    int aboutBoxes = 0;
    int checks = 0;
};

int CountTrackChanges(const std::vector<e2e::PlayerLogEntry>& log) {
    int changes = 0;
    bool known = false;
    int32_t last = 0;
    for (const auto& entry : log) {
        if (entry.message != "WM_USER" || entry.wParam != 0 || entry.lParam != 125 || !entry.answered) continue;
        if (known && entry.answer != last) ++changes;
        last = entry.answer;
        known = true;
    }
    return changes;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        SetModuleSetting("AutostartWinamp", 0);  // a player that goes away is not started again behind our back
        SetModuleSetting("DispVolumeCtrl", 1);   // every widget on the panel
    }

    // The host's screen before the panel opens, and with it open.
    void OpenFromMenu(ConsoleSession& session) {
        ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
        ASSERT_TRUE(session.WaitForRowText(24, "F10 Quit")) << session.Dump();
        before = session.Capture();
        session.PressKey(VK_RETURN, 0, '\r');
        ASSERT_TRUE(e2e::WaitForPanel(session, area)) << session.Dump();
        e2e::WaitForInputRead(session);
        Sleep(300);
        opened = session.Capture();
        // The host shows the panel's keys in its key bar as it opens the panel; nothing else outside changes.
        hostScreen = opened;
        for (int y = 0; y < hostScreen.height; ++y)
            for (int x = 0; x < hostScreen.width; ++x)
                if (area.Covers(x, y)) {
                    hostScreen.rows[y][x] = before.rows[y][x];
                    hostScreen.attributes[y][x] = before.attributes[y][x];
                }
    }

    void Note(std::string action) {
        actions.push_back(std::move(action));
        if (actions.size() > 40) actions.pop_front();
    }
    std::string RecentActions() const {
        std::string text = "seed " + std::to_string(seed) + ", last actions:";
        for (const std::string& action : actions) text += " " + action;
        return text;
    }

    e2e::ScopedModuleSettings settings;
    e2e::PanelArea area;
    Screen before, opened, hostScreen;
    uint32_t seed = 0;
    std::deque<std::string> actions;
};

constexpr uint32_t defaultSeed = 20240601;

TEST_F(Soak, RandomKeysAndClicksWhileTheTrackChangesLeakNothingAndDrawOnlyInsideThePanel) {
    const uint32_t seconds = EnvironmentNumber("QUAVER_SOAK_SECONDS", 20);
    seed = EnvironmentNumber("QUAVER_SOAK_SEED", defaultSeed);
    std::printf("[ soak     ] %u s, seed %u (QUAVER_SOAK_SEED=%u repeats this run)\n", seconds, seed, seed);
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto between = [&](int low, int high) {
        return low + static_cast<int>(random() % static_cast<uint32_t>(high - low + 1));
    };

    e2e::StandinPlayer player({"--auto-advance", "3000"});
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession::Options options;
    options.arguments = {"--menu"};
    ConsoleSession session(options);
    ASSERT_NO_FATAL_FAILURE(OpenFromMenu(session));
    // Opening drew nothing outside the panel but the host's own status line and key bar (the last two rows).
    Screen openedAboveBars = opened;
    for (int y = opened.height - 2; y < opened.height; ++y) {
        openedAboveBars.rows[y] = before.rows[y];
        openedAboveBars.attributes[y] = before.attributes[y];
    }
    ASSERT_EQ(e2e::Differences(before, openedAboveBars, area, Part::Outside), "");

    Tally tally;
    std::vector<std::string> problems;
    ProcessFigures early, late;
    bool earlyTaken = false;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG length = seconds * 1000ull;
    const ULONGLONG earlyAt = std::max<ULONGLONG>(3000, length / 10);
    ULONGLONG nextCheck = start + 2000;
    ULONGLONG nextReport = start + 60000;

    // A quiet moment: every event read and acted on, the panel on the screen and nothing drawn outside it.
    auto check = [&](const char* when) {
        e2e::WaitForInputRead(session);
        Sleep(150);  // a released button is redrawn 55 ms after the release
        ++tally.checks;
        if (!e2e::PanelShown(session, area)) {
            problems.push_back(std::string("the panel is not on the screen ") + when + "\n" + RecentActions() + "\n" +
                               session.Dump());
            return;
        }
        const std::string outside = e2e::Differences(opened, session.Capture(), area, Part::Outside);
        if (!outside.empty())
            problems.push_back(std::string("drawn outside the panel ") + when + ": " + outside + RecentActions());
    };

    while (GetTickCount64() - start < length && problems.size() < 3 && !session.HostEnded()) {
        const int kind = between(0, 99);
        if (kind < 62) {
            const Key& key = panelKeys[random() % std::size(panelKeys)];
            const int repeats = chance(20) ? between(2, 8) : 1;  // held down: the console repeats the key
            for (int i = 0; i < repeats; ++i) {
                session.KeyDown(key.virtualKey, 0, key.character);
                if (repeats > 1) Sleep(30);
            }
            session.KeyUp(key.virtualKey, 0, key.character);
            tally.keys += repeats;
            Note(std::string(key.name) + (repeats > 1 ? "x" + std::to_string(repeats) : ""));
        } else if (kind < 92) {
            // Anywhere inside the panel below its top border (the title opens the About box, the close glyph
            // closes the player) but the title line, whose playlist menu has a test of its own; a press,
            // perhaps held and dragged, and the release inside.
            constexpr int titleLineRow = 5;
            int x = area.x + between(0, area.width - 1), y = area.y + between(1, e2e::PanelArea::height - 2);
            if (y >= area.y + titleLineRow) ++y;
            session.MouseEvent(x, y, FROM_LEFT_1ST_BUTTON_PRESSED);
            std::string action = "click(" + std::to_string(x - area.x) + "," + std::to_string(y - area.y);
            if (chance(40)) {
                for (int moves = between(0, 3); moves > 0; --moves) {
                    Sleep(between(20, 250));
                    if (chance(50)) {
                        x = area.x + between(0, area.width - 1);
                        y = area.y + between(1, e2e::PanelArea::height - 1);
                    }
                    session.MouseEvent(x, y, FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_MOVED);
                    action += "->" + std::to_string(x - area.x) + "," + std::to_string(y - area.y);
                }
                Sleep(between(20, 400));
            }
            session.MouseEvent(x, y, 0);
            ++tally.clicks;
            Note(action + ")");
        } else if (kind < 94) {
            const bool three = chance(50);
            session.KeyDown(VK_MENU, LEFT_ALT_PRESSED);
            session.PressKey(three ? '3' : 'E', LEFT_ALT_PRESSED);
            session.KeyUp(VK_MENU, 0);
            tally.keys += 1;
            Note(three ? "Alt+3" : "Alt+E");
        } else if (kind < 97) {
            // Hidden: the host's screen exactly, however long it stays hidden.
            session.KeyDown(VK_CONTROL, LEFT_CTRL_PRESSED);
            session.KeyDown(VK_MENU, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED);
            session.KeyDown(VK_SHIFT, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED);
            Note("hide");
            if (!e2e::WaitForPanelGone(session, area, 5000)) {
                problems.push_back("Ctrl+Alt+Shift did not hide the panel\n" + RecentActions() + "\n" + session.Dump());
            } else {
                Sleep(between(200, 600));
                const std::string hidden = e2e::Differences(hostScreen, session.Capture(), area, Part::Whole);
                if (!hidden.empty()) problems.push_back("the hidden panel left a mark: " + hidden + RecentActions());
            }
            session.KeyUp(VK_SHIFT, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED);
            session.KeyUp(VK_MENU, LEFT_CTRL_PRESSED);
            session.KeyUp(VK_CONTROL, 0);
            ++tally.hides;
            Note("show");
            if (!e2e::WaitForPanel(session, area, 5000))
                problems.push_back("letting go did not show the panel\n" + RecentActions() + "\n" + session.Dump());
        } else {
            session.PressKey(VK_F1);
            Note("F1");
            if (!session.WaitForText(AboutMark, 10000)) {
                problems.push_back("F1 opened no About box\n" + RecentActions() + "\n" + session.Dump());
            } else {
                session.PressKey(VK_ESCAPE);  // closes the About box only
                Note("Esc(About)");
                if (!e2e::WaitForPanel(session, area, 10000))
                    problems.push_back("the panel did not come back after the About box\n" + RecentActions() + "\n" +
                                       session.Dump());
            }
            ++tally.aboutBoxes;
        }
        Sleep(between(10, 120));

        const ULONGLONG now = GetTickCount64();
        if (now >= nextCheck) {
            check("during the run");
            nextCheck = GetTickCount64() + 2000;
            if (!earlyTaken && now - start >= earlyAt) {
                early = e2e::MeasureProcess(session.Process());
                earlyTaken = true;
                std::printf("[ soak     ] early, at %llu s: %s\n", (now - start) / 1000, Describe(early).c_str());
            }
        }
        if (now >= nextReport) {
            std::printf("[ soak     ] at %llu s: %s, %d keys, %d clicks\n", (now - start) / 1000,
                        Describe(e2e::MeasureProcess(session.Process())).c_str(), tally.keys, tally.clicks);
            std::fflush(stdout);
            nextReport += 60000;
        }
    }
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
    ASSERT_TRUE(problems.empty());
    ASSERT_FALSE(session.HostEnded()) << session.Dump();

    check("at the end");
    ASSERT_TRUE(problems.empty()) << problems.front();
    late = e2e::MeasureProcess(session.Process());
    ASSERT_TRUE(earlyTaken);

    const DWORD closing = e2e::CloseWithEsc(session, area);
    EXPECT_LE(closing, 1000u) << "Esc closes the panel within a second\n" << RecentActions() << "\n" << session.Dump();
    EXPECT_TRUE(session.WaitFor([&] { return e2e::Differences(before, session.Capture(), area, Part::Inside).empty(); },
                                5000))
        << "the host's screen is back where the panel was: "
        << e2e::Differences(before, session.Capture(), area, Part::Inside);

    const auto log = player.Log();
    int commands = 0;
    for (const auto& entry : log) commands += entry.message == "WM_COMMAND";
    const int trackChanges = CountTrackChanges(log);
    std::printf("[ soak     ] %u s, seed %u: %d keys, %d clicks, %d hides, %d About boxes, %d screen checks\n",
                seconds, seed, tally.keys, tally.clicks, tally.hides, tally.aboutBoxes, tally.checks);
    std::printf("[ soak     ] host early: %s; late: %s\n", Describe(early).c_str(), Describe(late).c_str());
    std::printf("[ soak     ] player: %d track changes, %d commands in its log; Esc closed the panel in %lu ms\n",
                trackChanges, commands, closing);
    RecordProperty("seed", static_cast<int>(seed));
    RecordProperty("handlesEarly", static_cast<int>(early.handles));
    RecordProperty("handlesLate", static_cast<int>(late.handles));
    RecordProperty("privateKiBEarly", static_cast<int>(early.privateBytes / 1024));
    RecordProperty("privateKiBLate", static_cast<int>(late.privateBytes / 1024));

    // A failed reading is 0, which would pass every comparison below.
    for (const ProcessFigures& figures : {early, late}) {
        EXPECT_GT(figures.handles, 0u) << "the host's handles can be counted";
        EXPECT_GT(figures.privateBytes, 0u) << "the host's memory can be measured";
    }
    // A little room for Wine's own bookkeeping; a leak per refresh pass or per key would pass it within seconds.
    EXPECT_LE(late.handles, early.handles + 4) << "handles grew: " << Describe(early) << " -> " << Describe(late);
    EXPECT_LE(late.privateBytes, early.privateBytes + 512 * 1024)
        << "private memory grew: " << Describe(early) << " -> " << Describe(late);
    EXPECT_GT(commands, 0) << "the driver's keys reached the player";
    EXPECT_GT(trackChanges, 0) << "the track changed under the panel";

    session.WaitForRowText(24, "F10 Quit");
    session.PressKey(VK_F10);
    session.WaitForExit();
}

TEST_F(Soak, OpeningAndClosingThePanelManyTimesLeavesNoHandlesBehind) {
    e2e::StandinPlayer player;
    ASSERT_TRUE(player.Ready()) << player.Problem();
    ConsoleSession::Options options;
    options.arguments = {"--menu"};
    ConsoleSession session(options);
    ASSERT_TRUE(session.Ready() && session.Launched()) << session.Problem();
    ASSERT_TRUE(session.WaitForRowText(24, "F10 Quit")) << session.Dump();

    ProcessFigures early;
    constexpr int openings = 30;
    for (int opening = 1; opening <= openings; ++opening) {
        session.PressKey(VK_RETURN, 0, '\r');
        ASSERT_TRUE(e2e::WaitForPanel(session, area)) << "opening " << opening << "\n" << session.Dump();
        Sleep(200);  // a refresh pass or two
        session.PressKey(VK_ESCAPE);
        ASSERT_TRUE(e2e::WaitForPanelGone(session, area)) << session.Dump();
        ASSERT_TRUE(session.WaitForRowText(23, "closed")) << session.Dump();
        e2e::WaitForInputRead(session);
        if (opening == 5) early = e2e::MeasureProcess(session.Process());
    }
    const ProcessFigures late = e2e::MeasureProcess(session.Process());
    std::printf("[ soak     ] after 5 openings: %s; after %d: %s\n", Describe(early).c_str(), openings,
                Describe(late).c_str());
    for (const ProcessFigures& figures : {early, late}) {
        EXPECT_GT(figures.handles, 0u) << "the host's handles can be counted";
        EXPECT_GT(figures.privateBytes, 0u) << "the host's memory can be measured";
    }
    // Each opening makes two events and two threads: a leak of any of them would add 25 or more.
    EXPECT_LE(late.handles, early.handles + 4) << Describe(early) << " -> " << Describe(late);
    EXPECT_LE(late.privateBytes, early.privateBytes + 1024 * 1024) << Describe(early) << " -> " << Describe(late);
    session.PressKey(VK_F10);
    session.WaitForExit();
}

}  // namespace
