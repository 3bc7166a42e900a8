// Helpers for the tests of the count formatters: a repeatable source of counts spread over
// every magnitude, the ASCII text of a wide result, and a page that cannot be written.
#pragma once

#include <windows.h>

#include <string>

namespace test {

// xorshift64*, fixed seed: the same counts in every run, so a failure can be repeated.
class count_source {
public:
    explicit count_source(unsigned long long seed = 0x9E3779B97F4A7C15ull) : state_(seed) {}

    unsigned long long next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // A count whose bit width is uniform in 0..max_bits, so every band gets its share.
    unsigned long long spread(int max_bits) {
        const int width = static_cast<int>(next() % static_cast<unsigned>(max_bits + 1));
        if (width == 0) return 0;
        const unsigned long long top = 1ull << (width - 1);
        const unsigned long long below = width == 1 ? 0 : next() & (top - 1);
        return top | below;
    }

private:
    unsigned long long state_;
};

// The result of a W formatter as narrow text; a unit outside ASCII shows as '?' so that the
// comparison with the expected text fails visibly.
inline std::string ascii_of(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s.push_back(*w < 0x80 ? static_cast<char>(*w) : '?');
    return s;
}

// One committed page filled with `fill` and then made read-only.
class read_only_page {
public:
    explicit read_only_page(unsigned char fill = 0x5A) {
        base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_) return;
        FillMemory(base_, bytes, fill);
        DWORD old;
        VirtualProtect(base_, bytes, PAGE_READONLY, &old);
    }
    ~read_only_page() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    read_only_page(const read_only_page&) = delete;
    read_only_page& operator=(const read_only_page&) = delete;

    unsigned char* data() const { return base_; }
    // True when every byte still holds `fill`.
    bool untouched(unsigned char fill = 0x5A) const {
        for (size_t i = 0; i < bytes; ++i)
            if (base_[i] != fill) return false;
        return true;
    }
    static constexpr size_t bytes = 4096;

private:
    unsigned char* base_ = nullptr;
};

}  // namespace test
