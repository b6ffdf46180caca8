// mintray: the smallest Win32 program that adds one notification-area icon; the baseline
// the start-up benchmark compares GlumaNote with. Prints, in microseconds since process
// creation, when the icon was added and (with "delete") how long the delete took, then exits.
//   mintray [delete|stay]   (stay: keeps the icon and runs a message loop until killed)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

double MicrosSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    return (b.QuadPart - a.QuadPart) / 10.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"mintray", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    NOTIFYICONDATAW nid = {};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_TIP;
    nid.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(nid.szTip, L"mintray");
    Shell_NotifyIconW(NIM_ADD, &nid);
    double added = MicrosSinceProcessStart();
    printf("{\"icon_added_us\":%.0f", added);
    if (argc > 1 && lstrcmpW(argv[1], L"delete") == 0) {
        Sleep(500);
        double before = MicrosSinceProcessStart();
        Shell_NotifyIconW(NIM_DELETE, &nid);
        printf(",\"delete_us\":%.0f", MicrosSinceProcessStart() - before);
    }
    printf("}\n");
    fflush(stdout);
    if (argc > 1 && lstrcmpW(argv[1], L"stay") == 0) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }
    return 0;
}
