#include "console.h"

#include <algorithm>

#include "pure/text.h"

namespace host {

namespace {

// The code page of the console's narrow calls: a classic module's text is code page 437, its frames, digits
// and glyphs included, and it reads back what it wrote through those calls.
constexpr UINT OemCodePage = 437;
constexpr DWORD HostInputMode = ENABLE_EXTENDED_FLAGS | ENABLE_MOUSE_INPUT | ENABLE_WINDOW_INPUT;

// WriteConsoleOutput refuses large blocks on some systems: work in slices of rows.
constexpr int MaxCellsPerCall = 8000;

int RowsPerCall(int width) { return std::max(1, MaxCellsPerCall / std::max(width, 1)); }

constexpr WCHAR replacementCharacter = 0xFFFD;

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The one UTF-16 unit a console cell record can hold for a glyph: itself, its marks composed into it where
// the character set has such a character, else its base; a pair has none.
WCHAR OneUnit(std::u16string_view glyph) {
    if (glyph.empty()) return L' ';
    if (IsHighSurrogate(glyph[0])) return replacementCharacter;
    if (glyph.size() == 1) return glyph[0];
    WCHAR composed[8];
    const int length = FoldStringW(MAP_PRECOMPOSED, reinterpret_cast<const WCHAR*>(glyph.data()),
                                   static_cast<int>(glyph.size()), composed, 8);
    return length == 1 ? composed[0] : glyph[0];
}

void WriteGlyphBlock(HANDLE output, const Rect& rect, const CHAR_INFO* cells) {
    SMALL_RECT region{static_cast<SHORT>(rect.left), static_cast<SHORT>(rect.top), static_cast<SHORT>(rect.right),
                      static_cast<SHORT>(rect.bottom)};
    WriteConsoleOutputW(output, cells, COORD{static_cast<SHORT>(rect.Width()), static_cast<SHORT>(rect.Height())},
                        COORD{0, 0}, &region);
}

// What the user's console needs back, for Close and for the control handler's thread alike: plain values
// written before the handler is installed, given back once under one lock. The process has one console,
// so there is one of these.
struct UserConsole {
    bool pending = false;  // Open has changed the console and nothing has given it back yet
    HANDLE input = nullptr;
    HANDLE output = nullptr;  // the buffer the user had on the screen
    bool inputModeKnown = false;
    DWORD inputMode = 0;
    UINT inputCodePage = 0;
    UINT outputCodePage = 0;
    WCHAR title[1024] = L"";
};

SRWLOCK userConsoleLock = SRWLOCK_INIT;
UserConsole userConsole;

void GiveBackUserConsole() {
    AcquireSRWLockExclusive(&userConsoleLock);
    if (userConsole.pending) {
        const UserConsole& user = userConsole;
        SetConsoleActiveScreenBuffer(user.output);
        if (user.inputModeKnown) SetConsoleMode(user.input, user.inputMode);
        if (user.inputCodePage) SetConsoleCP(user.inputCodePage);
        if (user.outputCodePage) SetConsoleOutputCP(user.outputCodePage);
        SetConsoleTitleW(user.title);
        userConsole.pending = false;
    }
    ReleaseSRWLockExclusive(&userConsoleLock);
}

// Runs on a thread of its own when Ctrl+C, Ctrl+Break or the window's close ends the process: the user
// gets their console back first, then the process ends as it would have.
BOOL WINAPI OnConsoleSignal(DWORD /*event*/) {
    GiveBackUserConsole();
    return FALSE;
}

// The buffer the host draws on takes the size of the console's window, so that centring on the buffer
// centres where a person looks. The window must fit the buffer at every step.
void FitToWindow(HANDLE buffer, SHORT width, SHORT height) {
    SMALL_RECT tiny{0, 0, 0, 0};
    SetConsoleWindowInfo(buffer, TRUE, &tiny);
    SetConsoleScreenBufferSize(buffer, COORD{width, height});
    SMALL_RECT window{0, 0, static_cast<SHORT>(width - 1), static_cast<SHORT>(height - 1)};
    SetConsoleWindowInfo(buffer, TRUE, &window);
}

}  // namespace

// What Open found beside the user's console, put back by Close.
struct Console::SavedState {
    bool allocated = false;  // the console was made by Open
    HANDLE stdInput = nullptr;
    HANDLE stdOutput = nullptr;
    HANDLE stdError = nullptr;
    HANDLE userOutput = INVALID_HANDLE_VALUE;  // the user's buffer, shown again at Close
};

Console::Console() { InitializeCriticalSection(&lock_); }

Console::~Console() {
    Close();
    DeleteCriticalSection(&lock_);
}

void Console::Lock() { EnterCriticalSection(&lock_); }
void Console::Unlock() { LeaveCriticalSection(&lock_); }

Console::Drawing::Drawing(Console& console) : console_(console) { console_.Lock(); }
Console::Drawing::~Drawing() { console_.Unlock(); }

bool Console::Open(std::string* error) {
    auto state = std::make_unique<SavedState>();
    state->stdInput = GetStdHandle(STD_INPUT_HANDLE);
    state->stdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    state->stdError = GetStdHandle(STD_ERROR_HANDLE);

    HANDLE& user = state->userOutput;
    auto openConsole = [this, &user] {
        input_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        user = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
        return input_ != INVALID_HANDLE_VALUE && user != INVALID_HANDLE_VALUE;
    };
    auto closeHandles = [this, &user] {
        for (HANDLE* handle : {&input_, &output_, &user})
            if (*handle != INVALID_HANDLE_VALUE) CloseHandle(*handle);
        input_ = output_ = user = INVALID_HANDLE_VALUE;
    };
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
        closeHandles();
        if (state->allocated) FreeConsole();
        return false;
    };
    if (!openConsole()) {
        closeHandles();
        if (!AllocConsole()) return fail("no console could be opened");
        state->allocated = true;
        if (!openConsole()) return fail("no console could be opened");
    }
    CONSOLE_SCREEN_BUFFER_INFO found{};
    if (!GetConsoleScreenBufferInfo(user, &found)) return fail("the console's screen buffer cannot be read");
    output_ = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (output_ == INVALID_HANDLE_VALUE) return fail("the host's screen buffer cannot be made");
    FitToWindow(output_, static_cast<SHORT>(found.srWindow.Right - found.srWindow.Left + 1),
                static_cast<SHORT>(found.srWindow.Bottom - found.srWindow.Top + 1));

    AcquireSRWLockExclusive(&userConsoleLock);
    userConsole.input = input_;
    userConsole.output = user;
    userConsole.inputModeKnown = GetConsoleMode(input_, &userConsole.inputMode) != 0;
    userConsole.inputCodePage = GetConsoleCP();
    userConsole.outputCodePage = GetConsoleOutputCP();
    GetConsoleTitleW(userConsole.title, sizeof userConsole.title / sizeof userConsole.title[0]);
    userConsole.pending = true;
    ReleaseSRWLockExclusive(&userConsoleLock);
    SetConsoleCtrlHandler(OnConsoleSignal, TRUE);

    SetStdHandle(STD_INPUT_HANDLE, input_);
    SetStdHandle(STD_OUTPUT_HANDLE, output_);
    saved_ = std::move(state);

    SetConsoleCP(OemCodePage);
    SetConsoleOutputCP(OemCodePage);
    SetConsoleMode(input_, HostInputMode);
    pairsInOneCell_ = KeepsPairsInOneCell();
    ShowCursor(false);
    SetConsoleActiveScreenBuffer(output_);

    CONSOLE_SCREEN_BUFFER_INFO now{};
    GetConsoleScreenBufferInfo(output_, &now);
    Drawing drawing(*this);
    screen_.Resize(now.dwSize.X, now.dwSize.Y);  // nothing shown yet: the first flush writes every cell
    return true;
}

void Console::Close() {
    if (!saved_) return;
    {
        Drawing drawing(*this);
        for (SavedArea* area : savedAreas_) delete area;
        savedAreas_.clear();
    }
    GiveBackUserConsole();
    SetConsoleCtrlHandler(OnConsoleSignal, FALSE);
    const SavedState& state = *saved_;
    // Wine's FreeConsole closes whatever the standard handles are: none of ours, none of the originals.
    SetStdHandle(STD_INPUT_HANDLE, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    CloseHandle(input_);
    CloseHandle(output_);
    CloseHandle(state.userOutput);
    input_ = output_ = INVALID_HANDLE_VALUE;
    if (state.allocated) {
        SetStdHandle(STD_ERROR_HANDLE, nullptr);
        FreeConsole();
    }
    SetStdHandle(STD_INPUT_HANDLE, state.stdInput);
    SetStdHandle(STD_OUTPUT_HANDLE, state.stdOutput);
    SetStdHandle(STD_ERROR_HANDLE, state.stdError);
    saved_.reset();
}

int Console::Width() const { return screen_.Width(); }
int Console::Height() const { return screen_.Height(); }

void Console::PutText(int x, int y, uint8_t attribute, std::u16string_view text, uint8_t keep) {
    Drawing drawing(*this);
    screen_.PutText(x, y, attribute, text, keep);
}

bool Console::KeepsPairsInOneCell() {
    // Asked of the host's own buffer before it is shown: a pair and a mark after it, read back.
    const WCHAR probe[] = {0xD834, 0xDD1E, L'x'};
    DWORD done = 0;
    WriteConsoleOutputCharacterW(output_, probe, 3, COORD{0, 0}, &done);
    WCHAR second = 0;
    ReadConsoleOutputCharacterW(output_, &second, 1, COORD{1, 0}, &done);
    FillConsoleOutputCharacterW(output_, L' ', 3, COORD{0, 0}, &done);
    return second == L'x';
}

void Console::Flush() {
    Drawing drawing(*this);
    FlushLocked();
}

void Console::FlushLocked() {
    std::vector<CHAR_INFO> cells;
    // Glyphs a cell record cannot hold, written whole afterwards where the console keeps them in one cell.
    struct WholeGlyph {
        COORD at;
        std::u16string_view glyph;
    };
    std::vector<WholeGlyph> whole;
    for (const Rect& rect : screen_.TakeChanges()) {
        cells.resize(static_cast<size_t>(rect.Width()) * rect.Height());
        size_t i = 0;
        for (int y = rect.top; y <= rect.bottom; ++y)
            for (int x = rect.left; x <= rect.right; ++x, ++i) {
                const Cell& cell = screen_.At(x, y);
                // A glyph of two cells is its character twice, marked as its leading and trailing half.
                const bool rightHalf = cell.width == 0 && x > 0;
                const Cell& shown = rightHalf ? screen_.At(x - 1, y) : cell;
                cells[i].Char.UnicodeChar = OneUnit(shown.Glyph());
                cells[i].Attributes = static_cast<WORD>(cell.attribute | (rightHalf         ? COMMON_LVB_TRAILING_BYTE
                                                                          : cell.width == 2 ? COMMON_LVB_LEADING_BYTE
                                                                                            : 0));
                if (!rightHalf && pairsInOneCell_ && IsHighSurrogate(cell.First()))
                    whole.push_back({COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, cell.Glyph()});
            }
        // Large rectangles are written in slices, as the console may refuse one big block.
        const int slice = RowsPerCall(rect.Width());
        for (int top = rect.top; top <= rect.bottom; top += slice) {
            const Rect part{rect.left, top, rect.right, std::min(rect.bottom, top + slice - 1)};
            WriteGlyphBlock(output_, part, &cells[static_cast<size_t>(top - rect.top) * rect.Width()]);
        }
    }
    for (const WholeGlyph& glyph : whole) {
        DWORD written = 0;
        WriteConsoleOutputCharacterW(output_, reinterpret_cast<const WCHAR*>(glyph.glyph.data()),
                                     static_cast<DWORD>(glyph.glyph.size()), glyph.at, &written);
    }
}

void* Console::SaveArea(int x1, int y1, int x2, int y2) {
    Drawing drawing(*this);
    auto* area = new SavedArea(screen_.Save(x1, y1, x2, y2));
    savedAreas_.insert(area);
    return area;
}

void Console::RestoreArea(void* handle) {
    Drawing drawing(*this);
    auto found = savedAreas_.find(static_cast<SavedArea*>(handle));
    if (found == savedAreas_.end()) return;
    screen_.Restore(**found);
    delete *found;
    savedAreas_.erase(found);
    FlushLocked();
}

void Console::FreeArea(void* handle) {
    Drawing drawing(*this);
    auto found = savedAreas_.find(static_cast<SavedArea*>(handle));
    if (found == savedAreas_.end()) return;
    delete *found;
    savedAreas_.erase(found);
}

bool Console::ReadInput(INPUT_RECORD* record) {
    DWORD count = 0;
    while (true) {
        if (!ReadConsoleInputW(input_, record, 1, &count)) return false;
        if (count == 1) return true;
    }
}

bool Console::Remeasure() {
    CONSOLE_SCREEN_BUFFER_INFO now{};
    if (!GetConsoleScreenBufferInfo(output_, &now)) return false;
    Drawing drawing(*this);
    if (now.dwSize.X == screen_.Width() && now.dwSize.Y == screen_.Height()) return false;
    screen_.Resize(now.dwSize.X, now.dwSize.Y);
    return true;
}

void Console::SetTitle(const std::string& title) {
    SetConsoleTitleW(reinterpret_cast<const WCHAR*>(Utf16FromUtf8(title).c_str()));
}

void Console::ShowCursor(bool visible) {
    CONSOLE_CURSOR_INFO cursor{};
    if (!GetConsoleCursorInfo(output_, &cursor)) cursor.dwSize = 25;
    cursor.bVisible = visible ? TRUE : FALSE;
    SetConsoleCursorInfo(output_, &cursor);
}

Console& TheConsole() {
    static Console console;
    return console;
}

}  // namespace host
