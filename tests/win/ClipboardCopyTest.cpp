// cDIBSection::CopyToClipboard with the real clipboard.
#include <gtest/gtest.h>

#include "DibSectionTestUtil.h"

namespace {

TEST(ClipboardCopy, AsBitmapTheClipboardGetsABitmapThatShowsThePicture) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(29, 7));
    dib->RandomiseBits(true);
    ASSERT_TRUE(dib->CopyToClipboard(false));
    ASSERT_TRUE(OpenClipboard(nullptr));
    ref::Picture got(29, 7), want = dibtest::Bytes(*dib);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), 29, 7, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    EXPECT_EQ(GetDIBits(dib->hdc(), bitmap, 0, 7, got.bytes.data(), &bi, DIB_RGB_COLORS), 7);
    CloseClipboard();
    for (int32_t y = 0; y < 7; ++y) EXPECT_EQ(std::memcmp(got.Pixel(0, y), want.Pixel(0, y), 87), 0) << y;
}

}  // namespace
