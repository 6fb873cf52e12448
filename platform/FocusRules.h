#pragma once
// Which controls take the keyboard focus, the order Tab visits them in and what Enter and Esc
// press: the same whichever side of the toolkit runs the form.
#include "platform/Toolkit.h"

#include <unordered_map>
#include <vector>

namespace ui {

// A push button, or a label or picture that acts as one: a screen reader's "push button" too.
bool PressesLikeButton(const ControlSpec& control);
// Text boxes, lists, check boxes, buttons, scroll bars and pressable labels, while visible and
// enabled; a panel is no stop itself, its controls are.
bool TakesFocus(const ControlSpec& control);
// A control Tab stops at: one that takes the focus and begins its group (the arrow keys reach the
// others of the group).
bool IsTabStop(const ControlSpec& control);
// a comes before b in reading order: rows from top to bottom, and left to right within a row.
// Two controls share a row when the middle of either lies within the other's height.
bool ReadsBefore(const Rect& a, const Rect& b);

// The controls of one form, by id.
using ControlSpecs = std::unordered_map<ControlId, const ControlSpec*>;

// The controls that take the focus, in order: each parent's controls in reading order, a panel's
// own in the panel's place. Hidden and disabled controls, and those in a hidden panel, are left
// out. Tab visits the tab stops among them.
std::vector<ControlId> FocusOrder(const ControlSpecs& controls);
// The control the arrow keys move to from `from` (in FocusOrder), within its group and around
// it; `from` itself when it is alone in its group.
ControlId NextInGroup(const ControlSpecs& controls, ControlId from, bool backwards);
// Where Tab (Shift+Tab: backwards) goes from `from`: the next tab stop in FocusOrder, round the
// end; from none (0, or a control not in the order), the first or last. 0 when there is none.
ControlId NextTabStop(const ControlSpecs& controls, ControlId from, bool backwards);

enum class EscapeAction { None, PressCancel, Close };
EscapeAction EscapeActionOf(const FormSpec& form);
// A text box with the focus takes Enter itself only when there is no default button to press.
bool TextBoxTakesEnter(const FormSpec& form);

} // namespace ui
