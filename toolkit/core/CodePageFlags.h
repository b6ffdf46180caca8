#pragma once
// How the system is asked to convert text into a code page so that nothing is guessed and
// every loss is reported, in the forms that code page accepts. The system's UTF-8 and
// GB18030 take neither the no-best-fit flag nor a used-default report: they fail with
// ERROR_INVALID_FLAGS or ERROR_INVALID_PARAMETER. They report a character they cannot hold
// by failing when asked to (WC_ERR_INVALID_CHARS); for UTF-8 that is only a lone surrogate.
// Since Windows 10 1903 the ANSI code page itself may be UTF-8 ("Beta: Use Unicode UTF-8"),
// so what CP_ACP accepts follows the ANSI code page of the running system.

namespace tk {

constexpr unsigned kCodePageAnsi = 0;  // CP_ACP
constexpr unsigned kCodePageUtf8 = 65001;
constexpr unsigned kCodePageGb18030 = 54936;

struct ConversionFlags {
    bool noBestFit = false;          // WC_NO_BEST_FIT_CHARS
    bool reportDefaultUsed = false;  // pass a used-default pointer
    bool failOnLoss = false;         // WC_ERR_INVALID_CHARS
};

// For codePage (kCodePageAnsi meaning ansiCodePage, what GetACP() gives); lossWanted when
// the caller wants to know that something could not be kept.
constexpr ConversionFlags FlagsFor(unsigned codePage, unsigned ansiCodePage, bool lossWanted) {
    const unsigned actual = codePage == kCodePageAnsi ? ansiCodePage : codePage;
    if (actual == kCodePageUtf8 || actual == kCodePageGb18030) return {false, false, lossWanted};
    return {true, lossWanted, false};
}

}  // namespace tk
