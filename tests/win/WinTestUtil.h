#pragma once
// Helpers for the Windows tests.
#include <windows.h>

#include <functional>

#include "toolkit/Form.h"

namespace wintest {

// Dispatches pending messages, for about `ms` milliseconds, or until `done` holds.
inline void Pump(DWORD ms = 50, const std::function<bool()>& done = nullptr) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done && done()) return;
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

// A plain form for tests that need a window.
class TestForm : public tk::Form {
public:
    explicit TestForm(const tk::FormStyle& style = tk::FormStyle()) : Form(style) {}
    int loads = 0;
    int unloads = 0;
    bool cancelUnload = false;

protected:
    void OnLoad() override { ++loads; }
    void OnUnload(bool& cancel) override {
        ++unloads;
        cancel = cancelUnload;
    }
};

}  // namespace wintest
