// What another process uses, as Windows (or Wine) reports it: open handles, private memory, CPU time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace e2e {

struct ProcessFigures {
    uint32_t handles = 0;       // open handles
    uint64_t privateBytes = 0;  // committed private memory
};

ProcessFigures MeasureProcess(HANDLE process);
std::string Describe(const ProcessFigures& figures);

// User plus kernel time the process has used so far, in milliseconds, from the system's process list; -1 when
// the process is not in it.
double CpuMilliseconds(HANDLE process);

}  // namespace e2e
