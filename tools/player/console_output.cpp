#include "console_output.h"

#include <windows.h>

namespace standin {

namespace {

void Print(DWORD which, const std::string& text) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            handle = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        }
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    }
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void PrintOut(const std::string& text) { Print(STD_OUTPUT_HANDLE, text); }
void PrintError(const std::string& text) { Print(STD_ERROR_HANDLE, text); }

}  // namespace standin
