#pragma once
// A two-dimensional view over bytes that someone else owns: the pixel memory of a DIB
// section, addressed as rows of bytes. Element (i, r) is byte r * bytesPerRow + i.
// Nothing is copied and nothing is freed: the view only borrows the memory for as long
// as one operation runs.
//
// Every access is checked against both ranges and raises IndexOutOfRangeError instead of
// touching memory outside the picture. Pixel loops that cannot afford a check per byte
// ask for a whole row once with Row(r, length); the check then covers the `length` bytes
// they go on to use.
#include <cstddef>
#include <cstdint>

#include "toolkit/core/Errors.h"

namespace tk {

class ByteView {
public:
    ByteView() noexcept = default;

    // A null base, or a negative row length or row count, gives a view without elements:
    // a DIB section that was never made (or was cleared) has no bits to reach.
    ByteView(uint8_t* base, int32_t bytesPerRow, int32_t rows) noexcept
        : m_base(base),
          m_bytesPerRow(base != nullptr && bytesPerRow > 0 ? bytesPerRow : 0),
          m_rows(base != nullptr && rows > 0 ? rows : 0) {}

    uint8_t* Base() const noexcept { return m_base; }
    int32_t BytesPerRow() const noexcept { return m_bytesPerRow; }
    int32_t Rows() const noexcept { return m_rows; }

    uint8_t& At(int32_t i, int32_t r) {
        CheckElement(i, r);
        return m_base[Offset(i, r)];
    }
    const uint8_t& At(int32_t i, int32_t r) const {
        CheckElement(i, r);
        return m_base[Offset(i, r)];
    }

    // The start of row r, for a caller that will use its bytes 0 .. length - 1.
    uint8_t* Row(int32_t r, int32_t length) {
        CheckRow(r, length);
        return m_base + Offset(0, r);
    }
    const uint8_t* Row(int32_t r, int32_t length) const {
        CheckRow(r, length);
        return m_base + Offset(0, r);
    }

private:
    // The limits are never negative, so one unsigned comparison covers both ends.
    static bool InRange(int32_t v, int32_t limit) noexcept {
        return static_cast<uint32_t>(v) < static_cast<uint32_t>(limit);
    }
    void CheckElement(int32_t i, int32_t r) const {
        if (!InRange(i, m_bytesPerRow) || !InRange(r, m_rows)) throw IndexOutOfRangeError();
    }
    void CheckRow(int32_t r, int32_t length) const {
        if (!InRange(r, m_rows) || length < 0 || length > m_bytesPerRow) throw IndexOutOfRangeError();
    }
    // The product of two 32-bit values needs 64 bits; it is in range once the indexes
    // are, since the memory behind the view holds rows * bytesPerRow bytes.
    std::ptrdiff_t Offset(int32_t i, int32_t r) const noexcept {
        return static_cast<std::ptrdiff_t>(static_cast<int64_t>(r) * m_bytesPerRow + i);
    }

    uint8_t* m_base = nullptr;  // borrowed; the owner of the bits frees them
    int32_t m_bytesPerRow = 0;
    int32_t m_rows = 0;
};

}  // namespace tk
