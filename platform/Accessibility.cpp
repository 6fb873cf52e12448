#include "platform/Accessibility.h"

namespace ui {

AccessibleRole AccessibleRoleOf(ControlKind kind, bool clickable)
{
    if (clickable)
        return AccessibleRole::PushButton;
    switch (kind) {
    case ControlKind::Picture:
        return AccessibleRole::Graphic;
    case ControlKind::Panel:
        return AccessibleRole::Pane;
    default:
        return AccessibleRole::StaticText;
    }
}

bool NamedByToolTip(ControlKind kind)
{
    return kind == ControlKind::Picture;
}

AccessibleText AccessibleTextOf(const ControlSpec& props)
{
    AccessibleText text;
    if (NamedByToolTip(props.kind)) {
        text.name = props.toolTip;
        return text;
    }
    text.name = props.caption;
    if (props.spokenUnit && !props.caption.empty())
        text.name.append(" ").append(props.spokenUnit);
    text.description = props.toolTip;
    return text;
}

} // namespace ui
