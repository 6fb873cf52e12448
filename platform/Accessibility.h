#pragma once
// What a screen reader learns of one of the toolkit's own painted controls (labels, pictures,
// panels): its role, name and description. Text boxes, lists and buttons are the system's own
// controls and keep the system's reading.
#include "platform/Toolkit.h"

#include <string>

namespace ui {

enum class AccessibleRole { StaticText, Graphic, PushButton, Pane };

// `clickable`: the program acts on a left click on the control (a click handler, or a mouse
// handler of a control array such as the task buttons). The one place a role is decided.
AccessibleRole AccessibleRoleOf(ControlKind kind, bool clickable);

struct AccessibleText {
    std::string name;
    std::string description;
};

// A control is named by the text it shows, and its tooltip is the description; a picture, which
// shows no text, is named by its tooltip.
AccessibleText AccessibleTextOf(const ControlSpec& props);
bool NamedByToolTip(ControlKind kind);

} // namespace ui
