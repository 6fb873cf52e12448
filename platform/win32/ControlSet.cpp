#include "platform/win32/ControlSet.h"

#include "platform/win32/ControlWindows.h"
#include "platform/win32/WindowClasses.h"

#include <stdexcept>
#include <vector>

namespace platform::win32 {

namespace {

struct WindowStyle {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

WindowStyle styleFor(const ui::ControlSpec& props)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (props.visible)
        style |= WS_VISIBLE;
    if (!props.enabled)
        style |= WS_DISABLED;
    const DWORD painted = props.border ? WS_EX_STATICEDGE : 0;
    const DWORD sunken = props.border ? WS_EX_CLIENTEDGE : 0;
    switch (props.kind) {
    case ui::ControlKind::Label:
        return {kLabelClass, style, painted};
    case ui::ControlKind::Picture:
        return {kPictureClass, style, painted};
    case ui::ControlKind::Panel:
        return {kPanelClass, style | WS_CLIPCHILDREN, painted};
    case ui::ControlKind::TextBox: {
        const DWORD align = props.align == ui::TextAlign::Centre ? ES_CENTER
            : props.align == ui::TextAlign::Right                ? ES_RIGHT
                                                                 : ES_LEFT;
        return {"EDIT", style | WS_TABSTOP | ES_AUTOHSCROLL | align, sunken};
    }
    case ui::ControlKind::ListBox:
        return {"LISTBOX", style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, sunken};
    case ui::ControlKind::CheckBox:
        return {"BUTTON", style | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ui::ControlKind::Button:
        return {"BUTTON", style | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ui::ControlKind::ScrollBar:
        // The orientation follows the shape: wider than tall is a horizontal bar.
        return {"SCROLLBAR", style | (props.rect.width >= props.rect.height ? SBS_HORZ : SBS_VERT), 0};
    }
    return {kLabelClass, style, painted};
}

bool usesBrush(ui::ControlKind kind)
{
    return kind == ui::ControlKind::TextBox || kind == ui::ControlKind::ListBox || kind == ui::ControlKind::CheckBox;
}

} // namespace

void ControlSet::attach(HWND form)
{
    form_ = form;
    tips_.attach(form);
}

HWND ControlSet::parentWindow(ui::ControlId parent)
{
    if (parent == 0)
        return form_;
    Control* panel = find(parent);
    if (!panel || panel->props.kind != ui::ControlKind::Panel || !panel->window)
        throw std::logic_error("a control's parent must be a panel of the same form");
    return panel->window.get();
}

RECT ControlSet::pixelRect(Control& control)
{
    RECT pixels = toPixelRect(control.props.rect, context_.scale);
    if (control.props.alignBottom && control.props.parent == 0 && form_) {
        RECT client {};
        GetClientRect(form_, &client);
        const int height = pixels.bottom - pixels.top;
        pixels = RECT {0, client.bottom - height, client.right, client.bottom};
        // The record follows, so the program reads back where the control really is.
        control.props.rect.left = 0;
        control.props.rect.top = toTwips(pixels.top, context_.scale.y);
        control.props.rect.width = toTwips(client.right, context_.scale.x);
    }
    return pixels;
}

void ControlSet::place(Control& control)
{
    if (!control.window)
        return;
    const RECT pixels = pixelRect(control);
    RECT current {};
    GetWindowRect(control.window.get(), &current);
    MapWindowPoints(nullptr, GetParent(control.window.get()), reinterpret_cast<POINT*>(&current), 2);
    if (EqualRect(&current, &pixels))
        return;
    SetWindowPos(control.window.get(), nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
        pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlSet::create(ui::ControlId id, const ui::ControlSpec& props)
{
    if (!form_)
        return;
    if (controls_.count(id))
        throw std::logic_error("control id already in use on this form");
    const HWND parent = parentWindow(props.parent);

    Control control;
    control.id = id;
    control.props = props;
    const WindowStyle style = styleFor(props);
    const RECT pixels = pixelRect(control);
    control.window.reset(CreateWindowExA(style.exStyle, style.className, props.caption.c_str(), style.style,
        pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context_.instance, nullptr));
    if (!control.window)
        throw std::runtime_error("the control's window could not be created");
    const HWND window = control.window.get();

    if (props.kind == ui::ControlKind::TextBox)
        hookKeyPresses(window);
    if (!control.isPainted()) {
        if (const HFONT font = context_.fonts.get(props.font))
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    refreshBrush(control);
    // Labels lie beneath the windowed controls that overlap them, like lightweight labels do.
    SetWindowPos(window, props.kind == ui::ControlKind::Label ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    controls_.emplace(id, std::move(control));
    tips_.set(window, props.toolTip);
}

void ControlSet::destroy(ui::ControlId id)
{
    auto found = controls_.find(id);
    if (found == controls_.end())
        return;
    if (found->second.props.kind == ui::ControlKind::Panel) {
        std::vector<ui::ControlId> inside;
        for (const auto& entry : controls_)
            if (entry.second.props.parent == id)
                inside.push_back(entry.first);
        for (ui::ControlId child : inside)
            destroy(child);
        found = controls_.find(id);
        if (found == controls_.end())
            return;
    }
    tips_.remove(found->second.window.get());
    // Out of the table first: messages sent while the window goes find no control any more.
    Control doomed = std::move(found->second);
    controls_.erase(found);
}

Control* ControlSet::find(ui::ControlId id)
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

void ControlSet::repaint(const Control& control)
{
    // The standard controls paint their background on erase, so theirs must be erased too.
    if (control.window)
        InvalidateRect(control.window.get(), nullptr, control.isPainted() ? FALSE : TRUE);
}

void ControlSet::setCaption(ui::ControlId id, const std::string& text)
{
    Control* control = find(id);
    if (!control || !control->window)
        return;
    // What the user typed is the text box's caption, so compare with the window itself.
    if (control->props.kind == ui::ControlKind::TextBox ? caption(id) == text : control->props.caption == text)
        return;
    control->props.caption = text;
    SetWindowTextA(control->window.get(), text.c_str());
    if (control->isPainted())
        repaint(*control);
}

std::string ControlSet::caption(ui::ControlId id)
{
    Control* control = find(id);
    if (!control)
        return std::string();
    if (control->props.kind != ui::ControlKind::TextBox || !control->window)
        return control->props.caption;
    const int length = GetWindowTextLengthA(control->window.get());
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control->window.get(), &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void ControlSet::setToolTip(ui::ControlId id, const std::string& text)
{
    Control* control = find(id);
    if (!control || control->props.toolTip == text)
        return;
    control->props.toolTip = text;
    tips_.set(control->window.get(), text);
}

void ControlSet::setVisible(ui::ControlId id, bool visible)
{
    Control* control = find(id);
    if (!control || control->props.visible == visible)
        return;
    control->props.visible = visible;
    if (control->window)
        ShowWindow(control->window.get(), visible ? SW_SHOWNA : SW_HIDE);
}

void ControlSet::setEnabled(ui::ControlId id, bool enabled)
{
    Control* control = find(id);
    if (!control || control->props.enabled == enabled)
        return;
    control->props.enabled = enabled;
    if (control->window) {
        EnableWindow(control->window.get(), enabled ? TRUE : FALSE);
        if (control->isPainted())
            repaint(*control);
    }
}

void ControlSet::setRect(ui::ControlId id, const ui::Rect& rect)
{
    Control* control = find(id);
    if (!control || control->props.rect == rect)
        return;
    control->props.rect = rect;
    place(*control);
}

void ControlSet::refreshBrush(Control& control)
{
    if (usesBrush(control.props.kind))
        control.backBrush.reset(CreateSolidBrush(toColorRef(control.props.back)));
}

void ControlSet::setColours(ui::ControlId id, ui::Colour back, ui::Colour fore)
{
    Control* control = find(id);
    if (!control || (control->props.back == back && control->props.fore == fore))
        return;
    control->props.back = back;
    control->props.fore = fore;
    refreshBrush(*control);
    repaint(*control);
}

void ControlSet::setArtwork(ui::ControlId id, ui::Artwork artwork)
{
    Control* control = find(id);
    if (!control || (control->props.artwork == artwork && !control->picture))
        return;
    control->props.artwork = artwork;
    control->picture.reset();
    repaint(*control);
}

std::optional<ui::Size> ControlSet::loadPicture(ui::ControlId id, const std::string& path)
{
    Control* control = find(id);
    if (!control || !control->isPainted())
        return std::nullopt;
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info {};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0)
        return std::nullopt;
    control->picture = std::move(bitmap);
    control->pictureSize = SIZE {info.bmWidth, info.bmHeight};
    control->props.artwork = ui::Artwork::None;
    repaint(*control);
    return ui::Size {toTwips(info.bmWidth, context_.scale.x), toTwips(info.bmHeight, context_.scale.y)};
}

void ControlSet::alignToBottom()
{
    for (auto& entry : controls_)
        if (entry.second.props.alignBottom && entry.second.props.parent == 0)
            place(entry.second);
}

void ControlSet::windowsGone()
{
    for (auto& entry : controls_)
        entry.second.window.release();
    tips_.windowsGone();
    controls_.clear();
    form_ = nullptr;
}

} // namespace platform::win32
