#include "toolkit/Gdi.h"

namespace tk {

BITMAPINFOHEADER Dib24Header(int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

HBITMAP CreateDib24(const BITMAPINFOHEADER& header, void** bits, HDC dc) {
    // A 24-bit picture has no colour table: the header is all the system reads.
    return CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace tk
