#include "toolkit/Accessible.h"

#include <oleacc.h>

#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/WindowMessages.h"

namespace tk {
namespace {

HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(long value, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT Nothing(VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// The system's object for a child window, as a reader would get it from that window.
HRESULT WindowObject(HWND hwnd, IDispatch** out) {
    return AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                      reinterpret_cast<void**>(out));
}

}  // namespace

// One object per form, made when a reader first asks. Children 1..n are the described
// labels, then the visible child windows in their order on the window.
class AccessibleObject final : public IAccessible {
public:
    explicit AccessibleObject(AccessibleLabels& owner) : m_owner(&owner) {}
    void Forget() { m_owner = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible))
            return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: readers call the interface directly; no type information is offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return count ? (*count = 0, S_OK) : E_POINTER; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return Window() ? WindowObject(Window(), out) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* out) override {
        if (!out) return E_POINTER;
        if (!Window()) return CO_E_OBJNOTCONNECTED;
        *out = Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        if (HWND child = ChildWindow(id.lVal)) return WindowObject(child, out);
        return S_FALSE;  // a simple element: the reader asks this object about it
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        if (const AccessibleLabel* e = Element(id.lVal)) return Text(e->name.empty() ? e->label->Caption() : e->name, out);
        if (id.lVal == CHILDID_SELF) return Text(Caption(), out);
        return E_INVALIDARG;  // a child window answers for itself
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        if (const AccessibleLabel* e = Element(id.lVal)) return Number(e->role, out);
        return Number(id.lVal == CHILDID_SELF ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_WINDOW, out);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        const long shown = IsWindowVisible(Window()) ? 0 : STATE_SYSTEM_INVISIBLE;
        if (const AccessibleLabel* e = Element(id.lVal))
            return Number(e->state | shown, out);
        if (id.lVal != CHILDID_SELF) return E_INVALIDARG;
        return Number(shown | STATE_SYSTEM_FOCUSABLE | (GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0), out);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        const AccessibleLabel* e = Element(id.lVal);
        return Text(e ? e->defaultAction : std::wstring(), out);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        const AccessibleLabel* e = Element(id.lVal);
        return Text(e ? e->shortcut : std::wstring(), out);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT id) override {
        if (!x || !y || !w || !h) return E_POINTER;
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        RECT r{};
        if (HWND child = ChildWindow(id.lVal)) {
            GetWindowRect(child, &r);
        } else {
            // From the label's rectangle as it is now, in screen pixels.
            if (const AccessibleLabel* e = Element(id.lVal)) r = e->label->Rect();
            else GetClientRect(Window(), &r);
            MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        *x = r.left, *y = r.top, *w = r.right - r.left, *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        if (!out) return E_POINTER;
        if (!Window()) return CO_E_OBJNOTCONNECTED;
        POINT pt{x, y};
        RECT client;
        GetClientRect(Window(), &client);
        ScreenToClient(Window(), &pt);
        if (!PtInRect(&client, pt)) return Nothing(out);
        // Child windows lie over the drawn card.
        HWND child = ChildWindowFromPointEx(Window(), pt, CWP_SKIPINVISIBLE);
        if (child && child != Window()) return Dispatch(child, out);
        const auto& elements = m_owner->m_elements;
        for (std::size_t i = elements.size(); i-- > 0;) {
            if (PtInRect(&elements[i].label->Rect(), pt))
                return Number(static_cast<long>(i + 1), out);
        }
        return Number(CHILDID_SELF, out);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        const HRESULT hr = Check(start);
        if (hr != S_OK) return hr;
        long to = 0;
        if (start.lVal == CHILDID_SELF) to = dir == NAVDIR_FIRSTCHILD ? 1 : dir == NAVDIR_LASTCHILD ? Count() : 0;
        else if (dir == NAVDIR_NEXT) to = start.lVal + 1;
        else if (dir == NAVDIR_PREVIOUS) to = start.lVal - 1;
        if (to < 1 || to > Count()) return Nothing(out);
        if (HWND child = ChildWindow(to)) return Dispatch(child, out);
        return Number(to, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        if (!Window()) return CO_E_OBJNOTCONNECTED;
        HWND focus = GetFocus();
        if (focus == Window()) return Number(CHILDID_SELF, out);
        if (!focus || !IsChild(Window(), focus)) return Nothing(out);
        while (GetParent(focus) != Window()) focus = GetParent(focus);
        return Dispatch(focus, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        const HRESULT hr = Check(id);
        if (hr != S_OK) return hr;
        const AccessibleLabel* e = Element(id.lVal);
        if (!e || !e->action) return DISP_E_MEMBERNOTFOUND;
        // Posted: a menu's loop or the window's end must not run inside the reader's call.
        return PostMessageW(Window(), WM_ACCESSIBLE_ACTION, static_cast<WPARAM>(id.lVal), 0) ? S_OK : E_FAIL;
    }

    // What the labels do not have.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, LONG*) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

private:
    ~AccessibleObject() = default;

    // Null once the form or its window is gone.
    HWND Window() const { return m_owner ? m_owner->m_hwnd : nullptr; }
    std::wstring Caption() const {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Window())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(Window(), &text[0], static_cast<int>(text.size()))));
        return text;
    }

    // The visible child windows, in their order on the window (the keyboard's order).
    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> children;
        for (HWND c = GetWindow(Window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (IsWindowVisible(c)) children.push_back(c);
        return children;
    }
    long Count() const { return static_cast<long>(m_owner->m_elements.size() + ChildWindows().size()); }

    HRESULT Check(const VARIANT& id) const {
        if (!Window()) return CO_E_OBJNOTCONNECTED;
        if (id.vt != VT_I4 || id.lVal < 0 || id.lVal > Count()) return E_INVALIDARG;
        return S_OK;
    }
    const AccessibleLabel* Element(long id) const {
        const auto& elements = m_owner->m_elements;
        return id >= 1 && id <= static_cast<long>(elements.size()) ? &elements[id - 1] : nullptr;
    }
    HWND ChildWindow(long id) const {
        const long index = id - 1 - static_cast<long>(m_owner->m_elements.size());
        const std::vector<HWND> children = ChildWindows();
        return index >= 0 && index < static_cast<long>(children.size()) ? children[index] : nullptr;
    }
    static HRESULT Dispatch(HWND child, VARIANT* out) {
        IDispatch* object = nullptr;
        const HRESULT hr = WindowObject(child, &object);
        if (FAILED(hr)) return hr;
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return S_OK;
    }

    LONG m_refs = 1;
    AccessibleLabels* m_owner;  // we don't own it; null once it is gone
};

void AccessibleLabels::Detach() {
    m_hwnd = nullptr;
    if (!m_object) return;
    m_object->Forget();
    m_object->Release();
    m_object = nullptr;
}

void AccessibleLabels::SetState(std::size_t child, long state) {
    m_elements.at(child - 1).state = state;
    NotifyReaders(EVENT_OBJECT_STATECHANGE, m_hwnd, static_cast<LONG>(child));
}

bool AccessibleLabels::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_elements.empty()) return false;
    if (msg == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (!m_object) m_object = new AccessibleObject(*this);
        result = LresultFromObject(__uuidof(IAccessible), wParam, m_object);
        return true;
    }
    if (msg == WM_ACCESSIBLE_ACTION) {
        result = 0;
        if (wParam >= 1 && wParam <= m_elements.size() && m_elements[wParam - 1].action) m_elements[wParam - 1].action();
        return true;
    }
    return false;
}

void AddHiddenLabel(HWND parent, const std::wstring& name) {
    // Without WS_VISIBLE it is never drawn. Should the system refuse it, the control only
    // goes unnamed, which is no reason to refuse the control.
    CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD | SS_LEFT, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), Instance(), nullptr);
}

void NotifyReaders(DWORD event, HWND hwnd, LONG child) { NotifyWinEvent(event, hwnd, OBJID_CLIENT, child); }

}  // namespace tk
