#include "process_figures.h"

#include <psapi.h>

#include <vector>

namespace e2e {

namespace {

// The system's handle list (information class 16): one entry per open handle with its owner's id.
struct SystemHandleEntry {
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
using QuerySystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG systemHandleInformation = 16;
constexpr LONG infoLengthMismatch = static_cast<LONG>(0xC0000004);

// Wine answers GetProcessHandleCount for another process with 0; its system handle list is complete.
uint32_t HandlesInSystemList(DWORD processId) {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<char> buffer(1 << 16);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(systemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == infoLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) return 0;
        const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
        uint32_t count = 0;
        for (ULONG i = 0; i < list->count; ++i) count += list->entries[i].processId == processId;
        return count;
    }
    return 0;
}

// The system's process list (information class 5), as far as the fields read here.
struct SystemProcessEntry {
    ULONG nextEntryOffset;
    ULONG threadCount;
    LARGE_INTEGER unused[3];
    LARGE_INTEGER createTime;
    LARGE_INTEGER userTime;
    LARGE_INTEGER kernelTime;
    struct {
        USHORT length, maximumLength;
        PWSTR buffer;
    } imageName;
    LONG basePriority;
    HANDLE processId;
};
constexpr ULONG systemProcessInformation = 5;

// Wine's GetProcessTimes does not count another process's threads; its process list does (as Windows' does).
double CpuMillisecondsInSystemList(DWORD processId) {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 18);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(systemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == infoLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) return -1;
        for (size_t offset = 0;;) {
            const auto* entry = reinterpret_cast<const SystemProcessEntry*>(buffer.data() + offset);
            if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->processId)) == processId)
                return static_cast<double>(entry->userTime.QuadPart + entry->kernelTime.QuadPart) / 10000.0;
            if (entry->nextEntryOffset == 0) return -1;
            offset += entry->nextEntryOffset;
        }
    }
    return -1;
}

}  // namespace

ProcessFigures MeasureProcess(HANDLE process) {
    ProcessFigures figures;
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles)) figures.handles = handles;
    if (figures.handles == 0) figures.handles = HandlesInSystemList(GetProcessId(process));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        // The commit charge: PrivateUsage on Windows; Wine fills only PagefileUsage, which is the same figure.
        figures.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    }
    return figures;
}

std::string Describe(const ProcessFigures& figures) {
    return std::to_string(figures.handles) + " handles, " + std::to_string(figures.privateBytes / 1024) +
           " KiB private";
}

double CpuMilliseconds(HANDLE process) {
    // No fall-back to GetProcessTimes: under Wine it misses the threads, which would pass for an idle process.
    return CpuMillisecondsInSystemList(GetProcessId(process));
}

}  // namespace e2e
