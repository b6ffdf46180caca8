#pragma once
// The program's uniform pseudo-random generator: seeded with a single-precision number,
// it returns numbers u with 0 <= u < 1, never 1.
//
// Each draw is one 32-bit word w and u = w / 2^32, so u is exact in a double and the
// noise code can work on the word itself. The words come from SplitMix64, two words per
// 64-bit output (low half first): a small, fast generator whose output passes the usual
// statistical batteries, more than pixel noise asks for.
#include <cstddef>
#include <cstdint>

namespace tk {

class Random {
public:
    Random() noexcept { Seed(0.0f); }
    explicit Random(float seed) noexcept { Seed(seed); }

    // The same seed gives the same sequence; every float (also -0 and each NaN pattern)
    // gives a sequence of its own.
    void Seed(float seed) noexcept;

    uint32_t NextWord() noexcept {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        uint64_t z = NextOutput();
        m_spare = static_cast<uint32_t>(z >> 32);
        m_hasSpare = true;
        return static_cast<uint32_t>(z);
    }

    // The next `count` words, exactly as `count` calls of NextWord() would return them.
    void NextWords(uint32_t* out, std::size_t count) noexcept;

    double Next() noexcept { return ToUnit(NextWord()); }

    static constexpr double ToUnit(uint32_t word) noexcept {
        return static_cast<double>(word) * (1.0 / 4294967296.0);
    }

private:
    uint64_t NextOutput() noexcept {
        m_state += 0x9E3779B97F4A7C15ull;
        uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t m_state = 0;
    uint32_t m_spare = 0;  // the high half of the last output, when not drawn yet
    bool m_hasSpare = false;
};

}  // namespace tk
