// The module's only door to the operating system. One implementation per binary, chosen at link time:
// os_win32.cpp in the DLL, tests/support/fake_os.cpp in native tests. Nothing else in src/ includes
// <windows.h>. Names follow the Win32 calls they stand for; signatures are narrowed to what the module uses.
#pragma once

#include <cstdarg>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define OSAPI __stdcall
#else
#define OSAPI
#endif

namespace os {

using Handle = void*;  // kernel object or console handle; nullptr = none
using Window = void*;  // top-level window; nullptr = none

constexpr uint32_t Infinite = 0xFFFFFFFFu;
constexpr uint32_t WaitObject0 = 0;
constexpr uint32_t WaitTimeout = 258;
constexpr uint32_t WaitFailed = 0xFFFFFFFFu;

// ---- console ---------------------------------------------------------------------------------------------

constexpr int StdInputHandle = -10;
constexpr int StdOutputHandle = -11;

// Input record, as the console delivers it, without the Win32 union.
constexpr uint16_t KeyEventType = 1;
constexpr uint16_t MouseEventType = 2;
constexpr uint16_t WindowBufferSizeEventType = 4;
constexpr uint16_t MenuEventType = 8;
constexpr uint16_t FocusEventType = 16;

// controlKeyState bits
constexpr uint32_t RightAltPressed = 0x0001;
constexpr uint32_t LeftAltPressed = 0x0002;
constexpr uint32_t RightCtrlPressed = 0x0004;
constexpr uint32_t LeftCtrlPressed = 0x0008;
constexpr uint32_t ShiftPressed = 0x0010;
constexpr uint32_t EnhancedKey = 0x0100;

// mouse buttonState and eventFlags bits
constexpr uint32_t LeftButtonPressed = 0x0001;
constexpr uint32_t MouseMoved = 0x0001;
constexpr uint32_t DoubleClick = 0x0002;

struct KeyEvent {
    bool keyDown;
    uint16_t repeatCount;
    uint16_t virtualKey;
    uint16_t scanCode;
    char character;
    uint32_t controlKeyState;
};

struct MouseEvent {
    int16_t x;
    int16_t y;
    uint32_t buttonState;
    uint32_t controlKeyState;
    uint32_t eventFlags;
};

struct InputRecord {
    uint16_t eventType;
    KeyEvent key;      // valid for KeyEventType
    MouseEvent mouse;  // valid for MouseEventType
    bool focusSet;     // valid for FocusEventType
};

struct CursorInfo {
    uint32_t size;
    bool visible;
};

Handle GetStdHandle(int which);
bool GetConsoleMode(Handle console, uint32_t* mode);
bool SetConsoleMode(Handle console, uint32_t mode);
bool GetConsoleCursorInfo(Handle output, CursorInfo* info);
bool SetConsoleCursorInfo(Handle output, const CursorInfo& info);
// dwSize of the screen buffer, each 16-bit half sign-extended.
bool GetConsoleBufferSize(Handle output, int32_t* width, int32_t* height);
// Reads exactly one record; false when the read fails.
bool ReadConsoleInput(Handle input, InputRecord* record);
// Up to capacity records from the front of the queue, left in it; how many in *count. False when it fails.
bool PeekConsoleInput(Handle input, InputRecord* records, uint32_t capacity, uint32_t* count);
bool FlushConsoleInputBuffer(Handle input);
// One cell per call, as the shadow reads them.
bool ReadConsoleOutputCharacter(Handle output, int32_t x, int32_t y, char* character);
bool ReadConsoleOutputCharacter(Handle output, int32_t x, int32_t y, wchar_t* character);  // UTF-16
bool ReadConsoleOutputAttribute(Handle output, int32_t x, int32_t y, uint16_t* attribute);

// ---- kernel ----------------------------------------------------------------------------------------------

using ThreadProc = uint32_t(OSAPI*)(void* parameter);

Handle CreateEvent(bool manualReset, bool initiallySignalled);  // unnamed; nullptr on failure
bool SetEvent(Handle event);
bool ResetEvent(Handle event);
Handle CreateThread(ThreadProc proc, void* parameter, uint32_t stackSize);  // nullptr on failure
uint32_t WaitForSingleObject(Handle object, uint32_t milliseconds);
// Returns WaitObject0 + index of the first signalled handle (lowest index wins), WaitTimeout or WaitFailed.
uint32_t WaitForAnyObject(uint32_t count, const Handle* objects, uint32_t milliseconds);
void CloseHandle(Handle object);
uint32_t GetTickCount();
void Sleep(uint32_t milliseconds);

// A critical section in caller-owned storage (no allocation); large enough for every implementation.
struct CriticalSection {
    alignas(16) unsigned char storage[64];
};
void InitializeCriticalSection(CriticalSection& section);
void EnterCriticalSection(CriticalSection& section);
void LeaveCriticalSection(CriticalSection& section);
void DeleteCriticalSection(CriticalSection& section);

// A lock that needs neither set-up nor clean-up (all zero is unlocked), for module-level records that threads
// come and go around; exclusive only, never taken twice by one thread, never held across a wait of its owner's.
struct SlimLock {
    alignas(void*) unsigned char storage[sizeof(void*)] = {};
};
void AcquireSlimLock(SlimLock& lock);
void ReleaseSlimLock(SlimLock& lock);

// Keeps the module loaded for a thread that may outlive the host's last call into it; the thread ends with
// EndThreadReleasingModule. False when it could not be held (then start no such thread).
bool HoldModule();
// Lets the module go and ends the calling thread (on Windows it does not return; the fake returns at once,
// and the thread returns right after).
void EndThreadReleasingModule();
// Lets go of a hold that no thread took after all.
void ReleaseModule();

// CreateProcessA with no program name, the command line as given, no inheritance, no flags, the caller's
// environment and directory and a start-up record that is zero but for its size. The process and thread
// handles are closed at once. True when the process was created.
bool CreateProcess(char* commandLine);

// ---- registry --------------------------------------------------------------------------------------------

using RegistryKey = void*;
// HKEY_CURRENT_USER\path, created when missing, access KEY_WRITE.
bool RegCreateKeyForWrite(const char* path, RegistryKey* key);
// HKEY_CURRENT_USER\path, access KEY_QUERY_VALUE.
bool RegOpenKeyForQuery(const char* path, RegistryKey* key);
bool RegSetDwordValue(RegistryKey key, const char* name, uint32_t value);
// RegQueryValueExA: size in = capacity, out = the stored length as the registry reports it; *type (when
// given) the value's registry type.
constexpr uint32_t RegSz = 1, RegExpandSz = 2, RegBinary = 3, RegDword = 4, RegMultiSz = 7;
bool RegQueryValue(RegistryKey key, const char* name, void* buffer, uint32_t* size, uint32_t* type = nullptr);
void RegCloseKey(RegistryKey key);
// RegQueryValueA on HKEY_CLASSES_ROOT: the default value of subKey. size in = capacity, out = length.
bool RegQueryClassesRootDefault(const char* subKey, char* buffer, int32_t* size);

// ---- windows and input -----------------------------------------------------------------------------------

constexpr uint32_t WmGetText = 13;
constexpr uint32_t WmClose = 16;
constexpr uint32_t WmCopyData = 74;
constexpr uint32_t WmCommand = 273;
constexpr uint32_t WmUser = 1024;
constexpr uint32_t SmtoAbortIfHung = 2;

Window FindWindow(const char* className);  // no window name
// Every send is bounded: a player that hangs must never hold up the thread that sends.
// False when the send failed or timed out; *result is set only on success.
bool SendMessageTimeout(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                        uint32_t milliseconds, intptr_t* result);
// Queues the message for the window and returns at once; false when it could not be queued.
bool PostMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// WM_COPYDATA carrying size bytes of data under the number dataKind, sent as SendMessageTimeout sends.
bool SendCopyData(Window window, uintptr_t dataKind, const void* data, uint32_t size, uint32_t flags,
                  uint32_t milliseconds, intptr_t* result);
// The process that owns the window, opened for reading its memory (PROCESS_VM_READ); nullptr when it cannot.
Handle OpenWindowProcessForReading(Window window);
// ReadProcessMemory: true only when all size bytes at address were read.
bool ReadProcessMemory(Handle process, uintptr_t address, void* buffer, uint32_t size);
// The width of the process that owns the window: 32 or 64, or 0 when the system cannot tell.
int WindowProcessBits(Window window);
Window GetForegroundWindow();
void SetForegroundWindow(Window window);
void MessageBeep(uint32_t type);
void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags);

// ---- multimedia and text ---------------------------------------------------------------------------------

// waveOutGetVolume on the wave mapper; true on success.
bool WaveOutGetVolume(uint32_t* volume);
// CharToOemBuffA: count bytes from the ANSI to the OEM code page.
void CharToOemBuff(const char* source, char* destination, uint32_t count);
// OemToCharBuffA: count bytes from the OEM to the ANSI code page.
void OemToCharBuff(const char* source, char* destination, uint32_t count);

// ---- UTF-16 text (the wide build) --------------------------------------------------------------------------

// SendMessageTimeoutW: the same bounded send, with the text of WM_GETTEXT as UTF-16.
bool SendMessageTimeoutW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                         uint32_t milliseconds, intptr_t* result);
// length UTF-16 units into the ANSI code page, at most capacity bytes, no terminator added: the bytes written,
// 0 when they do not fit. *exact is false when a character had to be replaced (no best fit is taken).
int WideToAnsi(const wchar_t* text, int length, char* buffer, int capacity, bool* exact);
// length ANSI bytes into UTF-16, at most capacity units, no terminator added: the units written, 0 when they
// do not fit.
int AnsiToWide(const char* text, int length, wchar_t* buffer, int capacity);
// count UTF-16 units to lower case as the system folds them, in place.
void LowerCaseText(wchar_t* text, uint32_t count);
// wvsprintfA: numbers and ASCII into buffer, which must hold the longest text the format makes (at most 1024
// bytes); the bytes written.
int FormatAscii(char* buffer, const char* format, va_list arguments);

// ---- ownership -------------------------------------------------------------------------------------------

// Closes its handle when it goes out of scope.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

// Holds a slim lock for one scope.
class SlimLockGuard {
public:
    explicit SlimLockGuard(SlimLock& lock) : lock_(lock) { AcquireSlimLock(lock_); }
    SlimLockGuard(const SlimLockGuard&) = delete;
    SlimLockGuard& operator=(const SlimLockGuard&) = delete;
    ~SlimLockGuard() { ReleaseSlimLock(lock_); }

private:
    SlimLock& lock_;
};

// Holds a critical section for one scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& section) : section_(section) { EnterCriticalSection(section_); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
    ~CriticalSectionLock() { LeaveCriticalSection(section_); }

private:
    CriticalSection& section_;
};

}  // namespace os
