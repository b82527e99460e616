#pragma once
// Takes a fuzz input apart: leading bytes as small choices, the rest as text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next byte, 0 once the input is used up.
    uint8_t Byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    // The next count bytes as an unsigned integer (little end first).
    uint64_t Bits(int count) {
        uint64_t value = 0;
        for (int i = 0; i < count; ++i) value |= uint64_t{Byte()} << (8 * i);
        return value;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return text;
    }
    std::size_t Left() const { return size_; }

private:
    const uint8_t* data_;
    std::size_t size_;
};

// A broken contract: the message, then an abort that libFuzzer reports with
// the input that led to it.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "contract broken: %s\n", what.c_str());
    std::abort();
}

inline void Check(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

}  // namespace fuzz
