#include "toolkit/core/Random.h"

#include <cstring>

namespace tk {

void Random::Seed(float seed) noexcept {
    uint32_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    // Spread the 32 seed bits over the whole state; SplitMix64 copes with any state, this
    // only keeps nearby seeds (consecutive times of day) from starting on nearby states.
    m_state = (static_cast<uint64_t>(bits) << 32 | bits) * 0xD1342543DE82EF95ull;
    m_hasSpare = false;
    m_spare = 0;
}

void Random::NextWords(uint32_t* out, std::size_t count) noexcept {
    if (count == 0) return;
    if (m_hasSpare) {
        *out++ = m_spare;
        m_hasSpare = false;
        --count;
    }
    // The outputs do not depend on each other (only the state's addition chains), so this
    // loop keeps several of them in flight.
    for (; count >= 2; count -= 2) {
        uint64_t z = NextOutput();
        out[0] = static_cast<uint32_t>(z);
        out[1] = static_cast<uint32_t>(z >> 32);
        out += 2;
    }
    if (count == 1) *out = NextWord();
}

}  // namespace tk
