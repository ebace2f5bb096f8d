// Text that lies in the player's memory, read at the address one of its answers names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "os/os.h"

namespace quaver {

// Reads up to capacity - 1 units (bytes, or UTF-16 units) at address into text, terminated, the first zero
// unit ending it. Up to the end of the address's page first: a text that ends just before unreadable memory
// is still read, where one read across the page's end would fail whole; a text cut at an unreadable page keeps
// what was read. False when not even the first page could be read.
template <typename Unit, size_t capacity>
bool ReadProcessText(os::Handle process, uintptr_t address, Unit (&text)[capacity]) {
    constexpr uintptr_t pageSize = 4096;
    constexpr uint32_t wanted = (capacity - 1) * sizeof(Unit);  // bytes
    auto* bytes = reinterpret_cast<unsigned char*>(text);
    const uint32_t inPage = static_cast<uint32_t>(pageSize - address % pageSize);
    // A unit is never split between the two reads: a UTF-16 text starts on an even address.
    const uint32_t first = (inPage < wanted ? inPage : wanted) / sizeof(Unit) * sizeof(Unit);
    if (first == 0 || !os::ReadProcessMemory(process, address, bytes, first)) return false;
    const uint32_t firstUnits = first / sizeof(Unit);
    text[firstUnits] = 0;
    bool ended = false;
    for (uint32_t i = 0; i < firstUnits && !ended; ++i) ended = text[i] == 0;
    if (first < wanted && !ended)
        if (os::ReadProcessMemory(process, address + first, bytes + first, wanted - first)) text[capacity - 1] = 0;
    return true;
}

}  // namespace quaver
