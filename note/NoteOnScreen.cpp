#include "note/NoteOnScreen.h"

#include <vector>

#include "note/core/CardPlacement.h"

namespace note {
namespace {

Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<Box>*>(areas)->push_back(ToBox(info.rcWork));
    return TRUE;
}

// The card within the window: the bounding box of its shape, or the whole window.
RECT CardInWindow(HWND hwnd, const RECT& window) {
    RECT box;
    if (GetWindowRgnBox(hwnd, &box) == ERROR) box = RECT{0, 0, window.right - window.left, window.bottom - window.top};
    return box;
}

// A minimised window's place is its normal (restored) one, which the system keeps in
// workspace coordinates: relative to the primary monitor's work area.
POINT WorkspaceOrigin() {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

void KeepCardOnScreen(HWND note) {
    std::vector<Box> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    const bool minimised = IsIconic(note) && GetWindowPlacement(note, &placement);
    RECT window;
    if (minimised) {
        window = placement.rcNormalPosition;
        const POINT origin = WorkspaceOrigin();
        OffsetRect(&window, origin.x, origin.y);
    } else {
        GetWindowRect(note, &window);
    }
    RECT card = CardInWindow(note, window);
    OffsetRect(&card, window.left, window.top);

    const Offset move = CardOffsetOntoScreens(ToBox(card), areas);
    if (move.dx == 0 && move.dy == 0) return;
    if (minimised) {
        OffsetRect(&placement.rcNormalPosition, move.dx, move.dy);
        placement.showCmd = SW_SHOWMINNOACTIVE;  // stays minimised, takes nothing from the user
        SetWindowPlacement(note, &placement);
    } else {
        SetWindowPos(note, nullptr, window.left + move.dx, window.top + move.dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace note
