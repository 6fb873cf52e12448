#include "platform/win32/Win32Toolkit.h"

#include "platform/win32/Dialogs.h"
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
    const WindowDc screen(nullptr);
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

void Win32Toolkit::focusControl(ui::FormId form, ui::ControlId id)
{
    // Controls in panels are no direct children of the form: the form's own record knows them.
    if (const std::shared_ptr<FormWindow> window = find(form))
        if (const Control* control = window->controls().find(id); control && control->window)
            SetFocus(control->window.get());
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

// Keys go to the focused window; the form that window belongs to may take them first.
bool offerAccelerator(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    const std::shared_ptr<FormWindow> form = FormWindow::of(message.hwnd);
    return form && form->accelerator(static_cast<int>(message.wParam));
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
