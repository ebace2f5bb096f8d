#include "console_session.h"

#include "command_line.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {


INPUT_RECORD KeyRecord(bool down, WORD virtualKey, DWORD controlKeys, char character) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    key.bKeyDown = down ? TRUE : FALSE;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = virtualKey;
    key.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    key.uChar.AsciiChar = character;
    key.dwControlKeyState = controlKeys;
    return record;
}

std::string TextOf(HANDLE buffer, int x, int y, int length) {
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterA(buffer, text.data(), static_cast<DWORD>(length),
                                     COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &read))
        return {};
    text.resize(read);
    return text;
}

std::vector<uint16_t> AttributesOf(HANDLE buffer, int x, int y, int length) {
    if (length <= 0) return {};
    std::vector<WORD> attributes(static_cast<size_t>(length));
    DWORD read = 0;
    if (!ReadConsoleOutputAttribute(buffer, attributes.data(), static_cast<DWORD>(length),
                                    COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &read))
        return {};
    attributes.resize(read);
    return std::vector<uint16_t>(attributes.begin(), attributes.end());
}

// A two-cell glyph fills both its cells, the right one marked as its trailing half: read once.
std::string GlyphsOf(HANDLE buffer, int x, int y, int length) {
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    DWORD read = 0;
    const COORD at{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    if (!ReadConsoleOutputCharacterW(buffer, text.data(), static_cast<DWORD>(length), at, &read)) return {};
    text.resize(read);
    const std::vector<uint16_t> attributes = AttributesOf(buffer, x, y, static_cast<int>(read));
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i)
        if (i >= attributes.size() || !(attributes[i] & COMMON_LVB_TRAILING_BYTE)) shown += text[i];
    return Utf8(shown);
}

COORD SizeOf(HANDLE buffer) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(buffer, &info);
    return info.dwSize;
}

Screen CaptureOf(HANDLE buffer) {
    Screen screen;
    const COORD size = SizeOf(buffer);
    screen.width = size.X;
    screen.height = size.Y;
    for (int y = 0; y < size.Y; ++y) {
        screen.rows.push_back(TextOf(buffer, 0, y, size.X));
        screen.attributes.push_back(AttributesOf(buffer, 0, y, size.X));
    }
    return screen;
}

}  // namespace

ShownBuffer::ShownBuffer()
    : handle_(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr)) {}

ShownBuffer::~ShownBuffer() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

std::string TestFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string Screen::Text() const {
    std::string text;
    for (const std::string& row : rows) {
        text += '|';
        for (char c : row) text += static_cast<unsigned char>(c) < 0x20 ? '.' : c;
        text += "|\n";
    }
    return text;
}

ConsoleSession::ConsoleSession(Options options) : options_(std::move(options)) {
    savedInput_ = GetStdHandle(STD_INPUT_HANDLE);
    savedOutput_ = GetStdHandle(STD_OUTPUT_HANDLE);
    savedError_ = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    hadConsole_ = GetConsoleMode(savedOutput_, &mode) != 0;
    ready_ = MakeConsole(options_.width, options_.height, std::max(options_.bufferHeight, options_.height));
    // The console's handles must not replace the pipes that carry the test's report.
    SetStdHandle(STD_INPUT_HANDLE, savedInput_);
    SetStdHandle(STD_OUTPUT_HANDLE, savedOutput_);
    SetStdHandle(STD_ERROR_HANDLE, savedError_);
    if (ready_ && options_.launch) Launch(options_.arguments);
}

bool ConsoleSession::MakeConsole(int width, int height, int bufferHeight) {
    FreeConsole();
    if (!AllocConsole()) {
        problem_ = "AllocConsole failed: " + std::to_string(GetLastError());
        return false;
    }
    input_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    output_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE) {
        problem_ = "cannot open CONIN$/CONOUT$: " + std::to_string(GetLastError());
        return false;
    }
    // The window must fit inside the buffer at every step: shrink it, size the buffer, then grow it.
    SMALL_RECT tiny{0, 0, 0, 0};
    SetConsoleWindowInfo(output_, TRUE, &tiny);
    SetConsoleScreenBufferSize(output_, COORD{static_cast<SHORT>(width), static_cast<SHORT>(bufferHeight)});
    SMALL_RECT full{0, 0, static_cast<SHORT>(width - 1), static_cast<SHORT>(height - 1)};
    SetConsoleWindowInfo(output_, TRUE, &full);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(output_, &info);
    const int windowWidth = info.srWindow.Right - info.srWindow.Left + 1;
    const int windowHeight = info.srWindow.Bottom - info.srWindow.Top + 1;
    if (info.dwSize.X != width || info.dwSize.Y != bufferHeight || windowWidth != width || windowHeight != height) {
        problem_ = "the console is " + std::to_string(info.dwSize.X) + "x" + std::to_string(info.dwSize.Y) +
                   " with a window of " + std::to_string(windowWidth) + "x" + std::to_string(windowHeight) +
                   ", not " + std::to_string(width) + "x" + std::to_string(bufferHeight) + " with " +
                   std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    FlushConsoleInputBuffer(input_);
    return true;
}

bool ConsoleSession::Launch(const std::vector<std::string>& arguments) {
    if (process_) return false;
    const std::string& program = options_.program;
    const std::string path =
        program.find_first_of("\\/:") == std::string::npos ? TestFolder() + program : program;
    const bool host = program == Options{}.program;
    std::wstring commandLine = Utf16(CommandLine(path, host ? WithRunModule(arguments) : arguments));

    // The host inherits this process's environment; the asked variables are set just for its start.
    std::vector<std::pair<std::string, std::string>> previous;
    for (const auto& [name, value] : options_.environment) {
        char old[4096];
        const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
        previous.emplace_back(name, length > 0 && length < sizeof old ? std::string(old, length) : std::string());
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE inherited[2] = {nullptr, nullptr};
    if (options_.standardHandlesOnConsole) {
        const HANDLE self = GetCurrentProcess();
        DuplicateHandle(self, input_, self, &inherited[0], 0, TRUE, DUPLICATE_SAME_ACCESS);
        DuplicateHandle(self, output_, self, &inherited[1], 0, TRUE, DUPLICATE_SAME_ACCESS);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = inherited[0];
        startup.hStdOutput = startup.hStdError = inherited[1];
    }
    PROCESS_INFORMATION started{};
    const BOOL created = CreateProcessW(Utf16(path).c_str(), commandLine.data(), nullptr, nullptr,
                                        options_.standardHandlesOnConsole, 0, nullptr, Utf16(TestFolder()).c_str(),
                                        &startup, &started);
    const DWORD error = GetLastError();
    for (HANDLE handle : inherited)
        if (handle) CloseHandle(handle);
    for (const auto& [name, value] : previous) SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
    if (!created) {
        problem_ = "cannot start " + path + ": error " + std::to_string(error);
        return false;
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    return true;
}

ConsoleSession::~ConsoleSession() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 10000);
        }
        CloseHandle(process_);
    }
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    // Wine's FreeConsole closes whatever the standard handles are: keep it off the pipes.
    SetStdHandle(STD_INPUT_HANDLE, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);
    FreeConsole();
    if (hadConsole_) AttachConsole(ATTACH_PARENT_PROCESS);
    SetStdHandle(STD_INPUT_HANDLE, savedInput_);
    SetStdHandle(STD_OUTPUT_HANDLE, savedOutput_);
    SetStdHandle(STD_ERROR_HANDLE, savedError_);
}

void ConsoleSession::WriteEvents(const INPUT_RECORD* records, size_t count) {
    while (count > 0) {
        DWORD written = 0;
        if (!WriteConsoleInputA(input_, records, static_cast<DWORD>(count), &written) || written == 0) return;
        records += written;
        count -= written;
    }
}

void ConsoleSession::KeyDown(WORD virtualKey, DWORD controlKeys, char character) {
    const INPUT_RECORD record = KeyRecord(true, virtualKey, controlKeys, character);
    WriteEvents(&record, 1);
}

void ConsoleSession::KeyUp(WORD virtualKey, DWORD controlKeys, char character) {
    const INPUT_RECORD record = KeyRecord(false, virtualKey, controlKeys, character);
    WriteEvents(&record, 1);
}

void ConsoleSession::PressKey(WORD virtualKey, DWORD controlKeys, char character) {
    const INPUT_RECORD records[] = {KeyRecord(true, virtualKey, controlKeys, character),
                                    KeyRecord(false, virtualKey, controlKeys, character)};
    WriteEvents(records, 2);
}

void ConsoleSession::MouseEvent(int x, int y, DWORD buttons, DWORD flags, DWORD controlKeys) {
    INPUT_RECORD record{};
    record.EventType = MOUSE_EVENT;
    record.Event.MouseEvent.dwMousePosition = COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    record.Event.MouseEvent.dwButtonState = buttons;
    record.Event.MouseEvent.dwEventFlags = flags;
    record.Event.MouseEvent.dwControlKeyState = controlKeys;
    WriteEvents(&record, 1);
}

void ConsoleSession::Click(int x, int y) {
    MouseEvent(x, y, FROM_LEFT_1ST_BUTTON_PRESSED);
    MouseEvent(x, y, 0);
}

void ConsoleSession::Focus(bool gained) {
    INPUT_RECORD record{};
    record.EventType = FOCUS_EVENT;
    record.Event.FocusEvent.bSetFocus = gained ? TRUE : FALSE;
    WriteEvents(&record, 1);
}

std::string ConsoleSession::Text(int x, int y, int length) const { return TextOf(ShownBuffer().Get(), x, y, length); }

std::string ConsoleSession::Row(int y) const {
    const ShownBuffer shown;
    return TextOf(shown.Get(), 0, y, SizeOf(shown.Get()).X);
}

std::string ConsoleSession::Glyphs(int x, int y, int length) const { return GlyphsOf(ShownBuffer().Get(), x, y, length); }

int ConsoleSession::FindGlyphRow(std::string_view text) const {
    const ShownBuffer shown;
    const COORD size = SizeOf(shown.Get());
    for (int y = 0; y < size.Y; ++y)
        if (GlyphsOf(shown.Get(), 0, y, size.X).find(text) != std::string::npos) return y;
    return -1;
}

bool ConsoleSession::WaitForGlyphs(std::string_view text, DWORD timeoutMs) const {
    return WaitFor([&] { return FindGlyphRow(text) >= 0 || HostEnded(); }, timeoutMs) && FindGlyphRow(text) >= 0;
}

std::vector<uint16_t> ConsoleSession::Attributes(int x, int y, int length) const {
    return AttributesOf(ShownBuffer().Get(), x, y, length);
}

uint16_t ConsoleSession::Attribute(int x, int y) const {
    const std::vector<uint16_t> one = Attributes(x, y, 1);
    return one.empty() ? 0xFFFF : one[0];
}

COORD ConsoleSession::Size() const { return SizeOf(ShownBuffer().Get()); }

Screen ConsoleSession::Capture() const { return CaptureOf(ShownBuffer().Get()); }

Screen ConsoleSession::CaptureUserBuffer() const { return CaptureOf(output_); }

std::string ConsoleSession::Title() const {
    char title[1024] = "";
    const DWORD length = GetConsoleTitleA(title, sizeof title);
    return std::string(title, std::min<DWORD>(length, sizeof title - 1));
}

bool ConsoleSession::WaitForTitle(std::string_view text, DWORD timeoutMs) const {
    auto found = [&] { return Title().find(text) != std::string::npos; };
    return WaitFor([&] { return found() || HostEnded(); }, timeoutMs) && found();
}

DWORD ConsoleSession::InputMode() const {
    DWORD mode = 0;
    GetConsoleMode(input_, &mode);
    return mode;
}

CONSOLE_CURSOR_INFO ConsoleSession::CursorInfo() const {
    CONSOLE_CURSOR_INFO info{};
    GetConsoleCursorInfo(ShownBuffer().Get(), &info);
    return info;
}

bool ConsoleSession::WaitFor(const std::function<bool()>& predicate, DWORD timeoutMs) const {
    const ULONGLONG start = GetTickCount64();
    while (true) {
        if (predicate()) return true;
        if (GetTickCount64() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

int ConsoleSession::FindRow(std::string_view text) const {
    const ShownBuffer shown;
    const COORD size = SizeOf(shown.Get());
    for (int y = 0; y < size.Y; ++y)
        if (TextOf(shown.Get(), 0, y, size.X).find(text) != std::string::npos) return y;
    return -1;
}

bool ConsoleSession::HostEnded() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

bool ConsoleSession::WaitForText(std::string_view text, DWORD timeoutMs) const {
    // A host that has ended will not draw any more: stop waiting at once.
    return WaitFor([&] { return FindRow(text) >= 0 || HostEnded(); }, timeoutMs) && FindRow(text) >= 0;
}

bool ConsoleSession::WaitForRowText(int y, std::string_view text, DWORD timeoutMs) const {
    auto found = [&] { return Row(y).find(text) != std::string::npos; };
    return WaitFor([&] { return found() || HostEnded(); }, timeoutMs) && found();
}

std::string ConsoleSession::Dump() const {
    std::string text = Capture().Text();
    DWORD code = 0;
    if (HostEnded() && GetExitCodeProcess(process_, &code)) text += "(the host has ended with code " + std::to_string(code) + ")\n";
    return text;
}

bool ConsoleSession::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_, exitCode);
    return true;
}

bool WideModuleRun() {
    char value[16] = "";
    GetEnvironmentVariableA("QUAVER_E2E_MODULE", value, sizeof value);
    return lstrcmpiA(value, "wide") == 0;
}

std::string WideModulePath() { return TestFolder() + "wide\\quaver.dll"; }

std::vector<std::string> WithRunModule(std::vector<std::string> arguments) {
    if (!WideModuleRun() || std::find(arguments.begin(), arguments.end(), "--module") != arguments.end())
        return arguments;
    arguments.insert(arguments.begin(), {"--module", WideModulePath()});
    return arguments;
}

// The wide module's store lies under its GUID, which the module itself names: asked of it once.
std::string ModuleStoreKey() {
    static const std::string key = [] {
        HMODULE module = LoadLibraryA(WideModulePath().c_str());
        if (!module) return std::string();
        struct Identity {  // as far as the GUID: size, two versions, then the GUID
            size_t size;
            uint32_t oldest[5];
            uint32_t version[5];
            uint32_t data1;
            uint16_t data2, data3;
            uint8_t data4[8];
            const wchar_t* texts[3];
            void* instance;
        } identity{};
        identity.size = sizeof identity;
        using GetGlobalInfo = void(__stdcall*)(Identity*);
        if (auto get = reinterpret_cast<GetGlobalInfo>(reinterpret_cast<void*>(GetProcAddress(module, "GetGlobalInfoW"))))
            get(&identity);
        FreeLibrary(module);
        char text[96];
        snprintf(text, sizeof text, "Software\\Quaver Host\\Settings\\{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                 identity.data1, identity.data2, identity.data3, identity.data4[0], identity.data4[1], identity.data4[2],
                 identity.data4[3], identity.data4[4], identity.data4[5], identity.data4[6], identity.data4[7]);
        return std::string(text);
    }();
    return key;
}

namespace {
std::string RunSettingsKey() { return WideModuleRun() ? ModuleStoreKey() : ModuleSettingsKey; }
}  // namespace

void ClearModuleSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, RunSettingsKey().c_str()); }

bool SetModuleSetting(const char* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunSettingsKey().c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const uint64_t number = value;
    const bool stored = WideModuleRun() ? RegSetValueExA(key, name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&number),
                                                         sizeof number) == ERROR_SUCCESS
                                        : RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                                         sizeof value) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

bool ReadModuleSetting(const char* name, DWORD* value) {
    uint64_t number = 0;
    DWORD size = WideModuleRun() ? sizeof number : sizeof *value;
    const DWORD type = WideModuleRun() ? RRF_RT_REG_QWORD : RRF_RT_REG_DWORD;
    if (RegGetValueA(HKEY_CURRENT_USER, RunSettingsKey().c_str(), name, type, nullptr, &number, &size) != ERROR_SUCCESS)
        return false;
    *value = static_cast<DWORD>(number);
    return WideModuleRun() ? number <= 0xFFFFFFFFull : true;
}

int ModuleSettingsStored() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunSettingsKey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return static_cast<int>(values);
}

}  // namespace e2e
