#include "toolkit/Clock.h"

namespace tk {
namespace {

SYSTEMTIME SystemNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st;
}

}  // namespace

Clock g_clock = SystemNow;

SYSTEMTIME Now() { return g_clock(); }

SYSTEMTIME Today() {
    SYSTEMTIME st = Now();
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    return st;
}

}  // namespace tk
