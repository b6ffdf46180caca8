// The pixel operations of cDIBSection: resampling into a new object, and noise.
#include "imaging/cDIBSection.h"

#include "imaging/core/Noise.h"
#include "imaging/core/Resample.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/Random.h"

namespace {

// The local time of day in seconds, with the milliseconds as a fraction.
float SecondsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    double seconds = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
    return static_cast<float>(seconds);
}

}  // namespace

std::shared_ptr<cDIBSection> cDIBSection::Resample(int32_t lNewHeight, int32_t lNewWidth) {
    std::shared_ptr<cDIBSection> target = New();
    if (!target->Create(lNewWidth, lNewHeight)) return nullptr;
    // A cleared object still reports its last size but has no pixels: the copy would
    // hand back a picture that was never this one, so it fails as a read outside would.
    if (!Holding()) throw tk::IndexOutOfRangeError();
    if (lNewWidth == Width() && lNewHeight == Height()) {
        target->LoadPictureBlt(m_hDC.Get(), 0, 0, -1, -1, SRCCOPY);
    } else {
        ResampleInto(*target);
    }
    return target;
}

void cDIBSection::ResampleInto(cDIBSection& target) {
    const tk::ByteView source = PixelView();
    tk::ByteView dest = target.PixelView();
    imaging::ResampleBilinear(source, Width(), Height(), dest, target.Width(), target.Height());
}

void cDIBSection::RandomiseBits(bool bGray) {
    // After ClearUp the header still has a size, but there is no memory behind it.
    tk::ByteView bits = PixelView();
    if (!bits.Base()) return;
    tk::Random random(SecondsSinceMidnight());
    imaging::FillNoise(bits, Width(), Height(), bGray, random);
}
