#include "platform/win32/AccessibleControl.h"

#include "platform/Accessibility.h"
#include "platform/win32/FormWindow.h"
#include "win32kit/Guarded.h"

#include <oleacc.h>

#include <new>

namespace platform::win32 {

namespace {

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

LONG roleCode(ui::AccessibleRole role)
{
    switch (role) {
    case ui::AccessibleRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ui::AccessibleRole::Graphic:
        return ROLE_SYSTEM_GRAPHIC;
    case ui::AccessibleRole::Pane:
        return ROLE_SYSTEM_PANE;
    case ui::AccessibleRole::StaticText:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

// What the record of the control says now; found is false once the control or its form is gone.
struct ControlFacts {
    bool found = false;
    ui::ControlSpec props;
    bool clickable = false;
};

ControlFacts factsOf(HWND window)
{
    ControlFacts facts;
    if (!IsWindow(window))
        return facts;
    const std::shared_ptr<FormWindow> form = FormWindow::of(window);
    const ui::ControlId id = GetDlgCtrlID(window);
    const Control* control = form ? form->controls().find(id) : nullptr;
    // The id may already name a newer control with a window of its own.
    if (!control || control->window.get() != window)
        return facts;
    facts.found = true;
    facts.props = control->props;
    facts.clickable = facts.props.pressable || form->clickable(id);
    return facts;
}

class AccessibleControl final : public IAccessible {
public:
    AccessibleControl(OleAccess& ole, HWND window, win32kit::ComPtr<IAccessible> standard)
        : ole_(ole)
        , window_(window)
        , standard_(std::move(standard))
    {
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (!result)
            return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *result = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch, through the library's description of IAccessible.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = ole_.accessibleTypeInfo() ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) override
    {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        ITypeInfo* info = ole_.accessibleTypeInfo();
        if (index != 0 || !info)
            return DISP_E_BADINDEX;
        info->AddRef();
        *result = info;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        ITypeInfo* info = ole_.accessibleTypeInfo();
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        return info ? info->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override
    {
        ITypeInfo* info = ole_.accessibleTypeInfo();
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!info)
            return E_NOTIMPL;
        return win32kit::guarded([&] {
            return info->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception, argumentError);
        });
    }

    // What the record knows.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accName(child, name); });
        return text(name, [](const ui::AccessibleText& t) -> const std::string& { return t.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accDescription(child, description); });
        return text(description, [](const ui::AccessibleText& t) -> const std::string& { return t.description; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accRole(child, role); });
        if (!role)
            return E_POINTER;
        return win32kit::guarded([&] {
            const ControlFacts facts = factsOf(window_);
            if (!facts.found)
                return E_FAIL;
            role->vt = VT_I4;
            role->lVal = roleCode(ui::AccessibleRoleOf(facts.props.kind, facts.clickable));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accState(child, state); });
        if (!state)
            return E_POINTER;
        if (!IsWindow(window_))
            return E_FAIL;
        // From the window itself: hidden with the bar or a panel around it counts as hidden too.
        LONG bits = 0;
        if (!IsWindowVisible(window_))
            bits |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(window_))
            bits |= STATE_SYSTEM_UNAVAILABLE;
        if (GetWindowLongPtrA(window_, GWL_STYLE) & WS_TABSTOP)
            bits |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == window_)
            bits |= STATE_SYSTEM_FOCUSED;
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accDefaultAction(child, action); });
        if (!action)
            return E_POINTER;
        *action = nullptr;
        return win32kit::guarded([&] {
            const ControlFacts facts = factsOf(window_);
            if (!facts.found)
                return E_FAIL;
            if (!facts.clickable)
                return S_FALSE;
            *action = ole_.newString("Press");
            return *action ? S_OK : E_OUTOFMEMORY;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!isSelf(child))
            return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.accDoDefaultAction(child); });
        return win32kit::guarded([&] {
            const ControlFacts facts = factsOf(window_);
            if (!facts.found)
                return E_FAIL;
            if (!facts.clickable)
                return DISP_E_MEMBERNOTFOUND;
            // What the user cannot click now, a reader cannot press either.
            if (!IsWindowVisible(window_) || !IsWindowEnabled(window_))
                return E_FAIL;
            // Not during the reader's call: a press may open a menu and wait for the user.
            return PostMessageA(window_, kAccessiblePressMessage, 0, 0) ? S_OK : E_FAIL;
        });
    }

    // What the system's object for the window knows.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standardOr(E_FAIL, [&](IAccessible& s) { return s.get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return standardOr(E_FAIL, [&](IAccessible& s) { return s.get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override
    {
        return standardOr(E_INVALIDARG, [&](IAccessible& s) { return s.get_accChild(child, result); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standardOr(DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standardOr(DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standardOr(
            DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standardOr(
            DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return standardOr(DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accFocus(focus); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return standardOr(DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.get_accSelection(selection); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return standardOr(DISP_E_MEMBERNOTFOUND, [&](IAccessible& s) { return s.accSelect(flags, child); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standardOr(E_FAIL, [&](IAccessible& s) { return s.accLocation(left, top, width, height, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standardOr(E_FAIL, [&](IAccessible& s) { return s.accNavigate(direction, start, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return standardOr(E_FAIL, [&](IAccessible& s) { return s.accHitTest(x, y, child); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleControl() = default;

    template <class Call> HRESULT standardOr(HRESULT without, Call&& call)
    {
        if (!standard_)
            return without;
        return win32kit::guarded([&] { return call(*standard_.get()); });
    }

    // A name or description: S_FALSE and no string when the control has none.
    template <class Pick> HRESULT text(BSTR* out, Pick&& pick)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return win32kit::guarded([&] {
            const ControlFacts facts = factsOf(window_);
            if (!facts.found)
                return E_FAIL;
            const ui::AccessibleText texts = ui::AccessibleTextOf(facts.props);
            const std::string& chosen = pick(texts);
            if (chosen.empty())
                return S_FALSE;
            *out = ole_.newString(chosen);
            return *out ? S_OK : E_OUTOFMEMORY;
        });
    }

    OleAccess& ole_;
    HWND window_;
    win32kit::ComPtr<IAccessible> standard_;
    LONG references_ = 1;
};

} // namespace

void announceCaptionChange(HWND control, ui::ControlKind kind)
{
    if (control && !ui::NamedByToolTip(kind))
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void announceToolTipChange(HWND control, ui::ControlKind kind)
{
    if (control)
        NotifyWinEvent(ui::NamedByToolTip(kind) ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_DESCRIPTIONCHANGE, control,
            OBJID_CLIENT, CHILDID_SELF);
}

LRESULT answerAccessibleObject(OleAccess& ole, HWND control, WPARAM flags)
{
    const auto object =
        win32kit::ComPtr<IAccessible>::adopt(new AccessibleControl(ole, control, ole.standardObject(control)));
    // The answer holds its own reference; ours goes when `object` does.
    return ole.answer(flags, object.get());
}

} // namespace platform::win32
