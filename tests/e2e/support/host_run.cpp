#include "host_run.h"

#include "command_line.h"
#include "console_session.h"

namespace e2e {

HostRun RunHost(const std::vector<std::string>& arguments, const std::string& program, DWORD timeoutMs) {
    HostRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    std::wstring line = Utf16(program.empty() ? CommandLine(TestFolder() + "quaver-host.exe", WithRunModule(arguments))
                                              : CommandLine(program, arguments));
    PROCESS_INFORMATION process{};
    const BOOL created = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (created) {
        char buffer[512];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) run.errors.append(buffer, read);
        if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

}  // namespace e2e
