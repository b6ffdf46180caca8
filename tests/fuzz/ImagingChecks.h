#pragma once
// One case of one imaging kernel built from the input's bytes (sizes, seeds, views that
// may hold less than the sizes say, pixels) and checked against the plain reference: the
// same bytes written, the same draws, the same error, and on an error raised before
// writing, nothing written. Run by the fuzzer and, on seeded
// inputs, by the native tests.
#include <random>

#include "FuzzInput.h"
#include "ImagingReference.h"
#include "imaging/core/Noise.h"
#include "imaging/core/Resample.h"

namespace fuzz {

enum class Outcome { Done, Index, Overflow };

template <class F>
Outcome Run(F&& f) try {
    f();
    return Outcome::Done;
} catch (const tk::IndexOutOfRangeError&) {
    return Outcome::Index;
} catch (const tk::OverflowError&) {
    return Outcome::Overflow;
}

// A picture of w x h (each may be 0 or less) whose view may be cut short in rows and length.
inline ref::Picture MakeView(Input& in, int32_t w, int32_t h) {
    const uint8_t cut = in.Byte();
    ref::Picture p(w, std::max(h, 0) - (cut & 1 ? in.Below(3) : 0), cut & 2 ? in.Below(8) : 0);
    in.Fill(p.bytes.data(), p.bytes.size());
    return p;
}

inline bool CheckResample(Input& in) {
    const bool big = in.Byte() > 240;  // now and then many target pixels per source pixel
    const int32_t sw = in.Below(24), sh = in.Below(24), tw = in.Below(big ? 900 : 40), th = in.Below(big ? 9 : 40);
    ref::Picture src = MakeView(in, sw, sh), plain = MakeView(in, tw, th);
    const ref::Picture fresh = plain;
    tk::ByteView s = src.View(), p = plain.View();
    // The reference writes until it fails, so a target view too small only has the kernel's rule.
    const bool fits = tw <= 0 || th <= 0 || (3 * tw <= p.BytesPerRow() && th <= p.Rows());
    const Outcome want = fits ? Run([&] { ref::Resample(s, sw, sh, p, tw, th); }) : Outcome::Index;
    for (auto path : {imaging::detail::ResamplePath::Portable, imaging::detail::ResamplePath::Vector}) {
        ref::Picture out = fresh;
        tk::ByteView t = out.View();
        if (Run([&] { imaging::detail::ResampleBilinear(s, sw, sh, t, tw, th, path); }) != want) return false;
        if (out.bytes != (want == Outcome::Done ? plain.bytes : fresh.bytes)) return false;
    }
    return true;
}

inline bool CheckNoise(Input& in) {
    const bool tall = in.Byte() & 1;  // the colour loop works in blocks that depend on the height
    const int32_t w = in.Below(tall ? 12 : 160) - 2, h = in.Below(tall ? 2500 : 40) - 2;
    const bool gray = in.Byte() & 1;
    const float seed = static_cast<float>(in.Word()) / 7;
    ref::Picture out = MakeView(in, w, h), plain = out;
    const ref::Picture fresh = out;
    tk::ByteView v = out.View(), p = plain.View();
    tk::Random random(seed), reference(seed);
    const bool fits = w <= 0 || h <= 0 || (3 * w <= v.BytesPerRow() && h <= v.Rows());
    const Outcome o = Run([&] { imaging::FillNoise(v, w, h, gray, random); });
    if (!fits) return o == Outcome::Index && out.bytes == fresh.bytes;
    ref::Noise(p, w, h, gray, reference);
    return o == Outcome::Done && out.bytes == plain.bytes && random.NextWord() == reference.NextWord();
}

// The kernel is chosen by the first byte.
inline bool CheckImagingCase(Input& in) { return in.Byte() & 1 ? CheckResample(in) : CheckNoise(in); }

}  // namespace fuzz
