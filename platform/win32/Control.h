#pragma once
// One child control of a form: its window and the property values last written to it.
#include "platform/FocusRules.h"
#include "platform/Toolkit.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <array>
#include <cstddef>

namespace platform::win32 {

struct Control {
    ui::ControlId id = 0;
    // Current values; a write that matches them is skipped, so nothing repaints for nothing.
    ui::ControlSpec props;
    UniqueWindow window;
    // A picture loaded from a file or resource, shown instead of the built-in artwork.
    UniqueBitmap picture;
    SIZE pictureSize {}; // as shown: the bitmap's pixels are 96-DPI pixels, scaled to the screen's
    SIZE bitmapSize {};
    // Background of the standard controls, handed out when they ask their parent for colours.
    UniqueBrush backBrush;
    // A pressable control held down by Space or the mouse, drawn pressed.
    bool pressed = false;

    // A push button, or a label or picture that acts as one: takes the focus and presses with
    // Enter and Space; a screen reader's push button.
    bool isButton() const { return ui::PressesLikeButton(props); }

    bool isPainted() const
    {
        return props.kind == ui::ControlKind::Label || props.kind == ui::ControlKind::Picture ||
            props.kind == ui::ControlKind::Panel;
    }
};

// The shown pictures a label lies over, which it draws beneath its text; a few at most.
struct PicturesBeneath {
    static constexpr std::size_t kMost = 4;
    std::array<const Control*, kMost> pictures {};
    std::size_t count = 0;
};

} // namespace platform::win32
