#include "platform/win32/Win32Toolkit.h"

#include "platform/win32/Dialogs.h"
#include "platform/win32/Units.h"
#include "win32kit/DcScopes.h"
#include "win32kit/MessagePump.h"

#include <vector>

namespace platform::win32 {

namespace {

struct ScreenResolution {
    TwipsPerPixel scale;
    int pixelsPerInchY = 96;
};

ScreenResolution screenResolution()
{
    const win32kit::WindowDc screen(nullptr);
    ScreenResolution resolution;
    const int perInchX = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    const int perInchY = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    resolution.scale.x = 1440.0f / static_cast<float>(perInchX > 0 ? perInchX : 96);
    resolution.scale.y = 1440.0f / static_cast<float>(perInchY > 0 ? perInchY : 96);
    resolution.pixelsPerInchY = perInchY > 0 ? perInchY : 96;
    return resolution;
}

ToolkitContext makeContext()
{
    const ScreenResolution resolution = screenResolution();
    return ToolkitContext(GetModuleHandleA(nullptr), resolution.scale, resolution.pixelsPerInchY);
}

} // namespace

Win32Toolkit::Win32Toolkit()
    : context_(makeContext())
    , classes_(context_.instance)
{
}

Win32Toolkit::~Win32Toolkit()
{
    // The program's handlers may already be gone: nothing is reported from here on.
    context_.quitting = true;
    for (auto& entry : forms_)
        entry.second->destroyQuietly();
    forms_.clear();
}

std::shared_ptr<FormWindow> Win32Toolkit::find(ui::FormId form)
{
    const auto found = forms_.find(form);
    return found == forms_.end() ? nullptr : found->second;
}

ui::ScreenMetrics Win32Toolkit::screen()
{
    ui::ScreenMetrics metrics;
    metrics.twipsPerPixelX = context_.scale.x;
    metrics.twipsPerPixelY = context_.scale.y;
    metrics.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    metrics.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    return metrics;
}

ui::FormId Win32Toolkit::createForm(const ui::FormSpec& props, ui::FormEvents& events)
{
    std::shared_ptr<FormWindow> form = FormWindow::create(context_, props, events);
    const ui::FormId id = nextForm_++;
    forms_.emplace(id, std::move(form));
    return id;
}

void Win32Toolkit::destroyForm(ui::FormId form)
{
    const auto found = forms_.find(form);
    if (found == forms_.end())
        return;
    // Out of the table first; a handler of this form still running keeps its own reference.
    const std::shared_ptr<FormWindow> doomed = std::move(found->second);
    forms_.erase(found);
    doomed->destroyQuietly();
}

WindowHandle Win32Toolkit::formWindow(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? toHandle(window->window()) : 0;
}

void Win32Toolkit::showForm(ui::FormId form, bool visible)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->show(visible);
}

void Win32Toolkit::showFormInactive(ui::FormId form)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->showInactive();
}

void Win32Toolkit::bringToFront(ui::FormId form)
{
    if (const std::shared_ptr<FormWindow> window = find(form)) {
        window->show(true);
        SetForegroundWindow(window->window());
    }
}

void Win32Toolkit::setFormCaption(ui::FormId form, const std::string& caption)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        SetWindowTextA(window->window(), caption.c_str());
}

void Win32Toolkit::focusControl(ui::FormId form, ui::ControlId id)
{
    // Controls in panels are no direct children of the form: the form's own record knows them.
    if (const std::shared_ptr<FormWindow> window = find(form))
        if (const Control* control = window->controls().find(id); control && control->window)
            SetFocus(control->window.get());
}

bool Win32Toolkit::controlHasFocus(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    if (!window || !window->alive() || GetForegroundWindow() != window->window())
        return false;
    // The thread's own focus, on any control inside the form, panels included. An activated form
    // holds the focus itself, which says nothing of the user's typing.
    const HWND focus = GetFocus();
    return focus && focus != window->window() && IsChild(window->window(), focus);
}

void Win32Toolkit::selectAllText(ui::FormId form, ui::ControlId id)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        if (const Control* control = window->controls().find(id);
            control && control->window && control->props.kind == ui::ControlKind::TextBox)
            SendMessageA(control->window.get(), EM_SETSEL, 0, -1);
}

bool Win32Toolkit::registerHotKey(ui::FormId form, int modifiers, int virtualKey)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window && window->registerHotKey(modifiers, virtualKey);
}

void Win32Toolkit::unregisterHotKey(ui::FormId form)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->unregisterHotKey();
}

int Win32Toolkit::listItemAt(ui::FormId form, ui::ControlId id, float x, float y)
{
    const std::shared_ptr<FormWindow> window = find(form);
    const Control* control = window ? window->controls().find(id) : nullptr;
    if (!control || !control->window || control->props.kind != ui::ControlKind::ListBox || x < 0 || y < 0)
        return -1;
    const HWND list = control->window.get();
    const LRESULT hit = SendMessageA(
        list, LB_ITEMFROMPOINT, 0, MAKELPARAM(toPixels(x, context_.scale.x), toPixels(y, context_.scale.y)));
    // The high word is set for a point outside the client area or below the last row; the low
    // word then names the nearest row.
    if (hit == LB_ERR || HIWORD(hit) != 0)
        return -1;
    const int row = LOWORD(hit);
    return row < SendMessageA(list, LB_GETCOUNT, 0, 0) ? row : -1;
}

ui::Rect Win32Toolkit::formRect(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? window->rect() : ui::Rect {};
}

void Win32Toolkit::setFormRect(ui::FormId form, const ui::Rect& rect)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->setRect(rect);
}

void Win32Toolkit::clipForm(ui::FormId form, const std::optional<platform::PixelRect>& visible)
{
    const std::shared_ptr<FormWindow> window = find(form);
    if (!window)
        return;
    if (!visible) {
        SetWindowRgn(window->window(), nullptr, TRUE);
        return;
    }
    RECT outer {};
    if (!GetWindowRect(window->window(), &outer))
        return;
    // The region is in window coordinates; once set, the system owns it.
    HRGN region = CreateRectRgn(
        visible->left - outer.left, visible->top - outer.top, visible->right - outer.left, visible->bottom - outer.top);
    if (region && !SetWindowRgn(window->window(), region, TRUE))
        DeleteObject(region);
}

ui::Size Win32Toolkit::clientSize(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? window->clientSize() : ui::Size {};
}

ui::WindowState Win32Toolkit::formState(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? window->state() : ui::WindowState::Normal;
}

bool Win32Toolkit::setFormIcon(ui::FormId form, const std::string& path)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window && window->setIcon(path);
}

void Win32Toolkit::createControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->controls().create(id, props);
}

void Win32Toolkit::destroyControl(ui::FormId form, ui::ControlId id)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->controls().destroy(id);
}

void Win32Toolkit::updateControl(
    ui::FormId form, ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->controls().update(id, props, changed);
}

std::optional<ui::Size> Win32Toolkit::loadPicture(
    ui::FormId form, ui::ControlId id, const std::string& name, ui::PictureSource source)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? window->controls().loadPicture(id, name, source) : std::nullopt;
}

void Win32Toolkit::setTimer(ui::FormId form, ui::TimerId id, int intervalMs, bool enabled)
{
    if (const std::shared_ptr<FormWindow> window = find(form))
        window->setTimer(id, intervalMs, enabled);
}

ui::MenuId Win32Toolkit::popupMenu(ui::FormId form, const ui::MenuItem& menu, ui::MenuId defaultItem)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window ? window->popupMenu(menu, defaultItem) : 0;
}

HWND Win32Toolkit::ownerWindow(ui::FormId form)
{
    const std::shared_ptr<FormWindow> window = find(form);
    return window && window->alive() ? window->window() : nullptr;
}

std::optional<std::string> Win32Toolkit::openFileDialog(ui::FormId owner, const ui::OpenFileRequest& request)
{
    return showOpenFileDialog(ownerWindow(owner), request);
}

std::optional<std::string> Win32Toolkit::inputBox(
    ui::FormId owner, const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    return showInputBox(context_, ownerWindow(owner), prompt, title, defaultText);
}

namespace {

// Keys go to the focused window; the form that window belongs to may take them first, and then
// the dialog manager: Tab, the arrows, Enter and Esc (it dispatches what it does not take).
bool offerAccelerator(const MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    const std::shared_ptr<FormWindow> form = FormWindow::of(message.hwnd);
    if (!form || !form->alive())
        return false;
    if (message.message == WM_KEYDOWN && form->accelerator(static_cast<int>(message.wParam)))
        return true;
    MSG copy = message;
    if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        const WPARAM key = message.wParam;
        const bool tab = key == VK_TAB;
        const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
        const LRESULT code =
            tab || arrow ? SendMessageA(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&copy)) : 0;
        const bool wanted =
            (code & DLGC_WANTMESSAGE) || (tab && (code & DLGC_WANTTAB)) || (arrow && (code & DLGC_WANTARROWS));
        const bool backwards = tab ? GetKeyState(VK_SHIFT) < 0 : key == VK_LEFT || key == VK_UP;
        if ((tab || arrow) && !wanted && form->moveFocus(static_cast<int>(key), backwards))
            return true;
    }
    return IsDialogMessageA(form->window(), &copy) != FALSE;
}

} // namespace

void Win32Toolkit::processPendingMessages()
{
    win32kit::processPendingMessagesWith(&offerAccelerator);
}

void Win32Toolkit::quit()
{
    if (context_.quitting)
        return;
    context_.quitting = true;
    // Forms stay in the table (their ids remain valid and harmless) but lose their windows.
    std::vector<std::shared_ptr<FormWindow>> forms;
    for (const auto& entry : forms_)
        forms.push_back(entry.second);
    for (const auto& form : forms)
        form->destroyQuietly();
    PostQuitMessage(0);
}

int Win32Toolkit::runMessageLoop()
{
    return win32kit::runMessageLoop(&offerAccelerator);
}

} // namespace platform::win32
