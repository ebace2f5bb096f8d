#include "console.h"

#include <algorithm>

namespace host {

namespace {

constexpr UINT OemCodePage = 437;  // the module's frames, digits and glyphs are code page 437 bytes
constexpr DWORD HostInputMode = ENABLE_EXTENDED_FLAGS | ENABLE_MOUSE_INPUT | ENABLE_WINDOW_INPUT;

// ReadConsoleOutput and WriteConsoleOutput refuse large blocks on some systems: work in slices of rows.
constexpr int MaxCellsPerCall = 8000;

int RowsPerCall(int width) { return std::max(1, MaxCellsPerCall / std::max(width, 1)); }

bool ReadBlock(HANDLE output, int width, int top, int rows, CHAR_INFO* cells) {
    SMALL_RECT region{0, static_cast<SHORT>(top), static_cast<SHORT>(width - 1), static_cast<SHORT>(top + rows - 1)};
    return ReadConsoleOutputA(output, cells, COORD{static_cast<SHORT>(width), static_cast<SHORT>(rows)}, COORD{0, 0},
                              &region) != 0;
}

void WriteBlock(HANDLE output, const Rect& rect, const CHAR_INFO* cells) {
    SMALL_RECT region{static_cast<SHORT>(rect.left), static_cast<SHORT>(rect.top), static_cast<SHORT>(rect.right),
                      static_cast<SHORT>(rect.bottom)};
    WriteConsoleOutputA(output, cells, COORD{static_cast<SHORT>(rect.Width()), static_cast<SHORT>(rect.Height())},
                        COORD{0, 0}, &region);
}

// Unicode for each byte of the OEM code page, its glyphs for the control range included (the arrows and the
// sun of the panel): written as bytes, those would reach a terminal as control characters, not as glyphs.
const WCHAR* OemGlyphs() {
    static WCHAR glyphs[256];
    static const bool made = [] {
        char bytes[256];
        for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
        return MultiByteToWideChar(OemCodePage, MB_USEGLYPHCHARS, bytes, 256, glyphs, 256) == 256;
    }();
    (void)made;
    return glyphs;
}

void WriteGlyphBlock(HANDLE output, const Rect& rect, const CHAR_INFO* cells) {
    SMALL_RECT region{static_cast<SHORT>(rect.left), static_cast<SHORT>(rect.top), static_cast<SHORT>(rect.right),
                      static_cast<SHORT>(rect.bottom)};
    WriteConsoleOutputW(output, cells, COORD{static_cast<SHORT>(rect.Width()), static_cast<SHORT>(rect.Height())},
                        COORD{0, 0}, &region);
}

}  // namespace

// What Open found, put back by Close.
struct Console::SavedState {
    bool allocated = false;  // the console was made by Open
    HANDLE stdInput = nullptr;
    HANDLE stdOutput = nullptr;
    HANDLE stdError = nullptr;
    CONSOLE_SCREEN_BUFFER_INFO buffer{};
    CONSOLE_CURSOR_INFO cursor{};
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    bool inputModeKnown = false;
    bool outputModeKnown = false;
    UINT inputCodePage = 0;
    UINT outputCodePage = 0;
    std::vector<CHAR_INFO> contents;  // the whole buffer, when it could be read
    std::string title;
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

    auto openConsole = [this] {
        input_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        output_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
        return input_ != INVALID_HANDLE_VALUE && output_ != INVALID_HANDLE_VALUE;
    };
    auto closeHandles = [this] {
        if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
        if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
        input_ = output_ = INVALID_HANDLE_VALUE;
    };
    if (!openConsole()) {
        closeHandles();
        if (!AllocConsole() || !openConsole()) {
            closeHandles();
            if (error) *error = "no console could be opened (error " + std::to_string(GetLastError()) + ")";
            return false;
        }
        state->allocated = true;
    }
    if (!GetConsoleScreenBufferInfo(output_, &state->buffer)) {
        if (error) *error = "the console's screen buffer cannot be read (error " + std::to_string(GetLastError()) + ")";
        closeHandles();
        if (state->allocated) FreeConsole();
        return false;
    }
    GetConsoleCursorInfo(output_, &state->cursor);
    state->inputModeKnown = GetConsoleMode(input_, &state->inputMode) != 0;
    state->outputModeKnown = GetConsoleMode(output_, &state->outputMode) != 0;
    char title[1024] = "";
    GetConsoleTitleA(title, sizeof title);
    state->title = title;
    state->inputCodePage = GetConsoleCP();
    state->outputCodePage = GetConsoleOutputCP();
    const int oldWidth = state->buffer.dwSize.X;
    const int oldHeight = state->buffer.dwSize.Y;
    state->contents.resize(static_cast<size_t>(oldWidth) * oldHeight);
    for (int top = 0; top < oldHeight; top += RowsPerCall(oldWidth)) {
        const int rows = std::min(RowsPerCall(oldWidth), oldHeight - top);
        if (!ReadBlock(output_, oldWidth, top, rows, &state->contents[static_cast<size_t>(top) * oldWidth])) {
            state->contents.clear();
            break;
        }
    }

    SetStdHandle(STD_INPUT_HANDLE, input_);
    SetStdHandle(STD_OUTPUT_HANDLE, output_);
    saved_ = std::move(state);

    // The screen buffer becomes as large as the window, so that centring on the buffer centres where
    // a person looks.
    const SMALL_RECT window = saved_->buffer.srWindow;
    const SHORT windowWidth = static_cast<SHORT>(window.Right - window.Left + 1);
    const SHORT windowHeight = static_cast<SHORT>(window.Bottom - window.Top + 1);
    if (windowWidth != oldWidth || windowHeight != oldHeight) {
        SMALL_RECT origin{0, 0, static_cast<SHORT>(windowWidth - 1), static_cast<SHORT>(windowHeight - 1)};
        SetConsoleWindowInfo(output_, TRUE, &origin);
        SetConsoleScreenBufferSize(output_, COORD{windowWidth, windowHeight});
    }
    SetConsoleCP(OemCodePage);
    SetConsoleOutputCP(OemCodePage);
    SetConsoleMode(input_, HostInputMode);
    ShowCursor(false);

    CONSOLE_SCREEN_BUFFER_INFO now{};
    GetConsoleScreenBufferInfo(output_, &now);
    Drawing drawing(*this);
    screen_.Resize(now.dwSize.X, now.dwSize.Y);
    screen_.Adopt(ReadScreen(now.dwSize.X, now.dwSize.Y));
    return true;
}

std::vector<Cell> Console::ReadScreen(int width, int height) {
    std::vector<CHAR_INFO> native(static_cast<size_t>(width) * height);
    for (int top = 0; top < height; top += RowsPerCall(width)) {
        const int rows = std::min(RowsPerCall(width), height - top);
        if (!ReadBlock(output_, width, top, rows, &native[static_cast<size_t>(top) * width])) return {};
    }
    std::vector<Cell> cells(native.size());
    for (size_t i = 0; i < native.size(); ++i)
        cells[i] = Cell{native[i].Char.AsciiChar, static_cast<uint8_t>(native[i].Attributes)};
    return cells;
}

void Console::Close() {
    if (!saved_) return;
    {
        Drawing drawing(*this);
        for (SavedArea* area : savedAreas_) delete area;
        savedAreas_.clear();
    }
    const SavedState& state = *saved_;
    const COORD size = state.buffer.dwSize;
    // The window must fit the buffer at every step: narrow it to what both sizes allow, size the buffer,
    // then give the window back its old place. Then the old contents go back where they were.
    CONSOLE_SCREEN_BUFFER_INFO now{};
    if (GetConsoleScreenBufferInfo(output_, &now)) {
        const SHORT width = std::min<SHORT>(now.srWindow.Right - now.srWindow.Left + 1, size.X);
        const SHORT height = std::min<SHORT>(now.srWindow.Bottom - now.srWindow.Top + 1, size.Y);
        SMALL_RECT fits{0, 0, static_cast<SHORT>(width - 1), static_cast<SHORT>(height - 1)};
        SetConsoleWindowInfo(output_, TRUE, &fits);
    }
    SetConsoleScreenBufferSize(output_, size);
    SetConsoleWindowInfo(output_, TRUE, &state.buffer.srWindow);
    if (!state.contents.empty()) {
        for (int top = 0; top < size.Y; top += RowsPerCall(size.X)) {
            const int rows = std::min(RowsPerCall(size.X), size.Y - top);
            WriteBlock(output_, Rect{0, top, size.X - 1, top + rows - 1},
                       &state.contents[static_cast<size_t>(top) * size.X]);
        }
    }
    SetConsoleTextAttribute(output_, state.buffer.wAttributes);
    SetConsoleCursorPosition(output_, state.buffer.dwCursorPosition);
    if (state.cursor.dwSize != 0) SetConsoleCursorInfo(output_, &state.cursor);
    if (state.inputModeKnown) SetConsoleMode(input_, state.inputMode);
    if (state.outputModeKnown) SetConsoleMode(output_, state.outputMode);
    SetConsoleTitleA(state.title.c_str());
    if (state.inputCodePage) SetConsoleCP(state.inputCodePage);
    if (state.outputCodePage) SetConsoleOutputCP(state.outputCodePage);
    // Wine's FreeConsole closes whatever the standard handles are: none of ours, none of the originals.
    SetStdHandle(STD_INPUT_HANDLE, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    CloseHandle(input_);
    CloseHandle(output_);
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

void Console::PutText(int x, int y, uint8_t attribute, const char* text) {
    Drawing drawing(*this);
    screen_.PutText(x, y, attribute, text);
}

void Console::Flush() {
    Drawing drawing(*this);
    FlushLocked();
}

void Console::FlushLocked() {
    std::vector<CHAR_INFO> cells;
    for (const Rect& rect : screen_.TakeChanges()) {
        cells.resize(static_cast<size_t>(rect.Width()) * rect.Height());
        size_t i = 0;
        for (int y = rect.top; y <= rect.bottom; ++y)
            for (int x = rect.left; x <= rect.right; ++x, ++i) {
                const Cell& cell = screen_.At(x, y);
                cells[i].Char.UnicodeChar = OemGlyphs()[static_cast<unsigned char>(cell.character)];
                cells[i].Attributes = cell.attribute;
            }
        // Large rectangles are written in slices, as the console may refuse one big block.
        const int slice = RowsPerCall(rect.Width());
        for (int top = rect.top; top <= rect.bottom; top += slice) {
            const Rect part{rect.left, top, rect.right, std::min(rect.bottom, top + slice - 1)};
            WriteGlyphBlock(output_, part, &cells[static_cast<size_t>(top - rect.top) * rect.Width()]);
        }
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

bool Console::ReadInput(INPUT_RECORD* record) {
    DWORD count = 0;
    while (true) {
        if (!ReadConsoleInputA(input_, record, 1, &count)) return false;
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

void Console::SetTitle(const std::string& title) { SetConsoleTitleA(title.c_str()); }

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
