#include "platform/win32/ControlSet.h"

#include "platform/win32/AccessibleControl.h"
#include "platform/FocusRules.h"
#include "platform/win32/ControlPainter.h"
#include "platform/win32/ControlWindows.h"
#include "platform/win32/ToolkitWindowClasses.h"

#include <stdexcept>
#include <vector>

namespace platform::win32 {

namespace {

struct WindowStyle {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

WindowStyle styleFor(const ui::ControlSpec& props, bool isDefault)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    // The arrow keys move within a group; a control that begins none ends the one before it.
    if (!props.continuesGroup)
        style |= WS_GROUP;
    if (ui::IsTabStop(props))
        style |= WS_TABSTOP;
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
        // Tab goes on into the panel's own controls.
        return {kPanelClass, style | WS_CLIPCHILDREN, painted | WS_EX_CONTROLPARENT};
    case ui::ControlKind::TextBox: {
        const DWORD align = props.align == ui::TextAlign::Centre ? ES_CENTER
            : props.align == ui::TextAlign::Right                ? ES_RIGHT
                                                                 : ES_LEFT;
        return {"EDIT", style | ES_AUTOHSCROLL | align, sunken};
    }
    case ui::ControlKind::ListBox:
        return {"LISTBOX",
            style | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (props.multiSelect ? LBS_EXTENDEDSEL : 0), sunken};
    case ui::ControlKind::CheckBox:
        return {"BUTTON", style | BS_AUTOCHECKBOX, 0};
    case ui::ControlKind::Button:
        return {"BUTTON", style | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ui::ControlKind::ScrollBar:
        // The orientation follows the shape: wider than tall is a horizontal bar.
        return {"SCROLLBAR", style | (props.rect.width >= props.rect.height ? SBS_HORZ : SBS_VERT), 0};
    }
    return {kLabelClass, style, painted};
}

bool overlapping(const ui::ControlSpec& a, const ui::ControlSpec& b)
{
    return a.parent == b.parent && a.rect.left < b.rect.left + b.rect.width &&
        b.rect.left < a.rect.left + a.rect.width && a.rect.top < b.rect.top + b.rect.height &&
        b.rect.top < a.rect.top + a.rect.height;
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

void ControlSet::place(Control& control)
{
    if (!control.window)
        return;
    const RECT pixels = toPixelRect(control.props.rect, context_.scale);
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
    const WindowStyle style = styleFor(props, id == defaultButton_);
    const RECT pixels = toPixelRect(props.rect, context_.scale);
    control.window.reset(CreateWindowExA(style.exStyle, style.className, props.caption.c_str(), style.style,
        pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context_.instance, nullptr));
    if (!control.window)
        throw std::runtime_error("the control's window could not be created");
    const HWND window = control.window.get();

    if (!control.isPainted()) {
        hookInput(window);
        if (const HFONT font = context_.fonts.get(props.font))
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (props.kind == ui::ControlKind::TextBox && props.maxLength > 0)
        SendMessageA(window, EM_SETLIMITTEXT, static_cast<WPARAM>(props.maxLength), 0);
    refreshBrush(control);
    fillList(control);
    showSelection(control);
    showValue(control);
    // Labels lie beneath the windowed controls that overlap them, like lightweight labels do.
    SetWindowPos(window, props.kind == ui::ControlKind::Label ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const Control& created = controls_.emplace(id, std::move(control)).first->second;
    stackLabelsOverPictures(created);
    tips_.set(window, props.toolTip);
}

ui::ControlSpecs ControlSet::controlSpecs() const
{
    ui::ControlSpecs byId;
    for (const auto& entry : controls_)
        byId.emplace(entry.first, &entry.second.props);
    return byId;
}

void ControlSet::stackLabelsOverPictures(const Control& created)
{
    const ui::ControlKind partner =
        created.props.kind == ui::ControlKind::Label ? ui::ControlKind::Picture : ui::ControlKind::Label;
    if (created.props.kind != ui::ControlKind::Label && created.props.kind != ui::ControlKind::Picture)
        return;
    for (const auto& entry : controls_) {
        const Control& other = entry.second;
        if (other.props.kind != partner || !other.window || !overlapping(other.props, created.props))
            continue;
        const Control& label = partner == ui::ControlKind::Label ? other : created;
        const Control& picture = partner == ui::ControlKind::Label ? created : other;
        SetWindowPos(picture.window.get(), label.window.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

PicturesBeneath ControlSet::picturesBeneath(const Control& label) const
{
    PicturesBeneath beneath;
    for (const auto& entry : controls_) {
        const Control& picture = entry.second;
        if (beneath.count == PicturesBeneath::kMost)
            break;
        if (picture.props.kind == ui::ControlKind::Picture && picture.props.visible && picture.window &&
            overlapping(picture.props, label.props))
            beneath.pictures[beneath.count++] = &picture;
    }
    return beneath;
}

void ControlSet::repaintLabelsOver(const Control& picture)
{
    for (const auto& entry : controls_) {
        const Control& label = entry.second;
        if (label.props.kind == ui::ControlKind::Label && label.props.visible &&
            overlapping(label.props, picture.props))
            repaint(label);
    }
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

// Writes each changed property to the control's window, and notes whether it must repaint.
struct ControlSet::Writer {
    ControlSet& set;
    Control& control;
    HWND window;
    bool repaintNeeded = false;

    void applyCaption(const ui::ControlSpec& props)
    {
        control.props.caption = props.caption;
        if (window)
            SetWindowTextA(window, props.caption.c_str());
        repaintNeeded |= control.isPainted();
        // The system's own controls tell readers themselves.
        if (control.isPainted())
            announceCaptionChange(window, control.props.kind);
    }
    void applyToolTip(const ui::ControlSpec& props)
    {
        control.props.toolTip = props.toolTip;
        set.tips_.set(window, props.toolTip);
        if (control.isPainted())
            announceToolTipChange(window, control.props.kind);
    }
    void applyVisible(const ui::ControlSpec& props)
    {
        control.props.visible = props.visible;
        if (window)
            ShowWindow(window, props.visible ? SW_SHOWNA : SW_HIDE);
    }
    void applyEnabled(const ui::ControlSpec& props)
    {
        control.props.enabled = props.enabled;
        if (window)
            EnableWindow(window, props.enabled ? TRUE : FALSE);
        repaintNeeded |= control.isPainted();
    }
    void applyRect(const ui::ControlSpec& props)
    {
        control.props.rect = props.rect;
        set.place(control);
    }
    void applyColours(const ui::ControlSpec& props)
    {
        control.props.back = props.back;
        control.props.fore = props.fore;
        set.refreshBrush(control);
        repaintNeeded = true;
    }
    void applyItems(const ui::ControlSpec& props)
    {
        control.props.items = props.items;
        control.props.selected.clear();
        fillList(control);
    }
    void applySelection(const ui::ControlSpec& props)
    {
        control.props.selected = props.selected;
        showSelection(control);
    }
    void applyValue(const ui::ControlSpec& props)
    {
        control.props.value = props.value;
        control.props.min = props.min;
        control.props.max = props.max;
        showValue(control);
    }
    void applyIcon(const ui::ControlSpec& props)
    {
        control.props.icon = props.icon;
        control.props.artwork = props.artwork;
        repaintNeeded = true;
    }
};

void ControlSet::update(ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed)
{
    Control* control = find(id);
    if (!control)
        return;
    Writer writer {*this, *control, control->window.get()};
    ui::ApplyProperties(writer, props, changed);
    if (control->props.kind == ui::ControlKind::Picture &&
        (writer.repaintNeeded || ui::Has(changed, ui::Property::Visible) || ui::Has(changed, ui::Property::Rect)))
        repaintLabelsOver(*control);
    if (!writer.repaintNeeded)
        return;
    const HWND window = writer.window;
    if (changed == static_cast<ui::Properties>(ui::Property::Colours) &&
        control->props.kind == ui::ControlKind::Picture && window && IsWindowVisible(window))
        repaintPictureNow(window, *control);
    else
        repaint(*control);
}

void ControlSet::showSelection(const Control& control)
{
    const HWND window = control.window.get();
    if (!window || control.props.kind != ui::ControlKind::ListBox)
        return;
    // Neither message notifies the parent: what the program selects is no input of the user's.
    if (!control.props.multiSelect) {
        const int index = control.props.selected.empty() ? -1 : control.props.selected.front();
        SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    SendMessageA(window, LB_SETSEL, FALSE, -1);
    for (int index : control.props.selected)
        SendMessageA(window, LB_SETSEL, TRUE, index);
}

void ControlSet::showValue(const Control& control)
{
    const HWND window = control.window.get();
    if (!window)
        return;
    const ui::ControlSpec& props = control.props;
    if (props.kind == ui::ControlKind::CheckBox) {
        SendMessageA(window, BM_SETCHECK, props.value ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (props.kind == ui::ControlKind::ScrollBar) {
        // The bar's own range runs upwards only.
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
        info.nMin = props.min < props.max ? props.min : props.max;
        info.nMax = props.min < props.max ? props.max : props.min;
        info.nPos = props.value;
        SetScrollInfo(window, SB_CTL, &info, TRUE);
    }
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

void ControlSet::refreshBrush(Control& control)
{
    if (usesBrush(control.props.kind))
        control.backBrush.reset(CreateSolidBrush(toColorRef(control.props.back)));
}

std::optional<ui::Size> ControlSet::loadPicture(ui::ControlId id, const std::string& name, ui::PictureSource source)
{
    Control* control = find(id);
    if (!control || control->props.kind != ui::ControlKind::Picture)
        return std::nullopt;
    // The program's own bitmaps may be run-length encoded, which only a device bitmap takes.
    const bool fromFile = source == ui::PictureSource::File;
    UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageA(fromFile ? nullptr : context_.instance, name.c_str(),
        IMAGE_BITMAP, 0, 0, fromFile ? LR_LOADFROMFILE | LR_CREATEDIBSECTION : 0)));
    BITMAP info {};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0)
        return std::nullopt;
    control->picture = std::move(bitmap);
    // A bitmap pixel is a pixel at 96 DPI (15 twips): on a sharper screen it covers more pixels.
    constexpr float kTwipsPerBitmapPixel = 15;
    control->bitmapSize = SIZE {info.bmWidth, info.bmHeight};
    control->pictureSize = SIZE {toPixels(static_cast<float>(info.bmWidth) * kTwipsPerBitmapPixel, context_.scale.x),
        toPixels(static_cast<float>(info.bmHeight) * kTwipsPerBitmapPixel, context_.scale.y)};
    repaint(*control);
    repaintLabelsOver(*control);
    return ui::Size {
        toTwips(control->pictureSize.cx, context_.scale.x), toTwips(control->pictureSize.cy, context_.scale.y)};
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
