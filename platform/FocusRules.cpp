#include "platform/FocusRules.h"

#include <algorithm>

namespace ui {

namespace {

bool MiddleWithin(const Rect& a, const Rect& b)
{
    const float middle = a.top + a.height / 2;
    return middle >= b.top && middle < b.top + b.height;
}

using Controls = ControlSpecs;

bool Reachable(const ControlSpec& control)
{
    return control.visible && control.enabled;
}

// Children of one parent in reading order; ties (and a comparison that is no strict order, for
// controls that overlap oddly) fall back to the id, so the order is the same on every run.
std::vector<ControlId> ChildrenInOrder(const Controls& controls, ControlId parent)
{
    std::vector<ControlId> children;
    for (const auto& entry : controls)
        if (entry.second->parent == parent && entry.first != parent)
            children.push_back(entry.first);
    std::sort(children.begin(), children.end());
    // Insertion: each goes after the last one placed that reads before it, as the window order does.
    std::vector<ControlId> placed;
    for (ControlId id : children) {
        const Rect& rect = controls.at(id)->rect;
        auto at = placed.begin();
        for (auto it = placed.begin(); it != placed.end(); ++it)
            if (ReadsBefore(controls.at(*it)->rect, rect))
                at = it + 1;
        placed.insert(at, id);
    }
    return placed;
}

void Collect(const Controls& controls, ControlId parent, std::vector<ControlId>& order)
{
    for (ControlId id : ChildrenInOrder(controls, parent)) {
        const ControlSpec& control = *controls.at(id);
        if (!Reachable(control))
            continue;
        if (control.kind == ControlKind::Panel)
            Collect(controls, id, order);
        else if (TakesFocus(control))
            order.push_back(id);
    }
}

} // namespace

bool PressesLikeButton(const ControlSpec& control)
{
    return control.kind == ControlKind::Button ||
        (control.pressable && (control.kind == ControlKind::Label || control.kind == ControlKind::Picture));
}

bool TakesFocus(const ControlSpec& control)
{
    switch (control.kind) {
    case ControlKind::TextBox:
    case ControlKind::ListBox:
    case ControlKind::CheckBox:
    case ControlKind::Button:
    case ControlKind::ScrollBar:
        return true;
    case ControlKind::Label:
    case ControlKind::Picture:
        return control.pressable;
    case ControlKind::Panel:
        return false;
    }
    return false;
}

bool IsTabStop(const ControlSpec& control)
{
    return TakesFocus(control) && !control.continuesGroup;
}

bool ReadsBefore(const Rect& a, const Rect& b)
{
    if (MiddleWithin(a, b) || MiddleWithin(b, a))
        return a.left < b.left;
    return a.top < b.top;
}

std::vector<ControlId> FocusOrder(const Controls& controls)
{
    std::vector<ControlId> order;
    Collect(controls, 0, order);
    return order;
}

ControlId NextInGroup(const Controls& controls, ControlId from, bool backwards)
{
    const std::vector<ControlId> order = FocusOrder(controls);
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end())
        return from;
    // The group: from the control that begins it to the last that continues it.
    auto first = at;
    while (first != order.begin() && controls.at(*first)->continuesGroup)
        --first;
    auto last = at + 1;
    while (last != order.end() && controls.at(*last)->continuesGroup)
        ++last;
    const auto size = last - first;
    const auto offset = ((at - first) + (backwards ? size - 1 : 1)) % size;
    return *(first + offset);
}

ControlId NextTabStop(const Controls& controls, ControlId from, bool backwards)
{
    std::vector<ControlId> order = FocusOrder(controls);
    // The focused control stays a place to start from, even inside a group.
    order.erase(std::remove_if(order.begin(), order.end(),
                    [&](ControlId id) { return id != from && !IsTabStop(*controls.at(id)); }),
        order.end());
    if (order.empty())
        return 0;
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end())
        return backwards ? order.back() : order.front();
    if (backwards)
        return at == order.begin() ? order.back() : *(at - 1);
    return at + 1 == order.end() ? order.front() : *(at + 1);
}

EscapeAction EscapeActionOf(const FormSpec& form)
{
    if (form.cancelButton != 0)
        return EscapeAction::PressCancel;
    return form.dialogKeys ? EscapeAction::Close : EscapeAction::None;
}

bool TextBoxTakesEnter(const FormSpec& form)
{
    return form.defaultButton == 0;
}

} // namespace ui
