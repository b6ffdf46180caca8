#include "toolkit/Clock.h"

#include <utility>

namespace tk {
namespace {
std::function<SYSTEMTIME()>& TestClock() {
    static std::function<SYSTEMTIME()> clock;
    return clock;
}
}  // namespace

SYSTEMTIME Now() {
    if (TestClock()) return TestClock()();
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st;
}

SYSTEMTIME Today() {
    SYSTEMTIME st = Now();
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    return st;
}

void SetClockForTesting(std::function<SYSTEMTIME()> clock) { TestClock() = std::move(clock); }

}  // namespace tk
