// The Win32 side of the OS seam: thin, one call each, no policy.
#include "os/os.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

// <windows.h> maps these names to their A/W forms with macros; the seam's own functions carry the plain names.
#undef CreateEvent
#undef CreateProcess
#undef FindWindow
#undef SendMessage
#undef SendMessageTimeout
#undef PostMessage
#undef ReadConsoleInput
#undef PeekConsoleInput
#undef ReadConsoleOutputCharacter
#undef RegQueryValue
#undef CharToOemBuff
#undef OemToCharBuff

namespace os {

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(CriticalSection::storage));
static_assert(sizeof(SRWLOCK) == sizeof(SlimLock::storage) && alignof(SRWLOCK) <= alignof(SlimLock));

namespace {
CRITICAL_SECTION* AsNative(CriticalSection& section) { return reinterpret_cast<CRITICAL_SECTION*>(section.storage); }
SRWLOCK* AsNative(SlimLock& lock) { return reinterpret_cast<SRWLOCK*>(lock.storage); }
HKEY AsKey(RegistryKey key) { return static_cast<HKEY>(key); }
HWND AsWindow(Window window) { return static_cast<HWND>(window); }
}  // namespace

Handle GetStdHandle(int which) {
    HANDLE handle = ::GetStdHandle(static_cast<DWORD>(which));
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool GetConsoleMode(Handle console, uint32_t* mode) {
    DWORD value = 0;
    if (!::GetConsoleMode(console, &value)) return false;
    *mode = value;
    return true;
}

bool SetConsoleMode(Handle console, uint32_t mode) { return ::SetConsoleMode(console, mode) != 0; }

bool GetConsoleCursorInfo(Handle output, CursorInfo* info) {
    CONSOLE_CURSOR_INFO native{};
    if (!::GetConsoleCursorInfo(output, &native)) return false;
    info->size = native.dwSize;
    info->visible = native.bVisible != 0;
    return true;
}

bool SetConsoleCursorInfo(Handle output, const CursorInfo& info) {
    CONSOLE_CURSOR_INFO native{info.size, info.visible ? TRUE : FALSE};
    return ::SetConsoleCursorInfo(output, &native) != 0;
}

bool GetConsoleBufferSize(Handle output, int32_t* width, int32_t* height) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(output, &info)) return false;
    *width = info.dwSize.X;
    *height = info.dwSize.Y;
    return true;
}

namespace {
InputRecord FromNative(const INPUT_RECORD& native) {
    InputRecord record{};
    record.eventType = native.EventType;
    switch (native.EventType) {
    case KEY_EVENT: {
        const KEY_EVENT_RECORD& key = native.Event.KeyEvent;
        record.key = KeyEvent{key.bKeyDown != 0, key.wRepeatCount, key.wVirtualKeyCode, key.wVirtualScanCode,
                              key.uChar.AsciiChar, key.dwControlKeyState};
        break;
    }
    case MOUSE_EVENT: {
        const MOUSE_EVENT_RECORD& mouse = native.Event.MouseEvent;
        record.mouse = MouseEvent{mouse.dwMousePosition.X, mouse.dwMousePosition.Y, mouse.dwButtonState,
                                  mouse.dwControlKeyState, mouse.dwEventFlags};
        break;
    }
    case FOCUS_EVENT:
        record.focusSet = native.Event.FocusEvent.bSetFocus != 0;
        break;
    default:
        break;
    }
    return record;
}
}  // namespace

bool ReadConsoleInput(Handle input, InputRecord* record) {
    INPUT_RECORD native{};
    DWORD count = 0;
    if (!::ReadConsoleInputA(input, &native, 1, &count) || count != 1) return false;
    *record = FromNative(native);
    return true;
}

bool PeekConsoleInput(Handle input, InputRecord* records, uint32_t capacity, uint32_t* count) {
    INPUT_RECORD native[16];
    const DWORD wanted = capacity < 16 ? capacity : 16;
    DWORD got = 0;
    if (!::PeekConsoleInputA(input, native, wanted, &got)) return false;
    for (DWORD i = 0; i < got; ++i) records[i] = FromNative(native[i]);
    *count = got;
    return true;
}

bool FlushConsoleInputBuffer(Handle input) { return ::FlushConsoleInputBuffer(input) != 0; }

bool ReadConsoleOutputCharacter(Handle output, int32_t x, int32_t y, char* character) {
    DWORD read = 0;
    COORD at{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    return ::ReadConsoleOutputCharacterA(output, character, 1, at, &read) && read == 1;
}

bool ReadConsoleOutputCharacter(Handle output, int32_t x, int32_t y, wchar_t* character) {
    DWORD read = 0;
    COORD at{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    return ::ReadConsoleOutputCharacterW(output, character, 1, at, &read) && read == 1;
}

bool ReadConsoleOutputAttribute(Handle output, int32_t x, int32_t y, uint16_t* attribute) {
    DWORD read = 0;
    WORD value = 0;
    COORD at{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    if (!::ReadConsoleOutputAttribute(output, &value, 1, at, &read) || read != 1) return false;
    *attribute = value;
    return true;
}

Handle CreateEvent(bool manualReset, bool initiallySignalled) {
    return ::CreateEventA(nullptr, manualReset, initiallySignalled, nullptr);
}

bool SetEvent(Handle event) { return ::SetEvent(event) != 0; }
bool ResetEvent(Handle event) { return ::ResetEvent(event) != 0; }

Handle CreateThread(ThreadProc proc, void* parameter, uint32_t stackSize) {
    // ThreadProc has the same calling convention and argument/result widths as LPTHREAD_START_ROUTINE.
    auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(proc));
    return ::CreateThread(nullptr, stackSize, start, parameter, 0, nullptr);
}

uint32_t WaitForSingleObject(Handle object, uint32_t milliseconds) {
    return ::WaitForSingleObject(object, milliseconds);
}

uint32_t WaitForAnyObject(uint32_t count, const Handle* objects, uint32_t milliseconds) {
    return ::WaitForMultipleObjects(count, objects, FALSE, milliseconds);
}

void CloseHandle(Handle object) {
    if (object) ::CloseHandle(object);
}

uint32_t GetTickCount() { return ::GetTickCount(); }
void Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

void InitializeCriticalSection(CriticalSection& section) { ::InitializeCriticalSection(AsNative(section)); }
void EnterCriticalSection(CriticalSection& section) { ::EnterCriticalSection(AsNative(section)); }
void LeaveCriticalSection(CriticalSection& section) { ::LeaveCriticalSection(AsNative(section)); }
void DeleteCriticalSection(CriticalSection& section) { ::DeleteCriticalSection(AsNative(section)); }

void AcquireSlimLock(SlimLock& lock) { ::AcquireSRWLockExclusive(AsNative(lock)); }
void ReleaseSlimLock(SlimLock& lock) { ::ReleaseSRWLockExclusive(AsNative(lock)); }

namespace {
// The module this code is linked into: a DLL, or the program itself when it is linked in.
HMODULE OwnModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}
}  // namespace

bool HoldModule() {
    HMODULE module = nullptr;
    return ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&OwnModule),
                                &module) != 0;
}

void EndThreadReleasingModule() { ::FreeLibraryAndExitThread(OwnModule(), 0); }

void ReleaseModule() { ::FreeLibrary(OwnModule()); }

bool CreateProcess(char* commandLine) {
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return true;
}

bool RegCreateKeyForWrite(const char* path, RegistryKey* key) {
    HKEY native = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &native, nullptr) !=
        ERROR_SUCCESS)
        return false;
    *key = native;
    return true;
}

bool RegOpenKeyForQuery(const char* path, RegistryKey* key) {
    HKEY native = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &native) != ERROR_SUCCESS) return false;
    *key = native;
    return true;
}

bool RegSetDwordValue(RegistryKey key, const char* name, uint32_t value) {
    DWORD data = value;
    return ::RegSetValueExA(AsKey(key), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

bool RegQueryValue(RegistryKey key, const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    DWORD length = *size;
    DWORD kind = REG_NONE;
    LONG result = ::RegQueryValueExA(AsKey(key), name, nullptr, &kind, static_cast<BYTE*>(buffer), &length);
    *size = length;
    if (type) *type = kind;
    return result == ERROR_SUCCESS;
}

void RegCloseKey(RegistryKey key) { ::RegCloseKey(AsKey(key)); }

bool RegQueryClassesRootDefault(const char* subKey, char* buffer, int32_t* size) {
    LONG length = *size;
    LONG result = ::RegQueryValueA(HKEY_CLASSES_ROOT, subKey, buffer, &length);
    *size = length;
    return result == ERROR_SUCCESS;
}

Window FindWindow(const char* className) { return ::FindWindowA(className, nullptr); }

bool SendMessageTimeout(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                        uint32_t milliseconds, intptr_t* result) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(AsWindow(window), message, wParam, lParam, flags, milliseconds, &answer))
        return false;
    if (result) *result = static_cast<intptr_t>(answer);
    return true;
}

bool PostMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return ::PostMessageA(AsWindow(window), message, wParam, lParam) != 0;
}

bool SendCopyData(Window window, uintptr_t dataKind, const void* data, uint32_t size, uint32_t flags,
                  uint32_t milliseconds, intptr_t* result) {
    COPYDATASTRUCT copy{};
    copy.dwData = dataKind;
    copy.cbData = size;
    copy.lpData = const_cast<void*>(data);
    return SendMessageTimeout(window, WM_COPYDATA, 0, reinterpret_cast<intptr_t>(&copy), flags, milliseconds,
                              result);
}

Handle OpenWindowProcessForReading(Window window) {
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(AsWindow(window), &processId) || processId == 0) return nullptr;
    return ::OpenProcess(PROCESS_VM_READ, FALSE, processId);
}

bool ReadProcessMemory(Handle process, uintptr_t address, void* buffer, uint32_t size) {
    SIZE_T read = 0;
    return ::ReadProcessMemory(process, reinterpret_cast<const void*>(address), buffer, size, &read) && read == size;
}

int WindowProcessBits(Window window) {
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(AsWindow(window), &processId) || processId == 0) return 0;
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    BOOL itsWow64 = FALSE;
    BOOL ownWow64 = FALSE;
    if (!process || !::IsWow64Process(process.get(), &itsWow64) || !::IsWow64Process(::GetCurrentProcess(), &ownWow64))
        return 0;
    // WoW64 runs 32-bit code on a 64-bit system; outside it a process has the system's width, which a 32-bit
    // module learns from running under WoW64 itself.
    if (itsWow64) return 32;
    return sizeof(void*) == 8 || ownWow64 ? 64 : 32;
}

Window GetForegroundWindow() { return ::GetForegroundWindow(); }
void SetForegroundWindow(Window window) { ::SetForegroundWindow(AsWindow(window)); }
void MessageBeep(uint32_t type) { ::MessageBeep(type); }
void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) { ::keybd_event(virtualKey, scanCode, flags, 0); }

bool WaveOutGetVolume(uint32_t* volume) {
    DWORD value = 0;
    if (::waveOutGetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)), &value) !=
        MMSYSERR_NOERROR)
        return false;
    *volume = value;
    return true;
}

void CharToOemBuff(const char* source, char* destination, uint32_t count) {
    if (count) ::CharToOemBuffA(source, destination, count);
}

void OemToCharBuff(const char* source, char* destination, uint32_t count) {
    if (count) ::OemToCharBuffA(source, destination, count);
}

bool SendMessageTimeoutW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t flags,
                         uint32_t milliseconds, intptr_t* result) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(AsWindow(window), message, wParam, lParam, flags, milliseconds, &answer)) return false;
    if (result) *result = static_cast<intptr_t>(answer);
    return true;
}

int WideToAnsi(const wchar_t* text, int length, char* buffer, int capacity, bool* exact) {
    BOOL replaced = FALSE;
    if (length <= 0) {
        if (exact) *exact = true;
        return 0;
    }
    int written =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, buffer, capacity, nullptr, &replaced);
    // A system whose ANSI code page is UTF-8 takes neither flag nor question, and has every character.
    if (written == 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        replaced = FALSE;
        written = ::WideCharToMultiByte(CP_ACP, 0, text, length, buffer, capacity, nullptr, nullptr);
    }
    if (exact) *exact = written > 0 && !replaced;
    return written;
}

int AnsiToWide(const char* text, int length, wchar_t* buffer, int capacity) {
    if (length <= 0) return 0;
    return ::MultiByteToWideChar(CP_ACP, 0, text, length, buffer, capacity);
}

void LowerCaseText(wchar_t* text, uint32_t count) {
    if (count) ::CharLowerBuffW(text, count);
}

int FormatAscii(char* buffer, const char* format, va_list arguments) { return ::wvsprintfA(buffer, format, arguments); }

}  // namespace os
