// The imaging kernels against their plain references, on any input (see ImagingChecks.h).
#include <cstdlib>

#include "ImagingChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    if (!fuzz::CheckImagingCase(in)) std::abort();
    return 0;
}
