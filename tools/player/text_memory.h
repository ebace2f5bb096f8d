// Memory for the texts whose addresses the player hands out (its playlist's titles and paths): blocks that stay
// where they are until the player ends, so that an address once answered stays readable from another process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace standin {

enum class Placement {
    Anywhere,
    // Only where an address needs the player's full width: above 2 GiB in a 32-bit player (which must be linked
    // large-address-aware), above 4 GiB in a 64-bit one. A reader that cuts an address short then misses.
    High,
};

// The lowest address that counts as high for this program's width.
uintptr_t HighAddressFloor();

class TextMemory {
public:
    explicit TextMemory(Placement placement) : placement_(placement) {}
    ~TextMemory();
    TextMemory(const TextMemory&) = delete;
    TextMemory& operator=(const TextMemory&) = delete;

    // Room for `bytes` zero bytes at a multiple of `alignment` (at most 16); null when the system gives no more
    // memory where the placement wants it.
    void* Take(size_t bytes, size_t alignment);
    // Where the first block lies, 0 before there is one (for the log).
    uintptr_t FirstBlock() const { return blocks_.empty() ? 0 : reinterpret_cast<uintptr_t>(blocks_[0].base); }

private:
    struct Block {
        char* base;
        size_t reserved;
        size_t committed;
        size_t used;
    };
    bool AddBlock(size_t atLeast);

    Placement placement_;
    std::vector<Block> blocks_;
};

}  // namespace standin
