#include "toolkit/CreateFailure.h"

#include <string>

#include "toolkit/SystemError.h"
#include "toolkit/core/Digits.h"
#include "toolkit/core/Errors.h"

namespace tk {

void ThrowCreateFailure(const wchar_t* what) {
    const DWORD code = GetLastError();
    // A refusal without a code (a hook said no, a window procedure failed its creation)
    // would otherwise read "the operation completed successfully".
    std::wstring reason = code ? SystemErrorText(code) : std::wstring();
    if (reason.empty()) reason = L"系统没有给出原因";
    throw GlumaError("window not created",
                     L"无法创建" + std::wstring(what) + L"：" + reason + L"（错误代码 " + tk::Decimal<wchar_t>(code) + L"）");
}

}  // namespace tk
