// The two standard functions every test host hands the module: printf-style formatting and a bounded compare.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/host_api.h"

namespace testhost {

inline int FormatText(char* buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsprintf(buffer, format, arguments);
    va_end(arguments);
    return written;
}

inline int HOSTAPI CompareN(const char* a, const char* b, size_t n) { return std::strncmp(a, b, n); }

}  // namespace testhost
