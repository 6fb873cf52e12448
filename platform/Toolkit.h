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
constexpr Colour kSysActiveCaptionText = 0x80000009;
constexpr Colour kSysWindow = 0x80000005;
constexpr Colour kSysWindowText = 0x80000008;
constexpr Colour kSysInfoText = 0x80000017;
constexpr Colour kSysInfoBack = 0x80000018;

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
    // Where the bar stands on a small screen, for each entry of the alignment list.
    AlignPreview0,
    AlignPreview1,
    AlignPreview2,
    AlignPreview3,
    AlignPreview4,
    AlignPreview5,
    AlignPreview6,
    AlignPreview7,
    AlignPreview8,
    AlignPreview9,
    AlignPreview10,
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
    Artwork artwork = Artwork::None; // drawn until a picture is loaded
    std::vector<std::string> items;  // list box entries, in order
    bool multiSelect = false;        // list box: several items can be selected
    std::vector<int> selected;       // list box: the selected items, ascending
    int maxLength = 0;               // text box: most characters the user may type; 0 for no limit
    // Check box: 0 unchecked, 1 checked. Scroll bar: the position, from min to max.
    int value = 0;
    int min = 0;
    int max = 32767;
    int smallChange = 1;  // scroll bar: one arrow click
    int largeChange = 10; // scroll bar: one click beside the thumb
    // A label or picture that acts as a push button: it takes the focus, Enter and Space press
    // it, and it looks pressed while pressed. (Buttons always do.)
    bool pressable = false;
    // The arrow keys move between this control and the one before it in reading order; every
    // other control begins a group of its own.
    bool continuesGroup = false;
    // A pressable control whose group is a list that can scroll: the arrow keys reach the program
    // as Key input, which moves the focus itself, instead of the toolkit moving it among the
    // controls shown.
    bool arrowKeys = false;
    // Said by a screen reader after the caption ("MB free" after a bare number).
    const char* spokenUnit = nullptr;
    // Label: an icon at its left, 16 x 16 pixels on a 96-DPI screen and scaled with the screen,
    // the text beside it. The control only shows the icon; its owner keeps it alive meanwhile.
    // Without one, a label with artwork shows the artwork there.
    platform::IconHandle icon = 0;
};

// The properties of a ControlSpec that can change after creation, as bits of Properties.
enum class Property : std::uint32_t {
    Caption = 1 << 0,
    ToolTip = 1 << 1,
    Visible = 1 << 2,
    Enabled = 1 << 3,
    Rect = 1 << 4,
    Colours = 1 << 5,
    Items = 1 << 6,
    Selection = 1 << 7,
    Value = 1 << 8, // with the range, min and max
    Icon = 1 << 9,  // with the artwork
};
constexpr std::uint32_t kLastProperty = static_cast<std::uint32_t>(Property::Icon);
using Properties = std::uint32_t;
constexpr Properties operator|(Property a, Property b)
{
    return static_cast<Properties>(a) | static_cast<Properties>(b);
}
constexpr bool Has(Properties set, Property p)
{
    return (set & static_cast<Properties>(p)) != 0;
}

// Hands each property named in `changed` to its own applier of one side of the toolkit. Both
// sides go through here, so neither can miss a property the other handles: a side without an
// applier does not compile.
template <class Side> void ApplyProperties(Side& side, const ControlSpec& props, Properties changed)
{
    for (std::uint32_t bit = 1; bit != 0 && bit <= kLastProperty; bit <<= 1) {
        if ((changed & bit) == 0)
            continue;
        switch (static_cast<Property>(bit)) {
        case Property::Caption:
            side.applyCaption(props);
            break;
        case Property::ToolTip:
            side.applyToolTip(props);
            break;
        case Property::Visible:
            side.applyVisible(props);
            break;
        case Property::Enabled:
            side.applyEnabled(props);
            break;
        case Property::Rect:
            side.applyRect(props);
            break;
        case Property::Colours:
            side.applyColours(props);
            break;
        case Property::Items:
            side.applyItems(props);
            break;
        case Property::Selection:
            side.applySelection(props);
            break;
        case Property::Value:
            side.applyValue(props);
            break;
        case Property::Icon:
            side.applyIcon(props);
            break;
        }
    }
}

struct FormSpec {
    std::string caption;
    Rect rect; // outer frame, screen twips
    // When set, the frame is sized around a client area of this size (rect's size is then unused),
    // whatever the platform's frame and caption metrics are.
    Size client;
    bool toolWindow = false; // small caption; the platform's own taskbar shows no button
    bool sizable = true;
    bool titleBar = true; // false: a popup with a thin border and no caption
    platform::WindowHandle owner = 0;
    Colour back = kSysButtonFace;
    // Keys as in a dialog box: the first control takes the focus when the form is activated, and
    // Esc presses cancelButton or, without one, closes the form as its close box does. Enter
    // presses the focused button, or else defaultButton (0: none; a text box then takes Enter).
    // Tab and the arrow keys move the focus in every form.
    bool dialogKeys = false;
    ControlId defaultButton = 0;
    ControlId cancelButton = 0;
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

// Virtual key codes.
constexpr int kKeyF1 = 0x70;
constexpr int kKeyF10 = 0x79;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyTab = 0x09;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;
constexpr int kKeyApps = 0x5D; // the context-menu key
constexpr int kKeyHome = 0x24;

// Modifiers of a hot key, as the platform numbers them.
constexpr int kHotKeyAlt = 1;
constexpr int kHotKeyControl = 2;
constexpr int kHotKeyShift = 4;

// What the user asks of a scroll bar.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// What the user did to one control, as each side of the toolkit reports it. The program's
// events (click, change, ...) are derived from it once, by the widgets, for both sides.
struct UserInput {
    enum class Kind {
        MouseUp,     // button, shift (1 Shift, 2 Ctrl, 4 Alt), x and y in twips
        DoubleClick, //
        KeyPress,    // characterCode; set to 0 by a handler, the key is discarded
        Text,        // text: what a text box shows now
        Check,       // value: the check box's new state
        Scroll,      // scroll; value: where the thumb was dropped (Thumb)
        Selection,   // selection: the list box's selected items
        // virtualKey on a control that acts on keys itself: Enter, Space (once let go), and
        // kKeyApps for the context-menu key or Shift+F10; the arrow keys on an arrowKeys control.
        Key,
        // The mouse wheel over the form: control is the one under the mouse (0: the form's
        // background), x and y in twips from the form's client area, value the turn (120 a
        // notch, positive away from the user).
        Wheel,
        // A left press on a pressable control let go outside it: x and y in twips from the
        // control's top left corner.
        Drop,
    };
    Kind kind = Kind::MouseUp;
    ControlId control = 0; // 0 is the form's own background
    MouseButton button = MouseButton::None;
    int shift = 0;
    float x = 0, y = 0;
    int characterCode = 0;
    int virtualKey = 0;
    std::string text;
    int value = 0;
    ScrollRequest scroll = ScrollRequest::LineDown;
    std::vector<int> selection;
};

// Events a form receives; all run on the user-interface thread.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void onResize() { }
    // Return false to refuse the close.
    virtual bool onCloseRequest(CloseReason) { return true; }
    // The form is gone (closed or destroyed by the platform).
    virtual void onClosed() { }
    virtual void onInput(UserInput&) { }
    // A key went down while one of the form's windows has the focus; true when it was handled,
    // and then it goes no further.
    virtual bool onAccelerator(int /*virtualKey*/) { return false; }
    virtual void onTimer(TimerId) { }
    // Whether the program acts on a left click on the control: a reader offers it as a button.
    virtual bool clickable(ControlId) const { return false; }
    // The form's hot key was pressed, whichever window has the focus.
    virtual void onHotKey() { }
    // A monitor came or went, or a monitor's size, work area or resolution changed.
    virtual void onDisplayChange() { }
};

// The open-file dialog: a title, the extension added to a name typed without one, and the
// pattern of the names it lists ("*.exe", several separated by ';').
struct OpenFileRequest {
    std::string title;
    std::string defaultExtension;
    std::string pattern;
};

enum class PictureSource { File, Resource };

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

inline MenuItem MenuEntry(MenuId id, std::string caption, std::function<void()> action = {})
{
    MenuItem item;
    item.id = id;
    item.caption = std::move(caption);
    item.action = std::move(action);
    return item;
}

// A divider line.
inline MenuItem MenuSeparator(MenuId id)
{
    MenuItem item = MenuEntry(id, "-");
    item.separator = true;
    return item;
}

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
    // Shows the form without taking the focus from the window that has it.
    virtual void showFormInactive(FormId form) = 0;
    // Shows the form and makes it the foreground window.
    virtual void bringToFront(FormId form) = 0;
    virtual void setFormCaption(FormId form, const std::string& caption) = 0;
    // Gives a control of the form the keyboard focus.
    virtual void focusControl(FormId form, ControlId id) = 0;
    // True while the form is the active window and one of its controls has the keyboard focus
    // (the form's own window having it does not count).
    virtual bool controlHasFocus(FormId form) = 0;
    // Selects the whole text of a text box, so that what is typed next replaces it.
    virtual void selectAllText(FormId form, ControlId id) = 0;
    // A key combination (kHotKey... modifiers and a virtual key) that reaches the form from any
    // program; one per form, replacing the last. False when another program holds it.
    virtual bool registerHotKey(FormId form, int modifiers, int virtualKey) = 0;
    virtual void unregisterHotKey(FormId form) = 0;
    // The row of a list box under a point (twips from the list's top left corner), as the list
    // is scrolled now; -1 when the point is on no row.
    virtual int listItemAt(FormId form, ControlId id, float x, float y) = 0;
    virtual Rect formRect(FormId form) = 0; // outer frame, screen twips
    virtual void setFormRect(FormId form, const Rect& rect) = 0;
    // Shows only this part of the form, in screen pixels (the rest is not drawn and takes no
    // mouse); nullopt shows all of it. Kept while the form moves; set again after a move.
    virtual void clipForm(FormId form, const std::optional<platform::PixelRect>& visible) = 0;
    virtual Size clientSize(FormId form) = 0;
    virtual WindowState formState(FormId form) = 0;
    // False when the file is missing or not an icon.
    virtual bool setFormIcon(FormId form, const std::string& path) = 0;

    virtual void createControl(FormId form, ControlId id, const ControlSpec& props) = 0;
    virtual void destroyControl(FormId form, ControlId id) = 0;
    // Applies the properties named in `changed`, taking their new values from props.
    virtual void updateControl(FormId form, ControlId id, const ControlSpec& props, Properties changed) = 0;
    // Loads a picture into a Picture control, from a file or from the program's own bitmap
    // resource of that name; its natural size in twips, or nullopt.
    virtual std::optional<Size> loadPicture(
        FormId form, ControlId id, const std::string& name, PictureSource source) = 0;

    // A periodic timer of a form; setting it again changes interval or state.
    virtual void setTimer(FormId form, TimerId id, int intervalMs, bool enabled) = 0;

    // Shows the menu's items at the mouse position and waits for a choice; 0 when dismissed.
    virtual MenuId popupMenu(FormId form, const MenuItem& menu, MenuId defaultItem) = 0;

    // Modal dialogs over `owner`; nullopt when the user cancels. The file must exist.
    virtual std::optional<std::string> openFileDialog(FormId owner, const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> inputBox(
        FormId owner, const std::string& prompt, const std::string& title, const std::string& defaultText) = 0;

    // Runs the messages waiting in the queue, then returns.
    virtual void processPendingMessages() = 0;
    // Ends the program at once: no form's close handling runs.
    virtual void quit() = 0;
};

} // namespace ui
