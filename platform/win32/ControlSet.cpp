#include "platform/win32/ControlSet.h"

#include "platform/win32/ControlPainter.h"
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
        return {"LISTBOX",
            style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT
                | (props.multiSelect ? LBS_EXTENDEDSEL : 0),
            sunken};
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
    fillList(control);
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

void ControlSet::update(ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed)
{
    Control* control = find(id);
    if (!control)
        return;
    using P = ui::Property;
    const HWND window = control->window.get();
    bool repaintNeeded = false;
    if (ui::Has(changed, P::Caption)) {
        control->props.caption = props.caption;
        if (window)
            SetWindowTextA(window, props.caption.c_str());
        repaintNeeded |= control->isPainted();
    }
    if (ui::Has(changed, P::ToolTip)) {
        control->props.toolTip = props.toolTip;
        tips_.set(window, props.toolTip);
    }
    if (ui::Has(changed, P::Visible)) {
        control->props.visible = props.visible;
        if (window)
            ShowWindow(window, props.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (ui::Has(changed, P::Enabled)) {
        control->props.enabled = props.enabled;
        if (window)
            EnableWindow(window, props.enabled ? TRUE : FALSE);
        repaintNeeded |= control->isPainted();
    }
    if (ui::Has(changed, P::Rect)) {
        control->props.rect = props.rect;
        place(*control);
    }
    if (ui::Has(changed, P::Colours)) {
        control->props.back = props.back;
        control->props.fore = props.fore;
        refreshBrush(*control);
        repaintNeeded = true;
    }
    if (ui::Has(changed, P::Artwork)) {
        control->props.artwork = props.artwork;
        control->picture.reset();
        repaintNeeded = true;
    }
    if (ui::Has(changed, P::Items)) {
        control->props.items = props.items;
        fillList(*control);
    }
    if (!repaintNeeded)
        return;
    if (changed == static_cast<ui::Properties>(P::Colours) && control->props.kind == ui::ControlKind::Picture
        && window && IsWindowVisible(window))
        repaintPictureNow(window, *control);
    else
        repaint(*control);
}

void ControlSet::fillList(const Control& control)
{
    const HWND window = control.window.get();
    if (!window || control.props.kind != ui::ControlKind::ListBox)
        return;
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : control.props.items)
        SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
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

std::vector<int> ControlSet::selectedItems(ui::ControlId id)
{
    Control* control = find(id);
    std::vector<int> selected;
    if (!control || !control->window || control->props.kind != ui::ControlKind::ListBox)
        return selected;
    const HWND window = control->window.get();
    if (!control->props.multiSelect) {
        const LRESULT index = SendMessageA(window, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR)
            selected.push_back(static_cast<int>(index));
        return selected;
    }
    const LRESULT count = SendMessageA(window, LB_GETSELCOUNT, 0, 0);
    if (count <= 0)
        return selected;
    selected.resize(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageA(window, LB_GETSELITEMS, static_cast<WPARAM>(count),
        reinterpret_cast<LPARAM>(selected.data()));
    selected.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return selected;
}

void ControlSet::refreshBrush(Control& control)
{
    if (usesBrush(control.props.kind))
        control.backBrush.reset(CreateSolidBrush(toColorRef(control.props.back)));
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

void ControlSet::windowsGone()
{
    for (auto& entry : controls_)
        entry.second.window.release();
    tips_.windowsGone();
    controls_.clear();
    form_ = nullptr;
}

} // namespace platform::win32
