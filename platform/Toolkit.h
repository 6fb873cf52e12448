#pragma once
// The windowing toolkit: forms with child controls, timers, popup menus and screen metrics.
// Geometry is in twips; each side converts with the screen's twips per pixel.
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

using FormId = int;    // handed out by the toolkit; 0 is never a form
using ControlId = int; // unique across the program, listed in one header per deliverable
using TimerId = int;
using MenuId = int; // 0 means "no choice"

// red + 256 * green + 65536 * blue, or 0x80000000 + index for a system colour.
using Colour = std::uint32_t;
constexpr Colour kSysHighlight = 0x8000000D;
constexpr Colour kSysHighlightText = 0x8000000E;
constexpr Colour kSysButtonFace = 0x8000000F;
constexpr Colour kSysButtonText = 0x80000012;
constexpr Colour kSysActiveCaption = 0x80000002;
constexpr Colour kSysWindow = 0x80000005;
constexpr Colour kSysWindowText = 0x80000008;

struct Rect {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

struct Size {
    float width = 0, height = 0;
};

struct Font {
    std::string face = "MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
};

enum class ControlKind { Label, Picture, Panel, TextBox, ListBox, CheckBox, Button, ScrollBar };
enum class TextAlign { Left, Centre, Right };

// Built-in pictures that the toolkit draws itself (the bar's own artwork).
enum class Artwork {
    None,
    TaskIcon,
    Gauge0,
    Gauge1,
    Gauge2,
    Gauge3,
    Gauge4,
    Gauge5,
    Gauge6,
    LampOff,
    LampOn,
    WinampButtons,
    GlowStrip,
    AboutBackdrop, // the about box's background
    AboutIcon,     // the program's emblem, a small bar with its buttons
};

struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    ControlId parent = 0; // 0: the form itself; otherwise a Panel of the same form
    Rect rect;            // relative to the parent's client area
    std::string caption;
    std::string toolTip;
    bool visible = true;
    bool enabled = true;
    bool border = false; // single fixed border
    TextAlign align = TextAlign::Left;
    Font font;
    Colour back = kSysButtonFace;
    Colour fore = kSysButtonText;
    Artwork artwork = Artwork::None;
    std::vector<std::string> items; // list box entries, in order
    bool multiSelect = false;       // list box: several items can be selected
};

// The properties of a ControlSpec that can change after creation, as bits of Properties.
enum class Property : std::uint32_t {
    Caption = 1 << 0,
    ToolTip = 1 << 1,
    Visible = 1 << 2,
    Enabled = 1 << 3,
    Rect = 1 << 4,
    Colours = 1 << 5,
    Artwork = 1 << 6,
    Items = 1 << 7,
};
using Properties = std::uint32_t;
constexpr Properties operator|(Property a, Property b)
{
    return static_cast<Properties>(a) | static_cast<Properties>(b);
}
constexpr bool Has(Properties set, Property p) { return (set & static_cast<Properties>(p)) != 0; }

struct FormSpec {
    std::string caption;
    Rect rect; // outer frame, screen twips
    // When set, the frame is sized around a client area of this size (rect's size is then unused),
    // whatever the platform's frame and caption metrics are.
    Size client;
    bool toolWindow = false; // small caption; the platform's own taskbar shows no button
    bool titleBar = true;    // false: a thin border and no caption
    bool sizable = true;
    platform::WindowHandle owner = 0;
    Colour back = kSysButtonFace;
};

enum class WindowState { Normal, Minimized, Maximized };

// Why a form is asked to close.
enum class CloseReason {
    ControlMenu, // the window menu, its close box or Alt+F4
    Code,        // the program itself
    Session,     // the platform logs off or shuts down
    Other,       // another program (a task manager) asks
};

enum class MouseButton : int { None = 0, Left = 1, Right = 2, Middle = 4 };

// Events a form receives; all run on the user-interface thread.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void onResize() { }
    // Return false to refuse the close.
    virtual bool onCloseRequest(CloseReason) { return true; }
    // The form is gone (closed or destroyed by the platform).
    virtual void onClosed() { }
    virtual void onMouseUp(ControlId, MouseButton, int /*shift*/, float /*xTwips*/, float /*yTwips*/) { }
    virtual void onClick(ControlId) { }
    // ControlId 0 is the form's own background.
    virtual void onDoubleClick(ControlId) { }
    virtual void onKeyPress(ControlId, int /*characterCode*/) { }
    virtual void onTimer(TimerId) { }
};

// A popup menu tree: pure data, built into a real menu only while it is shown.
struct MenuItem {
    MenuId id = 0;
    std::string caption; // shown as it is: "&" is no mnemonic
    bool separator = false;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::string shortcut; // shown right-aligned, as "F1"
    std::vector<MenuItem> items;
    std::function<void()> action; // run when the entry is chosen

    bool isSeparator() const { return separator; }
};

struct ScreenMetrics {
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    int widthPixels = 0;
    int heightPixels = 0;
    float widthTwips() const { return widthPixels * twipsPerPixelX; }
    float heightTwips() const { return heightPixels * twipsPerPixelY; }
};

class Toolkit {
public:
    virtual ~Toolkit() = default;

    virtual ScreenMetrics screen() = 0;

    // Forms are created hidden.
    virtual FormId createForm(const FormSpec& props, FormEvents& events) = 0;
    virtual void destroyForm(FormId form) = 0;
    virtual platform::WindowHandle formWindow(FormId form) = 0;
    virtual void showForm(FormId form, bool visible) = 0;
    // Shows the form and makes it the foreground window.
    virtual void bringToFront(FormId form) = 0;
    virtual Rect formRect(FormId form) = 0; // outer frame, screen twips
    virtual void setFormRect(FormId form, const Rect& rect) = 0;
    virtual Size clientSize(FormId form) = 0;
    virtual WindowState formState(FormId form) = 0;
    // False when the file is missing or not an icon.
    virtual bool setFormIcon(FormId form, const std::string& path) = 0;

    virtual void createControl(FormId form, ControlId id, const ControlSpec& props) = 0;
    virtual void destroyControl(FormId form, ControlId id) = 0;
    // Applies the properties named in `changed`, taking their new values from props.
    virtual void updateControl(FormId form, ControlId id, const ControlSpec& props, Properties changed) = 0;
    // What the user changed: the text of a text box, the selected items of a list box.
    virtual std::string caption(FormId form, ControlId id) = 0;
    virtual std::vector<int> selectedItems(FormId form, ControlId id) = 0;
    // Loads a picture file into a Picture control; its natural size in twips, or nullopt.
    virtual std::optional<Size> loadPicture(FormId form, ControlId id, const std::string& path) = 0;

    // A periodic timer of a form; setting it again changes interval or state.
    virtual void setTimer(FormId form, TimerId id, int intervalMs, bool enabled) = 0;

    // Shows the menu's items at the mouse position and waits for a choice; 0 when dismissed.
    virtual MenuId popupMenu(FormId form, const MenuItem& menu, MenuId defaultItem) = 0;

    // Runs the messages waiting in the queue, then returns.
    virtual void processPendingMessages() = 0;
    // Ends the program at once: no form's close handling runs.
    virtual void quit() = 0;
};

} // namespace ui
