#include "player_window.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>

#include "console_output.h"
#include "playback.h"
#include "playlist_texts.h"
#include "text_codes.h"

namespace standin {

namespace {

const wchar_t className[] = L"Winamp v1.x";
constexpr UINT_PTR clockTimer = 1;
constexpr UINT_PTR hangTimer = 2;
constexpr UINT_PTR exitTimer = 3;
constexpr UINT clockPeriod = 100;
constexpr ULONG_PTR appendAnsiPath = 100;
constexpr ULONG_PTR appendWidePath = 1100;
constexpr LPARAM askTitle = 212;
constexpr LPARAM askWideTitle = 213;
constexpr LPARAM askPath = 214;

// One player window per process: the window procedure reaches its state here.
struct Player {
    const Options& options;
    CommandLog& log;
    Playback playback;
    PlaylistTexts texts;
    uint32_t startTick;
    HWND window = nullptr;
    std::wstring shownTitle;
};
Player* player = nullptr;

bool IsInterfaceMessage(UINT message) {
    return message == WM_COMMAND || message == WM_USER || message == WM_GETTEXT || message == WM_CLOSE ||
           message == WM_COPYDATA;
}

void UpdateTitle(Player& p) {
    if (p.options.pinnedTitle) return;
    const std::wstring title = WideFromUtf8(p.playback.WindowTitle(p.options.stateInTitle));
    if (title == p.shownTitle) return;
    p.shownTitle = title;
    SetWindowTextW(p.window, title.c_str());
}

// Takes ms of the player's time: Sleep for the whole milliseconds but the last, then a spin on the performance
// counter, so that fractions count and Sleep's coarse steps never cut the cost short.
void Spend(double ms) {
    if (ms <= 0) return;
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const auto ticks = static_cast<LONGLONG>(ms * static_cast<double>(frequency.QuadPart) / 1000.0);
    if (ms >= 2) Sleep(static_cast<DWORD>(ms) - 1);
    do QueryPerformanceCounter(&now);
    while (now.QuadPart - start.QuadPart < ticks);
}

intptr_t AnswerTextQuestion(Player& p, WPARAM wParam, LPARAM lParam) {
    Spend(p.options.titleCostMs);
    switch (lParam) {
    case askTitle: return static_cast<intptr_t>(p.texts.Title(wParam));
    case askWideTitle: return static_cast<intptr_t>(p.texts.WideTitle(wParam));
    default: return static_cast<intptr_t>(p.texts.Path(wParam));
    }
}

// The path that WM_COPYDATA hands over: cbData bytes of ANSI (100) or UTF-16 (1100) text, up to the first zero.
std::wstring CopiedPath(const COPYDATASTRUCT& copy) {
    if (copy.dwData == appendAnsiPath) {
        const auto* data = static_cast<const char*>(copy.lpData);
        return WideFromAnsi(std::string_view(data, strnlen(data, copy.cbData)));
    }
    // The sender's bytes need not be aligned for wchar_t.
    std::wstring path(copy.cbData / sizeof(wchar_t), L'\0');
    std::memcpy(path.data(), copy.lpData, path.size() * sizeof(wchar_t));
    path.resize(std::wcslen(path.c_str()));
    return path;
}

int32_t Answer(Player& p, WPARAM wParam, LPARAM lParam) {
    const auto pinned = p.options.answers.find({wParam, lParam});
    if (pinned != p.options.answers.end()) return pinned->second;
    if (wParam == 0 && lParam == 0) return static_cast<int32_t>(p.options.version);
    return p.playback.Answer(wParam, lParam, GetTickCount());
}

// Stops answering for good; the window stays. Only --exit-after still ends the process.
[[noreturn]] void Hang(Player& p) {
    p.log.Note("hung");
    for (;;) {
        Sleep(10);
        if (p.options.exitAfter != never && GetTickCount() - p.startTick >= p.options.exitAfter) {
            p.log.Note("exiting while hung");
            ExitProcess(0);
        }
    }
}

std::string Hex(uintptr_t value) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

UINT Remaining(const Player& p, uint32_t afterStart) {
    const uint32_t elapsed = GetTickCount() - p.startTick;
    return elapsed >= afterStart ? USER_TIMER_MINIMUM : afterStart - elapsed;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!player) return DefWindowProcW(window, message, wParam, lParam);
    Player& p = *player;
    // WM_USER is logged with its answer, WM_COPYDATA with its path.
    const bool loggedOwnWay = message == WM_USER || message == WM_COPYDATA;
    if (p.options.logAll && !loggedOwnWay) p.log.Message(message, wParam, lParam);
    if (IsInterfaceMessage(message)) {
        if (!p.options.logAll && !loggedOwnWay) p.log.Message(message, wParam, lParam);
        if (p.options.slow) Sleep(p.options.slow);
    }

    switch (message) {
    case WM_USER: {
        bool handled = lParam == askTitle || lParam == askWideTitle || lParam == askPath;
        const intptr_t listAnswer = handled ? AnswerTextQuestion(p, wParam, lParam)
                                            : p.playback.PlaylistAnswer(wParam, lParam, GetTickCount(), handled);
        const intptr_t answer = handled ? listAnswer : Answer(p, wParam, lParam);
        p.log.Query(wParam, lParam, answer);
        if (handled) UpdateTitle(p);
        return answer;
    }
    case WM_COPYDATA: {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!copy || !copy->lpData || (copy->dwData != appendAnsiPath && copy->dwData != appendWidePath))
            return FALSE;
        const std::wstring path = CopiedPath(*copy);
        Spend(p.options.appendCostMs);
        p.log.Copied(copy->dwData, Utf8FromWide(path));
        Track track = AppendedTrack(path);
        if (!p.texts.Add(track)) {
            p.log.Note("no memory left for the playlist's texts");
            return FALSE;
        }
        p.playback.Append(std::move(track));
        return TRUE;
    }
    case WM_COMMAND:
        p.playback.Command(LOWORD(wParam), GetTickCount());
        p.playback.Update(GetTickCount());
        UpdateTitle(p);
        return 0;
    case WM_TIMER:
        if (wParam == clockTimer) {
            p.playback.Update(GetTickCount());
            UpdateTitle(p);
        } else if (wParam == hangTimer) {
            Hang(p);
        } else if (wParam == exitTimer) {
            p.log.Note("exiting");
            DestroyWindow(window);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int RunPlayerWindow(const Options& options, std::vector<Track> tracks, CommandLog& log, uint32_t startTick) {
    if (options.showWindowAfter) {
        const uint32_t elapsed = GetTickCount() - startTick;
        if (elapsed < options.showWindowAfter) Sleep(options.showWindowAfter - elapsed);
    }

    // Built in place: the texts' memory stays where it is.
    const Placement placement = options.titlesHigh ? Placement::High : Placement::Anywhere;
    auto state = std::unique_ptr<Player>(new Player{options, log, Playback(std::move(tracks), GetTickCount()),
                                                    PlaylistTexts(placement, options.sharedTitleBuffer), startTick,
                                                    nullptr, std::wstring()});
    for (const Track& track : state->playback.tracks()) {
        if (!state->texts.Add(track)) {
            log.Note("no memory for the playlist's texts");
            PrintError(std::string("standin-player: no memory for the playlist's texts") +
                       (options.titlesHigh ? " at high addresses (--titles-high)\n" : "\n"));
            return 2;
        }
    }
    if (options.titlesHigh) log.Note("titles at " + Hex(state->texts.Where()));
    state->playback.SetState(static_cast<State>(options.initialState), GetTickCount());
    state->playback.SetAutoAdvance(options.autoAdvance);
    player = state.get();

    // A Unicode window: its title keeps any character; narrow callers of WM_GETTEXT get it converted.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass)) {
        log.Note("cannot register the window class");
        return 1;
    }
    const std::wstring title =
        WideFromUtf8(options.pinnedTitle ? options.title : state->playback.WindowTitle(options.stateInTitle));
    state->shownTitle = title;
    // The player's own size: a small, plain top-level window.
    state->window = CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    275, 116, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!state->window) {
        log.Note("cannot create the window");
        return 1;
    }
    log.Note("window created");
    ShowWindow(state->window, SW_SHOWNORMAL);

    SetTimer(state->window, clockTimer, clockPeriod, nullptr);
    if (options.hangAfter != never) SetTimer(state->window, hangTimer, Remaining(*state, options.hangAfter), nullptr);
    if (options.exitAfter != never) SetTimer(state->window, exitTimer, Remaining(*state, options.exitAfter), nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    log.Note("window closed");
    player = nullptr;
    return 0;
}

}  // namespace standin
