// quaver-host.exe run to its end as a script runs it, with no console: its exit code and what it printed on
// standard output and standard error together.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct HostRun {
    DWORD exitCode = 99;
    std::string errors;  // standard output and standard error, as written
};

// quaver-host.exe beside the test program, or the one at program; given up after timeoutMs.
HostRun RunHost(const std::vector<std::string>& arguments, const std::string& program = "", DWORD timeoutMs = 20000);

}  // namespace e2e
