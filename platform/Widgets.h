#pragma once
// RAII owners of a form, its controls and timers. A control remembers what it shows, so a write
// that changes nothing never reaches the window: a refresh that changes nothing repaints nothing.
// Events reach the handler that the owner of a control, timer or form registered for it.
#include "platform/Toolkit.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

using MouseHandler = std::function<void(MouseButton button, int shift, float xTwips, float yTwips)>;
// For a control array: the handler learns which element.
using ArrayMouseHandler = std::function<void(ControlId id, MouseButton button)>;
// Setting the code to 0 discards the key; another code replaces it.
using KeyHandler = std::function<void(int& characterCode)>;
// A key on a control that acts on keys (see UserInput::Kind::Key); for a control array, which one.
using ArrayKeyHandler = std::function<void(ControlId id, int virtualKey)>;
// A press on an element let go outside it (UserInput::Kind::Drop): where, in twips from its corner.
using ArrayDropHandler = std::function<void(ControlId id, float xTwips, float yTwips)>;
// The mouse wheel over the form (UserInput::Kind::Wheel).
using WheelHandler = std::function<void(ControlId under, float xTwips, float yTwips, int turn)>;

class Control;

class Form {
public:
    Form(Toolkit& toolkit, const FormSpec& props);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    FormId id() const { return id_; }
    Toolkit& toolkit() const { return toolkit_; }
    platform::WindowHandle window() const { return toolkit_.formWindow(id_); }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view caption);

    // Handlers of the form itself.
    std::function<void()> onResize;
    std::function<bool(CloseReason)> onCloseRequest; // false refuses the close; unset grants it
    std::function<void()> onClosed;
    // The form's hot key (Toolkit::registerHotKey).
    std::function<void()> onHotKey;
    // Monitors came, went or changed size or work area.
    std::function<void()> onDisplayChange;

    // Handlers of controls, by id; 0 is the form's own background.
    // Click: a left-button release on a label, picture, panel or button; a check box toggled;
    // a new list selection. Change: a text, check, scroll position or selection the user changed.
    void onClick(ControlId id, std::function<void()> handler);
    void onChange(ControlId id, std::function<void()> handler);
    void onDoubleClick(ControlId id, std::function<void()> handler);
    void onMouseUp(ControlId id, MouseHandler handler);
    void onKeyPress(ControlId id, KeyHandler handler);
    // Every id from first to last inclusive, for arrays whose elements come and go.
    void onMouseUpRange(ControlId first, ControlId last, ArrayMouseHandler handler);
    // Keys on the elements of an array of pressable controls. Without such a handler, Enter and
    // Space on a pressable control are its click.
    void onKeyRange(ControlId first, ControlId last, ArrayKeyHandler handler);
    // Presses on the elements of an array of pressable controls let go elsewhere (a drag).
    void onDropRange(ControlId first, ControlId last, ArrayDropHandler handler);
    // The mouse wheel turned over the form, whichever control lies under the mouse.
    WheelHandler onWheel;
    void onTimer(TimerId id, std::function<void()> handler);
    // A key (ui::kKeyF1, ...) pressed while any window of the form has the focus.
    void onAccelerator(int virtualKey, std::function<void()> handler);

private:
    class Router;
    struct ControlHandlers {
        std::function<void()> click, change, doubleClick;
        MouseHandler mouseUp;
        KeyHandler keyPress;
    };
    struct RangeHandler {
        ControlId first, last;
        ArrayMouseHandler mouseUp;
        ArrayKeyHandler key;
        ArrayDropHandler drop;
    };
    friend class Router;
    friend class Control;

    Control* control(ControlId id) const;

    std::unordered_map<ControlId, ControlHandlers> handlers_;
    std::unordered_map<ControlId, Control*> controls_;
    std::vector<RangeHandler> ranges_;
    std::unordered_map<TimerId, std::function<void()>> timers_;
    std::unordered_map<int, std::function<void()>> accelerators_;
    // Lets the router tell that a handler dropped the whole form.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
    std::unique_ptr<FormEvents> router_;
    Toolkit& toolkit_;
    FormId id_;
    std::string caption_;
};

class Control {
public:
    Control(Form& form, ControlId id, const ControlSpec& props);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlId id() const { return id_; }
    ControlKind kind() const { return spec_.kind; }
    const ControlSpec& state() const { return spec_; }
    // What the control shows, the user's typing included.
    const std::string& text() const { return spec_.caption; }
    const std::string& caption() const { return spec_.caption; }
    const std::string& toolTip() const { return spec_.toolTip; }
    bool visible() const { return spec_.visible; }
    bool enabled() const { return spec_.enabled; }
    const Rect& rect() const { return spec_.rect; }
    // Check box state or scroll bar position.
    int value() const { return spec_.value; }
    const std::vector<std::string>& items() const { return spec_.items; }
    const std::vector<int>& selectedItems() const { return spec_.selected; }
    // The first selected item, -1 when none is.
    int listIndex() const { return spec_.selected.empty() ? -1 : spec_.selected.front(); }

    void setCaption(std::string_view text);
    void setToolTip(std::string_view text);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setRect(const Rect& rect);
    void setLeft(float left);
    void setWidth(float width);
    void setHeight(float height);
    void setColours(Colour back, Colour fore);
    // A new list always goes out, and the selection goes with the old one.
    void setItems(std::vector<std::string> items);
    void setSelectedItems(const std::vector<int>& indices);
    // A label's icon, or its stand-in artwork while icon is 0 (see ControlSpec::icon).
    void setIcon(platform::IconHandle icon, Artwork standIn);
    // A scroll bar keeps its value within its range.
    void setValue(int value);
    void setRange(int min, int max);
    // Replaces the picture; nullopt (and nothing changed) when it cannot be loaded.
    std::optional<Size> loadPicture(const std::string& path);
    // The program's own bitmap resource of that name.
    std::optional<Size> loadResourcePicture(const std::string& name);

    void onClick(std::function<void()> handler) { form_.onClick(id_, std::move(handler)); }
    void onChange(std::function<void()> handler) { form_.onChange(id_, std::move(handler)); }
    void onDoubleClick(std::function<void()> handler) { form_.onDoubleClick(id_, std::move(handler)); }
    void onMouseUp(MouseHandler handler) { form_.onMouseUp(id_, std::move(handler)); }
    void onKeyPress(KeyHandler handler) { form_.onKeyPress(id_, std::move(handler)); }

private:
    friend class Form::Router;
    void apply(Properties changed);
    // The user's input reaches the cache here; true when the value is new.
    bool takeText(const std::string& text);
    bool takeValue(int value);
    bool takeSelection(const std::vector<int>& indices);
    // Moves the thumb as asked and shows it there; true when it moved.
    bool scroll(ScrollRequest request, int thumb);

    Form& form_;
    ControlId id_;
    ControlSpec spec_;
};

class Timer {
public:
    Timer(Form& form, TimerId id, int intervalMs, bool enabled, std::function<void()> onTick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool enabled() const { return enabled_; }
    int interval() const { return intervalMs_; }
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);

private:
    Toolkit& toolkit_;
    FormId form_;
    TimerId id_;
    int intervalMs_;
    bool enabled_;
};

// Pops the menu's entries up at the mouse and runs the chosen entry's action.
void PopupMenu(Form& form, const MenuItem& menu, MenuId defaultItem);
// The entry with this id anywhere below root, or null.
const MenuItem* FindMenuItem(const MenuItem& root, MenuId id);
MenuItem* FindMenuItem(MenuItem& root, MenuId id);

} // namespace ui
