// The wide host: its startup record copied, its language strings, message boxes, help and formatting.
#include "host/wide/wide_link.h"

#include <cstring>

#include "host/host.h"
#include "os/os.h"

namespace quaver {

WideHostLink wideHost;

namespace {

// The first size bytes the host declares, never more than the module's own record.
template <typename Record>
void CopyDeclared(Record& into, const Record* from) {
    std::memset(&into, 0, sizeof into);
    if (!from) return;
    const size_t size = from->size < sizeof into ? from->size : sizeof into;
    std::memcpy(&into, from, size);
    into.size = size;
}

const wide::Guid* Module() { return &wideId::module; }

}  // namespace

void CopyStartupRecord(const wide::StartupRecord* startup) {
    CopyDeclared(wideHost.startup, startup);
    std::memset(&wideHost.standardFunctions, 0, sizeof wideHost.standardFunctions);
    wideHost.tooOld = true;
    if (!startup || wideHost.startup.size < sizeof(wide::StartupRecord)) {
        wideHost.startup.standardFunctions = nullptr;
        return;
    }
    CopyDeclared(wideHost.standardFunctions, startup->standardFunctions);
    wideHost.startup.standardFunctions = &wideHost.standardFunctions;
    // Without its formatter a host cannot put a single number into a text for us: as good as too old.
    wideHost.tooOld = wideHost.standardFunctions.snprintf == nullptr;
}

const wchar_t* GetLangString(int messageNumber) {
    if (!wideHost.startup.GetMsg) return L"";
    const wchar_t* text = wideHost.startup.GetMsg(Module(), messageNumber);
    return text ? text : L"";
}

void ShowErrorBox(int code) { ShowErrorText(GetLangString(code)); }

void ShowErrorText(const wchar_t* text) {
    const wchar_t* lines[3] = {hostText::menuTitle, text, GetLangString(message::ErrorButton)};
    ShowHostMessage(messageBox::Error, lines, 3, 1);
}

int ShowHostMessage(unsigned flags, const wchar_t* const* lines, int lineCount, int buttonCount) {
    const wide::StartupRecord& host = wideHost.startup;
    if (!host.Message || lineCount <= 0) return -1;
    return static_cast<int>(host.Message(Module(), nullptr, flags, nullptr, lines, static_cast<size_t>(lineCount),
                                         buttonCount));
}

void ShowHelpTopic(const wchar_t* topic) {
    if (wideHost.startup.ShowHelp && wideHost.startup.modulePath)
        wideHost.startup.ShowHelp(wideHost.startup.modulePath, topic, 0);
}

int FormatText(char* buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = os::FormatAscii(buffer, format, arguments);
    va_end(arguments);
    return written;
}

int CompareN(const char* a, const char* b, size_t n) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < n; ++i) {
        const char x = lower(a[i]);
        const char y = lower(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        if (x == '\0') return 0;
    }
    return 0;
}

wide::SnprintfFunction HostFormatter() { return wideHost.standardFunctions.snprintf; }

void PlayerTextToHost(const wchar_t* from, wchar_t* to, uint32_t count) {
    if (from != to) std::memmove(to, from, count * sizeof(wchar_t));
}

void HostTextToPlayer(const wchar_t* from, wchar_t* to, uint32_t count) { PlayerTextToHost(from, to, count); }

}  // namespace quaver
