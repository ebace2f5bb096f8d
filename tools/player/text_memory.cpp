#include "text_memory.h"

#include <windows.h>

namespace standin {

namespace {

// Reserved a few megabytes at a time, committed as it fills: 100,000 entries need a few blocks, not thousands.
constexpr size_t blockSize = 4u << 20;
constexpr size_t commitStep = 64u << 10;

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

bool IsHigh(const void* base) { return reinterpret_cast<uintptr_t>(base) >= HighAddressFloor(); }

// The system's top-down search first; where it stays low (Wine's 32-bit programs), the first free stretch above the
// floor that the address space's own map shows.
void* ReserveHigh(size_t size) {
    if (void* base = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE)) {
        if (IsHigh(base)) return base;
        VirtualFree(base, 0, MEM_RELEASE);
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const uintptr_t granularity = system.dwAllocationGranularity;
    MEMORY_BASIC_INFORMATION region{};
    for (uintptr_t at = HighAddressFloor();
         VirtualQuery(reinterpret_cast<void*>(at), &region, sizeof region) == sizeof region;) {
        const uintptr_t start = reinterpret_cast<uintptr_t>(region.BaseAddress);
        const uintptr_t end = start + region.RegionSize;
        if (end <= start) break;
        const uintptr_t base = RoundUp(start, granularity);
        if (region.State == MEM_FREE && base < end && end - base >= size) {
            if (void* reserved = VirtualAlloc(reinterpret_cast<void*>(base), size, MEM_RESERVE, PAGE_READWRITE))
                return reserved;
        }
        at = end;
    }
    return nullptr;
}

}  // namespace

uintptr_t HighAddressFloor() {
    if constexpr (sizeof(void*) == 4) return 0x80000000u;
    return static_cast<uintptr_t>(0x100000000ull);
}

TextMemory::~TextMemory() {
    for (const Block& block : blocks_) VirtualFree(block.base, 0, MEM_RELEASE);
}

bool TextMemory::AddBlock(size_t atLeast) {
    const size_t size = RoundUp(atLeast > blockSize ? atLeast : blockSize, commitStep);
    void* base = placement_ == Placement::High ? ReserveHigh(size)
                                               : VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_READWRITE);
    if (!base) return false;
    blocks_.push_back(Block{static_cast<char*>(base), size, 0, 0});
    return true;
}

void* TextMemory::Take(size_t bytes, size_t alignment) {
    if (blocks_.empty() && !AddBlock(bytes)) return nullptr;
    Block* block = &blocks_.back();
    size_t start = RoundUp(block->used, alignment);
    if (start > block->reserved || block->reserved - start < bytes) {
        if (!AddBlock(bytes)) return nullptr;
        block = &blocks_.back();
        start = 0;
    }
    const size_t end = start + bytes;
    if (end > block->committed) {
        const size_t committed = RoundUp(end, commitStep);
        if (!VirtualAlloc(block->base + block->committed, committed - block->committed, MEM_COMMIT, PAGE_READWRITE))
            return nullptr;
        block->committed = committed;
    }
    block->used = end;
    return block->base + start;
}

}  // namespace standin
