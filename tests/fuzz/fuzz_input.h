// The fuzzer's bytes read as the values a target needs, and the check that stops a run when an invariant
// breaks. Past the end of the input every value reads as 0, so every input is a whole, valid script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // The next sizeof(T) bytes, little end first; what the input lacks is 0.
    template <typename T>
    T Take() {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        const size_t n = remaining() < sizeof value ? remaining() : sizeof value;
        if (n) std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }

    bool TakeBool() { return (Take<uint8_t>() & 1) != 0; }

    // A value from 0 to bound - 1.
    uint32_t TakeBelow(uint32_t bound) { return bound ? Take<uint16_t>() % bound : 0; }

    // A text of 0 to maxLength bytes, any bytes including NUL.
    std::string TakeText(size_t maxLength) {
        size_t length = Take<uint16_t>() % (maxLength + 1);
        if (length > remaining()) length = remaining();
        std::string text(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return text;
    }

    // Everything not read yet.
    std::string TakeRest() {
        std::string text(reinterpret_cast<const char*>(data_ + at_), remaining());
        at_ = size_;
        return text;
    }

    size_t remaining() const { return size_ - at_; }
    bool empty() const { return at_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// An invariant that must hold for every input: when it does not, say which and abort, so that libFuzzer
// keeps the input as a crash.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace fuzz
