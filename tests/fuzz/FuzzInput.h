#pragma once
// Reads the parameters of one fuzz case from the front of the input; what is left is
// picture data or text. Running out of input gives zeros.
#include <cstddef>
#include <cstdint>

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_size ? (--m_size, *m_data++) : 0; }
    uint32_t Word() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return v;
    }
    // A value in 0 .. limit - 1.
    int32_t Below(int32_t limit) { return static_cast<int32_t>(Word() % static_cast<uint32_t>(limit)); }

    // Fills `out` with the rest of the input, repeated, or with a pattern when none is left.
    void Fill(uint8_t* out, size_t n) {
        for (size_t i = 0; i < n; ++i) out[i] = m_size ? m_data[i % m_size] : static_cast<uint8_t>(i * 37);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

}  // namespace fuzz
