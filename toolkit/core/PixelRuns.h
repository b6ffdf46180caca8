#pragma once
// Pictures carried in the program as runs: a BMP file's bytes up to its pixels as they
// are, then each run of equal 3-byte pixels as a little-endian 16-bit count (1 or more)
// and the pixel's three bytes. The skin, 175 KB as a BMP, takes 4 KB so; expanded, it is
// the BMP file again byte for byte. scripts/make-resources.py writes them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tk {

// The BMP file that the runs stand for; empty when they are not well formed (headers cut
// short, a run of no pixel or cut short, pixels that do not fill the file size the header
// gives, or overflow it).
std::vector<uint8_t> ExpandPixelRuns(const uint8_t* data, std::size_t size);

// A little-endian 32-bit field of a BMP file's header (the file's size at byte 2, where its
// pixels start at byte 10).
uint32_t BmpField32(const uint8_t* p);

}  // namespace tk
