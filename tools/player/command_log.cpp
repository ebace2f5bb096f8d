#include "command_log.h"

#include <windows.h>

#include "text_codes.h"

namespace standin {

CommandLog::~CommandLog() {
    if (file_) CloseHandle(file_);
}

bool CommandLog::Open(const std::string& path) {
    // Appended to: every player started with the same options (each attempt of a start) logs to one file.
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    file_ = file;
    return true;
}

std::string MessageName(uint32_t message) {
    switch (message) {
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_USER: return "WM_USER";
    default: return std::to_string(message);
    }
}

void CommandLog::Message(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    Write(std::to_string(GetTickCount()) + " " + MessageName(message) + " " + std::to_string(wParam) + " " +
          std::to_string(lParam));
}

void CommandLog::Query(uintptr_t wParam, intptr_t lParam, intptr_t answer) {
    Write(std::to_string(GetTickCount()) + " WM_USER " + std::to_string(static_cast<intptr_t>(wParam)) + " " +
          std::to_string(lParam) + " = " + std::to_string(answer));
}

void CommandLog::Copied(uintptr_t dataKind, const std::string& path) {
    Write(std::to_string(GetTickCount()) + " WM_COPYDATA " + std::to_string(dataKind) + " " + path);
}

void CommandLog::Note(const std::string& text) { Write("# " + std::to_string(GetTickCount()) + " " + text); }

void CommandLog::Write(const std::string& line) {
    if (!file_) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    // One write per line: a reader never sees half a line from a mixed buffer, and nothing waits in ours.
    WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace standin
