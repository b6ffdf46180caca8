#include "toolkit/core/PixelRuns.h"

namespace tk {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kRunSize = 5;  // count, then blue, green, red

}  // namespace

uint32_t BmpField32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::vector<uint8_t> ExpandPixelRuns(const uint8_t* data, std::size_t size) {
    if (size < kFileHeaderSize) return {};
    const std::size_t fileSize = BmpField32(data + 2), start = BmpField32(data + 10);
    if (start < kFileHeaderSize || start > size || start > fileSize) return {};
    std::vector<uint8_t> bmp(data, data + start);
    for (std::size_t at = start; at < size; at += kRunSize) {
        if (size - at < kRunSize) return {};
        const std::size_t count = data[at] | data[at + 1] << 8;
        if (count == 0 || count * 3 > fileSize - bmp.size()) return {};
        for (std::size_t i = 0; i < count; ++i) bmp.insert(bmp.end(), data + at + 2, data + at + kRunSize);
    }
    if (bmp.size() != fileSize) return {};
    return bmp;
}

}  // namespace tk
