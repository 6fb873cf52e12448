#pragma once
// The child controls of one form: creating their windows and writing their properties.
#include "platform/win32/Control.h"
#include "platform/win32/ToolTips.h"
#include "platform/win32/ToolkitContext.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::win32 {

class ControlSet {
public:
    explicit ControlSet(ToolkitContext& context)
        : context_(context)
        , tips_(context.instance)
    {
    }
    void attach(HWND form);
    // Created as the form's default push button.
    void setDefaultButton(ui::ControlId id) { defaultButton_ = id; }

    // Throws std::logic_error for an id already in use or a parent that is not a panel here.
    void create(ui::ControlId id, const ui::ControlSpec& props);
    // Also removes the controls inside a panel. Unknown ids are ignored.
    void destroy(ui::ControlId id);
    Control* find(ui::ControlId id);
    // The shown pictures of the label's parent that the label overlaps. A label lies above the
    // pictures it overlaps and draws them beneath its text, so that no picture covers a text;
    // clicks on them go through the label.
    PicturesBeneath picturesBeneath(const Control& label) const;
    // What each control shows now, for the order the keyboard moves the focus in.
    ui::ControlSpecs controlSpecs() const;

    // Applies the properties named in `changed`; the caller has already checked they differ.
    void update(ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed);
    // A WM_MOUSEMOVE over one of the controls, for their tips.
    void mouseMoved(HWND control, WPARAM keys, LPARAM position) { tips_.mouseMoved(control, keys, position); }
    std::optional<ui::Size> loadPicture(ui::ControlId id, const std::string& name, ui::PictureSource source);

    // The form's window was destroyed, and every child window with it.
    void windowsGone();

private:
    struct Writer;
    HWND parentWindow(ui::ControlId parent);
    void place(Control& control);
    // Puts each picture beneath the labels it overlaps, the new control's partners only.
    void stackLabelsOverPictures(const Control& created);
    // The labels over a picture draw it too: they repaint with it.
    void repaintLabelsOver(const Control& picture);
    void refreshBrush(Control& control);
    static void fillList(const Control& control);
    static void showSelection(const Control& control);
    static void showValue(const Control& control);
    static void repaint(const Control& control);

    ToolkitContext& context_;
    HWND form_ = nullptr;
    ui::ControlId defaultButton_ = 0;
    ToolTips tips_;
    std::unordered_map<ui::ControlId, Control> controls_;
};

} // namespace platform::win32
