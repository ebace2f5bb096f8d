// Drives quaver-host.exe in a real console and reads back what it shows.
//
// A test program started from a pipe has no console. ConsoleSession gives it one of a fixed size, starts
// the host sharing it, and offers what a person at the console has: keys, mouse and focus events in, and
// characters, colours, the cursor and the input mode out. The test's own standard handles stay on the
// pipe, so GoogleTest's output is not mixed into the console. The host draws on a screen buffer of its own:
// what the session reads is whichever buffer the console shows, and UserBuffer() is the one it made (the
// user's, with their text and scrollback).
//
//   ConsoleSession::Options options;
//   options.arguments = {"--menu"};
//   ConsoleSession session(options);
//   ASSERT_TRUE(session.WaitForText("Open panel")) << session.Dump();
//   session.PressKey(VK_F10);
//   EXPECT_TRUE(session.WaitForExit());
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

// The folder of the running test program, with a trailing backslash; the host and module lie there.
std::string TestFolder();

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;                 // characters, code page of the console (437 under the host)
    std::vector<std::vector<uint16_t>> attributes;  // per row
    bool operator==(const Screen&) const = default;
    std::string Text() const;  // rows joined by newlines, for failure messages
};

// The buffer the console shows now, opened afresh (CONOUT$ names the shown one) and closed at the end.
class ShownBuffer {
public:
    ShownBuffer();
    ~ShownBuffer();
    ShownBuffer(const ShownBuffer&) = delete;
    ShownBuffer& operator=(const ShownBuffer&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

class ConsoleSession {
public:
    struct Options {
        std::vector<std::string> arguments;  // for quaver-host.exe
        int width = 80;
        int height = 25;
        int bufferHeight = 0;  // rows of the screen buffer when more than the window's `height`; 0: the same
        std::vector<std::pair<std::string, std::string>> environment;  // set for the host only
        std::string program = "quaver-host.exe";                      // in TestFolder(), or a full path
        bool launch = true;                                            // false: the console alone
        // The host's standard handles are the console's (as when a user starts it there), not this program's.
        bool standardHandlesOnConsole = false;
    };

    explicit ConsoleSession(Options options);
    ConsoleSession() : ConsoleSession(Options{}) {}
    ~ConsoleSession();  // ends the host if it still runs, gives the console up, keeps the pipes
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    bool Ready() const { return ready_; }       // the console exists and has the asked size
    bool Launched() const { return process_ != nullptr; }
    const std::string& Problem() const { return problem_; }
    bool Launch(const std::vector<std::string>& arguments);  // when Options::launch was false

    HANDLE Input() const { return input_; }
    HANDLE UserBuffer() const { return output_; }
    HANDLE Process() const { return process_; }

    // ---- input ----
    void WriteEvents(const INPUT_RECORD* records, size_t count);
    void KeyDown(WORD virtualKey, DWORD controlKeys = 0, char character = 0);
    void KeyUp(WORD virtualKey, DWORD controlKeys = 0, char character = 0);
    void PressKey(WORD virtualKey, DWORD controlKeys = 0, char character = 0);  // down and up
    void MouseEvent(int x, int y, DWORD buttons, DWORD flags = 0, DWORD controlKeys = 0);
    void Click(int x, int y);  // left button pressed and released at (x, y)
    void Focus(bool gained);

    // ---- output: the shown buffer ----
    std::string Text(int x, int y, int length) const;
    std::string Row(int y) const;
    // The cells as a person reads them, in UTF-8: the console's own characters, a two-cell glyph once.
    std::string Glyphs(int x, int y, int length) const;
    std::string GlyphRow(int y) const { return Glyphs(0, y, Size().X); }
    // The row (first from the top) whose glyphs hold text, or -1; and waiting for one.
    int FindGlyphRow(std::string_view text) const;
    bool WaitForGlyphs(std::string_view text, DWORD timeoutMs = 20000) const;
    std::vector<uint16_t> Attributes(int x, int y, int length) const;
    uint16_t Attribute(int x, int y) const;
    Screen Capture() const;
    std::string Dump() const;  // the screen as text, and whether the host has ended, for failure messages
    COORD Size() const;
    std::string Title() const;  // the console window's title
    DWORD InputMode() const;
    CONSOLE_CURSOR_INFO CursorInfo() const;
    Screen CaptureUserBuffer() const;  // the buffer the session made, shown or not

    // Polls until the predicate holds (true) or the time-out passes (false). Generous by default: a
    // loaded machine under Wine can take seconds to start a program.
    bool WaitFor(const std::function<bool()>& predicate, DWORD timeoutMs = 20000) const;
    // Both give up early when the host has ended.
    bool WaitForText(std::string_view text, DWORD timeoutMs = 20000) const;          // anywhere
    bool WaitForRowText(int y, std::string_view text, DWORD timeoutMs = 20000) const;  // in row y
    bool WaitForTitle(std::string_view text, DWORD timeoutMs = 20000) const;  // title contains text
    // The row (first from the top) containing text, or -1.
    int FindRow(std::string_view text) const;

    bool HostEnded() const;
    // Waits for the host to end; its exit code goes to *exitCode.
    bool WaitForExit(DWORD timeoutMs = 20000, DWORD* exitCode = nullptr);

private:
    bool MakeConsole(int width, int height, int bufferHeight);

    Options options_;
    bool ready_ = false;
    std::string problem_;
    HANDLE savedInput_ = nullptr;
    HANDLE savedOutput_ = nullptr;
    HANDLE savedError_ = nullptr;
    bool hadConsole_ = false;
    HANDLE input_ = INVALID_HANDLE_VALUE;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    HANDLE process_ = nullptr;
};

// The module the programs drive through quaver-host.exe: the classic quaver.dll beside them, or, when the
// environment variable QUAVER_E2E_MODULE is "wide", the wide module in wide\ beside them. The host is started with
// --module for it unless the test names a module of its own.
bool WideModuleRun();
std::string WideModulePath();
// The arguments for quaver-host.exe with the run's module added where the test names none.
std::vector<std::string> WithRunModule(std::vector<std::string> arguments);

// The host's registry root is fixed; tests that touch the module's settings start and end with none. The classic
// module keeps 32-bit values under ModuleSettingsKey; the wide one 64-bit numbers in the host's settings store,
// under its GUID (ModuleStoreKey).
constexpr char ModuleSettingsKey[] = "Software\\Quaver Host\\Plugins\\QuaverRemoteControl";
std::string ModuleStoreKey();
void ClearModuleSettings();
// Stores one of the module's number settings where the run's module will read it; false when it could not.
bool SetModuleSetting(const char* name, DWORD value);
// Reads one back, in the form the run's module writes it; false when it is not there in that form.
bool ReadModuleSetting(const char* name, DWORD* value);
// How many values the run's module has stored.
int ModuleSettingsStored();

class ScopedModuleSettings {
public:
    ScopedModuleSettings() { ClearModuleSettings(); }
    ~ScopedModuleSettings() { ClearModuleSettings(); }
    ScopedModuleSettings(const ScopedModuleSettings&) = delete;
    ScopedModuleSettings& operator=(const ScopedModuleSettings&) = delete;
};

}  // namespace e2e
