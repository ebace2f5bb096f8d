// The console the host runs in: opening it (or making one), a screen buffer of the host's own that is
// shown while the host runs (the user's buffer, its size and scrollback are never written), putting the
// user's buffer and the console's modes back at exit or on Ctrl+C, Ctrl+Break or close, the back buffer
// that every drawing goes to, flushing it, saved screen areas, and reading input.
//
// The dialog engine and the help viewer draw and read through this class too:
//   { Console::Drawing drawing(TheConsole()); drawing.Screen().PutText(...); }   then TheConsole().Flush();
//   TheConsole().ReadInput(&record) blocks for one input event.
// Everything here may be called from any thread; drawing is serialised by one lock.
#pragma once

#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "pure/screen_buffer.h"

namespace host {

class Console {
public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Makes sure the process has a console (AllocConsole when it has none), makes a screen buffer as large
    // as the console's window and shows it, makes CONIN$ and that buffer the standard input and output (the
    // module reads its shadow's cells through the standard output), switches to code page 437 and mouse
    // input, and hides the cursor. On failure `error` says why and nothing needs undoing.
    bool Open(std::string* error);
    // Shows the user's buffer again and puts back the modes, code pages and title Open found. Called by the
    // destructor.
    void Close();

    HANDLE Input() const { return input_; }
    HANDLE Output() const { return output_; }
    int Width() const;
    int Height() const;

    // Holds the drawing lock for its lifetime and gives access to the back buffer.
    class Drawing {
    public:
        explicit Drawing(Console& console);
        ~Drawing();
        Drawing(const Drawing&) = delete;
        Drawing& operator=(const Drawing&) = delete;
        ScreenBuffer& Screen() { return console_.screen_; }

    private:
        Console& console_;
    };

    // Text into the back buffer; the attribute's bits in `keep` stay the cell's own (see ScreenBuffer).
    void PutText(int x, int y, uint8_t attribute, std::u16string_view text, uint8_t keep = 0);
    // Writes the cells that changed since the last flush to the console.
    void Flush();

    // Saved areas are owned by the console until given back; unknown or already restored handles are
    // ignored, so that a module's stale handle cannot corrupt the host.
    void* SaveArea(int x1, int y1, int x2, int y2);
    void RestoreArea(void* handle);  // back buffer, then flush
    void FreeArea(void* handle);     // forgets it without putting it back

    // Blocks until one input event arrives, its character in UTF-16; false when the console cannot be read.
    bool ReadInput(INPUT_RECORD* record);

    // Reads the console's size again (after a window-size event); true when it changed, in which case the
    // back buffer is cleared to the new size and the caller redraws everything.
    bool Remeasure();

    void ShowCursor(bool visible);
    void SetTitle(const std::string& title);  // the window's title (UTF-8); the old one comes back at Close

private:
    struct SavedState;

    void Lock();
    void Unlock();
    void FlushLocked();
    // Whether the console keeps a glyph of two UTF-16 units in one cell (Windows' own console does; some
    // keep one unit a cell, and a pair would spill into the next).
    bool KeepsPairsInOneCell();

    CRITICAL_SECTION lock_;
    HANDLE input_ = INVALID_HANDLE_VALUE;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    ScreenBuffer screen_{0, 0};
    std::set<SavedArea*> savedAreas_;
    bool pairsInOneCell_ = false;
    std::unique_ptr<SavedState> saved_;
};

// The process's one console, for the host's callbacks, the dialog engine and the help viewer.
Console& TheConsole();

}  // namespace host
