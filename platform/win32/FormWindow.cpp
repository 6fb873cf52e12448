#include "platform/win32/FormWindow.h"

#include "platform/FocusRules.h"
#include "platform/win32/PopupMenu.h"
#include "platform/win32/ToolkitWindowClasses.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace platform::win32 {

namespace {

// Mouse positions arrive as two signed 16-bit values (negative on multiple monitors).
int lowWord(LPARAM value)
{
    return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(value)));
}
int highWord(LPARAM value)
{
    return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(value)));
}

// Shift 1, Ctrl 2, Alt 4, as the mouse events report them.
int shiftState(WPARAM keys)
{
    int shift = 0;
    if (keys & MK_SHIFT)
        shift |= 1;
    if (keys & MK_CONTROL)
        shift |= 2;
    if (GetKeyState(VK_MENU) < 0)
        shift |= 4;
    return shift;
}

std::string windowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::vector<int> listSelection(HWND list, bool multiSelect)
{
    std::vector<int> selected;
    if (!multiSelect) {
        const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR)
            selected.push_back(static_cast<int>(index));
        return selected;
    }
    const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count <= 0)
        return selected;
    selected.resize(static_cast<std::size_t>(count));
    const LRESULT got =
        SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(selected.data()));
    selected.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return selected;
}

} // namespace

std::shared_ptr<FormWindow> FormWindow::create(
    ToolkitContext& context, const ui::FormSpec& props, ui::FormEvents& events)
{
    auto form = std::make_shared<FormWindow>(Key {}, context, props, events);
    form->createWindow(props);
    form->ready_ = true;
    return form;
}

FormWindow::FormWindow(Key, ToolkitContext& context, const ui::FormSpec& props, ui::FormEvents& events)
    : context_(context)
    , events_(events)
    , props_(props)
    , background_(CreateSolidBrush(toColorRef(props.back)))
    , controls_(context)
{
    controls_.setDefaultButton(props.defaultButton);
}

FormWindow::~FormWindow()
{
    // Normally the toolkit destroyed the window already; this covers any other way out.
    quiet_ = true;
    if (const HWND window = window_.release()) {
        DestroyWindow(window);
        controls_.windowsGone();
    }
}

void FormWindow::createWindow(const ui::FormSpec& props)
{
    DWORD style = WS_CLIPCHILDREN;
    if (!props.titleBar) {
        style |= WS_POPUP | WS_BORDER;
    } else {
        style |= WS_CAPTION | WS_SYSMENU;
        if (props.sizable)
            style |= WS_THICKFRAME;
        if (!props.toolWindow)
            style |= WS_MINIMIZEBOX | (props.sizable ? WS_MAXIMIZEBOX : 0);
    }
    const DWORD exStyle = props.toolWindow ? WS_EX_TOOLWINDOW : 0;
    RECT pixels = toPixelRect(props.rect, context_.scale);
    if (props.client.width > 0 && props.client.height > 0) {
        const RECT client = toPixelRect({0, 0, props.client.width, props.client.height}, context_.scale);
        RECT frame = client;
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        pixels.right = pixels.left + (frame.right - frame.left);
        pixels.bottom = pixels.top + (frame.bottom - frame.top);
    }
    win32kit::WindowSpec creation;
    creation.className = kFormClass;
    creation.title = props.caption.c_str();
    creation.style = style;
    creation.exStyle = exStyle;
    creation.bounds = pixels;
    creation.parent = props.owner ? toHwnd(props.owner) : nullptr;
    if (!win32kit::createWindow(context_.instance, creation, *this))
        throw std::runtime_error("the form's window could not be created");
}

std::shared_ptr<FormWindow> FormWindow::of(HWND window)
{
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!root)
        return nullptr;
    auto* form = static_cast<FormWindow*>(win32kit::WindowBase::of(root));
    return form ? form->weak_from_this().lock() : nullptr;
}

void FormWindow::onCreated(HWND window)
{
    window_.reset(window);
    controls_.attach(window);
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The form's destructor is taking the window down: nothing of the form is left to ask.
    if (weak_from_this().expired())
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT keyResult = 0;
    if (dialogMessage(message, wParam, lParam, keyResult))
        return keyResult;
    switch (message) {
    case WM_NCCREATE:
        onCreated(window);
        break;
    case WM_ERASEBKGND:
        if (paintBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        break;
    case WM_SIZE:
        onSize(wParam);
        return 0;
    case WM_TIMER:
        onTimer(static_cast<ui::TimerId>(wParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        doubleClick(0);
        return 0;
    case WM_MOUSEWHEEL:
        wheel(wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        // The window menu, the close box and Alt+F4 all arrive here.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            requestClose(ui::CloseReason::ControlMenu);
            return 0;
        }
        break;
    case WM_CLOSE:
        requestClose(ui::CloseReason::Other);
        return 0;
    case WM_QUERYENDSESSION:
        return !canNotify() || events_.onCloseRequest(ui::CloseReason::Session) ? TRUE : FALSE;
    case WM_ENDSESSION:
        // Only now is the session really ending; another program may have cancelled it.
        if (wParam && alive())
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    default: {
        LRESULT result = 0;
        if (handleChildNotification(message, wParam, lParam, result))
            return result;
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool FormWindow::paintBackground(HDC dc)
{
    RECT client {};
    if (!background_ || !GetClientRect(window_.get(), &client))
        return false;
    FillRect(dc, &client, background_.get());
    return true;
}

void FormWindow::onSize(WPARAM)
{
    if (canNotify())
        events_.onResize();
}

void FormWindow::onTimer(ui::TimerId id)
{
    // A tick already queued when the timer was stopped, or set to no interval, is dropped.
    const auto timer = timers_.find(id);
    if (timer == timers_.end() || !timer->second.enabled || timer->second.intervalMs <= 0 || !canNotify())
        return;
    // A tick that lets pending messages run must not start the same timer's handler again.
    if (!timersRunning_.insert(id).second)
        return;
    try {
        events_.onTimer(id);
    } catch (...) {
        timersRunning_.erase(id);
        throw;
    }
    timersRunning_.erase(id);
}

bool FormWindow::requestClose(ui::CloseReason reason)
{
    const bool granted = !canNotify() || events_.onCloseRequest(reason);
    if (granted && alive())
        DestroyWindow(window_.get());
    return granted;
}

void FormWindow::onDestroy()
{
    unregisterHotKey();
    dying_ = true;
    if (canNotify())
        events_.onClosed();
}

void FormWindow::windowDestroyed(HWND)
{
    if (weak_from_this().expired())
        return; // the destructor lets go of the window and its controls itself
    window_.release();
    controls_.windowsGone();
    timers_.clear();
    dying_ = true;
}

LRESULT FormWindow::resultAfterFailure(HWND, UINT, WPARAM, LPARAM)
{
    // Not the default answer: that would, for one, destroy the window on a close that failed.
    return 0;
}

void FormWindow::destroyQuietly()
{
    quiet_ = true;
    if (window_ && !dying_)
        DestroyWindow(window_.get());
}

void FormWindow::show(bool visible)
{
    if (alive())
        ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE);
}

void FormWindow::showInactive()
{
    if (alive())
        ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

ui::Rect FormWindow::rect() const
{
    RECT frame {};
    if (!window_ || !GetWindowRect(window_.get(), &frame))
        return ui::Rect {};
    const TwipsPerPixel scale = context_.scale;
    return ui::Rect {toTwips(frame.left, scale.x), toTwips(frame.top, scale.y),
        toTwips(frame.right - frame.left, scale.x), toTwips(frame.bottom - frame.top, scale.y)};
}

void FormWindow::setRect(const ui::Rect& rect)
{
    if (!alive())
        return;
    const RECT pixels = toPixelRect(rect, context_.scale);
    SetWindowPos(window_.get(), nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
        pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

ui::Size FormWindow::clientSize() const
{
    RECT client {};
    if (!window_ || !GetClientRect(window_.get(), &client))
        return ui::Size {};
    return ui::Size {toTwips(client.right, context_.scale.x), toTwips(client.bottom, context_.scale.y)};
}

ui::WindowState FormWindow::state() const
{
    if (window_ && IsIconic(window_.get()))
        return ui::WindowState::Minimized;
    if (window_ && IsZoomed(window_.get()))
        return ui::WindowState::Maximized;
    return ui::WindowState::Normal;
}

bool FormWindow::setIcon(const std::string& path)
{
    if (!alive())
        return false;
    const auto load = [&path](int width, int height) {
        return UniqueIcon(
            static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE)));
    };
    UniqueIcon big = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    UniqueIcon small = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (!big || !small)
        return false;
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The previous icons are freed only now that the window no longer shows them.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
    return true;
}

void FormWindow::setTimer(ui::TimerId id, int intervalMs, bool enabled)
{
    Timer& timer = timers_[id];
    if (timer.intervalMs == intervalMs && timer.enabled == enabled)
        return; // an unchanged timer keeps counting towards its next tick
    timer.intervalMs = intervalMs;
    timer.enabled = enabled;
    if (!alive())
        return;
    if (enabled && intervalMs > 0)
        SetTimer(window_.get(), static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
    else
        KillTimer(window_.get(), static_cast<UINT_PTR>(id));
}

ui::MenuId FormWindow::popupMenu(const ui::MenuItem& menu, ui::MenuId defaultItem)
{
    if (!alive())
        return 0;
    std::shared_ptr<PopupMenu>& cached = menus_[menu.id];
    if (!cached || !cached->matches(menu, defaultItem))
        cached = std::make_shared<PopupMenu>(menu, defaultItem);
    // Kept alive through the choice even if a message handled meanwhile replaces the entry.
    const std::shared_ptr<PopupMenu> shown = cached;
    return shown->track(window_.get());
}

void FormWindow::report(ui::UserInput& input)
{
    if (canNotify())
        events_.onInput(input);
}

void FormWindow::mouseUp(ui::ControlId id, ui::MouseButton button, WPARAM keys, LPARAM position)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::MouseUp;
    input.control = id;
    input.button = button;
    input.shift = shiftState(keys);
    input.x = toTwips(lowWord(position), context_.scale.x);
    input.y = toTwips(highWord(position), context_.scale.y);
    report(input);
}

void FormWindow::dropped(ui::ControlId id, LPARAM position)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Drop;
    input.control = id;
    input.x = toTwips(lowWord(position), context_.scale.x);
    input.y = toTwips(highWord(position), context_.scale.y);
    report(input);
}

void FormWindow::wheel(WPARAM wParam, LPARAM lParam)
{
    POINT at {lowWord(lParam), highWord(lParam)};
    ScreenToClient(window_.get(), &at);
    // The deepest visible control under the mouse: a panel's own controls lie inside it.
    HWND under = window_.get();
    for (;;) {
        const HWND child = ChildWindowFromPointEx(under, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == under)
            break;
        MapWindowPoints(under, child, &at, 1);
        under = child;
    }
    POINT client {lowWord(lParam), highWord(lParam)};
    ScreenToClient(window_.get(), &client);
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Wheel;
    input.control = under == window_.get() ? 0 : GetDlgCtrlID(under);
    input.x = toTwips(client.x, context_.scale.x);
    input.y = toTwips(client.y, context_.scale.y);
    input.value = static_cast<short>(HIWORD(wParam));
    report(input);
}

void FormWindow::standardMouseUp(ui::ControlId id, ui::MouseButton button, WPARAM keys, LPARAM position)
{
    const Control* control = controls_.find(id);
    if (control && button == ui::MouseButton::Left && control->props.kind == ui::ControlKind::Button)
        return;
    mouseUp(id, button, keys, position);
}

void FormWindow::press(ui::ControlId id, HWND control)
{
    RECT client {};
    if (!GetClientRect(control, &client) || !IsWindowVisible(control) || !IsWindowEnabled(control))
        return;
    mouseUp(id, ui::MouseButton::Left, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
}

void FormWindow::doubleClick(ui::ControlId id)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::DoubleClick;
    input.control = id;
    report(input);
}

int FormWindow::keyPress(ui::ControlId id, int character)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::KeyPress;
    input.control = id;
    input.characterCode = character;
    report(input);
    return input.characterCode;
}

bool FormWindow::accelerator(int virtualKey)
{
    return canNotify() && events_.onAccelerator(virtualKey);
}

void FormWindow::scrolled(HWND bar, int request)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Scroll;
    input.control = GetDlgCtrlID(bar);
    switch (request) {
    case SB_LINEUP:
        input.scroll = ui::ScrollRequest::LineUp;
        break;
    case SB_LINEDOWN:
        input.scroll = ui::ScrollRequest::LineDown;
        break;
    case SB_PAGEUP:
        input.scroll = ui::ScrollRequest::PageUp;
        break;
    case SB_PAGEDOWN:
        input.scroll = ui::ScrollRequest::PageDown;
        break;
    case SB_THUMBPOSITION: {
        // Only the drop counts; while the thumb is dragged the value stays as it was.
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (!GetScrollInfo(bar, SB_CTL, &info))
            return;
        input.scroll = ui::ScrollRequest::Thumb;
        input.value = info.nTrackPos;
        break;
    }
    case SB_TOP:
        input.scroll = ui::ScrollRequest::Top;
        break;
    case SB_BOTTOM:
        input.scroll = ui::ScrollRequest::Bottom;
        break;
    default:
        return;
    }
    report(input);
}

void FormWindow::commandFrom(HWND child, UINT code)
{
    // The id in wParam is cut to 16 bits; the window knows the whole id.
    const ui::ControlId id = GetDlgCtrlID(child);
    const Control* control = controls_.find(id);
    if (!control || !canNotify())
        return;
    ui::UserInput input;
    input.control = id;
    switch (control->props.kind) {
    case ui::ControlKind::Button: {
        if (code != BN_CLICKED)
            return;
        // A push button tells only of a finished press: the mouse is where it was let go.
        const DWORD at = GetMessagePos();
        POINT point {lowWord(static_cast<LPARAM>(at)), highWord(static_cast<LPARAM>(at))};
        ScreenToClient(child, &point);
        WPARAM keys = 0;
        if (GetKeyState(VK_SHIFT) < 0)
            keys |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0)
            keys |= MK_CONTROL;
        mouseUp(id, ui::MouseButton::Left, keys, MAKELPARAM(point.x, point.y));
        return;
    }
    case ui::ControlKind::CheckBox:
        if (code != BN_CLICKED)
            return;
        input.kind = ui::UserInput::Kind::Check;
        input.value = SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        break;
    case ui::ControlKind::TextBox:
        if (code != EN_CHANGE)
            return;
        input.kind = ui::UserInput::Kind::Text;
        input.text = windowText(child);
        break;
    case ui::ControlKind::ListBox:
        if (code != LBN_SELCHANGE)
            return;
        input.kind = ui::UserInput::Kind::Selection;
        input.selection = listSelection(child, control->props.multiSelect);
        break;
    default:
        return;
    }
    report(input);
}

namespace {
constexpr int kHotKeyId = 1;
} // namespace

bool FormWindow::dialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case DM_GETDEFID: {
        const Control* button = props_.defaultButton ? controls_.find(props_.defaultButton) : nullptr;
        if (!button || !button->props.visible || !button->props.enabled)
            return true;
        result = MAKELRESULT(LOWORD(static_cast<DWORD>(button->id)), DC_HASDEFID);
        return true;
    }
    case WM_NEXTDLGCTL: {
        // A form is no dialog box: the dialog manager asks it to move the focus for the arrows.
        const HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(window_.get(), GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (target && IsChild(window_.get(), target))
            SetFocus(target);
        return true;
    }
    case WM_COMMAND: {
        // Enter and Esc from the dialog manager, naming no child window (the default button may
        // sit in a panel, and no control has the id of "cancel").
        if (lParam != 0 && GetParent(reinterpret_cast<HWND>(lParam)) == window_.get() &&
            GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != static_cast<int>(LOWORD(wParam)))
            return false;
        const UINT command = LOWORD(wParam);
        if (command == IDCANCEL && HIWORD(wParam) == 0 && lParam == 0) {
            switch (ui::EscapeActionOf(props_)) {
            case ui::EscapeAction::PressCancel:
                if (const Control* cancel = controls_.find(props_.cancelButton))
                    press(*cancel);
                break;
            case ui::EscapeAction::Close:
                requestClose(ui::CloseReason::ControlMenu);
                break;
            case ui::EscapeAction::None:
                break;
            }
            return true;
        }
        if (!props_.defaultButton || HIWORD(wParam) != BN_CLICKED ||
            command != LOWORD(static_cast<DWORD>(props_.defaultButton)))
            return false;
        const Control* button = controls_.find(props_.defaultButton);
        // A push button's own click notification goes the usual way.
        if (!button || (lParam != 0 && button->props.kind == ui::ControlKind::Button))
            return false;
        press(*button);
        return true;
    }
    case WM_ACTIVATE:
        if (!props_.dialogKeys)
            return false;
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            lastFocus_ = focus && IsChild(window_.get(), focus) ? focus : nullptr;
        } else if (!HIWORD(wParam)) {
            restoreFocus();
        }
        return true;
    case WM_HOTKEY:
        if (wParam == kHotKeyId && canNotify())
            events_.onHotKey();
        return true;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
        if (canNotify())
            events_.onDisplayChange();
        return false;
    case WM_SETTINGCHANGE:
        // The work area changes when a system bar comes, goes or moves.
        if (wParam == SPI_SETWORKAREA && canNotify())
            events_.onDisplayChange();
        return false;
    default:
        return false;
    }
}

void FormWindow::restoreFocus()
{
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsChild(window_.get(), target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        const Control* first = controls_.find(ui::NextTabStop(controls_.controlSpecs(), 0, false));
        target = first ? first->window.get() : nullptr;
    }
    SetFocus(target ? target : window_.get());
}

bool FormWindow::moveFocus(int virtualKey, bool backwards)
{
    // The dialog manager would follow the windows' z-order, which keeps the overlaps of the
    // layout (a list under its buttons): the order here is the controls' reading order.
    const HWND focus = GetFocus();
    const bool inside = focus && IsChild(window_.get(), focus);
    const ui::ControlId from = inside ? GetDlgCtrlID(focus) : 0;
    const ui::ControlSpecs byId = controls_.controlSpecs();
    ui::ControlId to = 0;
    if (virtualKey == VK_TAB)
        to = ui::NextTabStop(byId, from, backwards);
    else if (virtualKey == VK_LEFT || virtualKey == VK_UP || virtualKey == VK_RIGHT || virtualKey == VK_DOWN)
        to = from ? ui::NextInGroup(byId, from, backwards) : 0;
    else
        return false;
    const Control* target = controls_.find(to);
    if (!target || !target->window)
        return true;
    const HWND window = target->window.get();
    // As in a dialog box, a text box reached by Tab has its text selected.
    if (virtualKey == VK_TAB && (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
        SendMessageA(window, EM_SETSEL, 0, -1);
    SetFocus(window);
    return true;
}

void FormWindow::keyOn(ui::ControlId id, int virtualKey)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Key;
    input.control = id;
    input.virtualKey = virtualKey;
    report(input);
}

void FormWindow::press(const Control& control)
{
    const HWND window = control.window.get();
    if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return;
    if (control.props.kind == ui::ControlKind::Button) {
        // As the button tells of a click: to its parent, the form or a panel.
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(LOWORD(static_cast<DWORD>(control.id)), BN_CLICKED),
            reinterpret_cast<LPARAM>(window));
        return;
    }
    keyOn(control.id, ui::kKeyReturn);
}

bool FormWindow::registerHotKey(int modifiers, int virtualKey)
{
    unregisterHotKey();
    if (!alive())
        return false;
    hotKey_ =
        RegisterHotKey(window_.get(), kHotKeyId, static_cast<UINT>(modifiers), static_cast<UINT>(virtualKey)) != FALSE;
    return hotKey_;
}

void FormWindow::unregisterHotKey()
{
    if (hotKey_ && window_)
        UnregisterHotKey(window_.get(), kHotKeyId);
    hotKey_ = false;
}

bool FormWindow::handleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const HWND child = reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_COMMAND:
        if (!child)
            return false; // a menu or accelerator, not a control
        commandFrom(child, HIWORD(wParam));
        result = 0;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const Control* control = child ? controls_.find(GetDlgCtrlID(child)) : nullptr;
        if (!control || !control->backBrush)
            return false;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, toColorRef(control->props.fore));
        SetBkColor(dc, toColorRef(control->props.back));
        result = reinterpret_cast<LRESULT>(control->backBrush.get());
        return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!child)
            return false;
        scrolled(child, LOWORD(wParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace platform::win32
