#pragma once
// The Active Accessibility object of one of the toolkit's painted controls (labels, pictures,
// panels), which the system cannot read by itself: name, role, state, description and default
// action come from the control record; place, parent and neighbours from the system's own object
// for the window.
#include "platform/Toolkit.h"
#include "platform/win32/OleAccess.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Posted to a painted control by a reader's accDoDefaultAction: the control is pressed as by a
// left click once the reader's call has returned.
constexpr UINT kAccessiblePressMessage = WM_APP + 2;

// Tells readers following the control that its name or description changed; nothing happens
// while no reader listens.
void announceCaptionChange(HWND control, ui::ControlKind kind);
void announceToolTipChange(HWND control, ui::ControlKind kind);

// What WM_GETOBJECT answers for OBJID_CLIENT of a painted control; 0 lets the system answer.
LRESULT answerAccessibleObject(OleAccess& ole, HWND control, WPARAM flags);

} // namespace platform::win32
