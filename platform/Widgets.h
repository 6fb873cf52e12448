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

class Form {
public:
    Form(Toolkit& toolkit, const FormSpec& props);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    FormId id() const { return id_; }
    Toolkit& toolkit() const { return toolkit_; }
    platform::WindowHandle window() const { return toolkit_.formWindow(id_); }

    // Handlers of the form itself.
    std::function<void()> onResize;
    std::function<bool(CloseReason)> onCloseRequest; // false refuses the close; unset grants it
    std::function<void()> onClosed;

    // Handlers of controls, by id; 0 is the form's own background.
    void onClick(ControlId id, std::function<void()> handler);
    void onDoubleClick(ControlId id, std::function<void()> handler);
    void onMouseUp(ControlId id, MouseHandler handler);
    void onKeyPress(ControlId id, std::function<void(int characterCode)> handler);
    // Every id from first to last inclusive, for arrays whose elements come and go.
    void onMouseUpRange(ControlId first, ControlId last, ArrayMouseHandler handler);
    void onTimer(TimerId id, std::function<void()> handler);

private:
    class Router;
    struct ControlHandlers {
        std::function<void()> click, doubleClick;
        MouseHandler mouseUp;
        std::function<void(int)> keyPress;
    };
    struct RangeHandler {
        ControlId first, last;
        ArrayMouseHandler mouseUp;
    };
    friend class Router;

    std::unordered_map<ControlId, ControlHandlers> controls_;
    std::vector<RangeHandler> ranges_;
    std::unordered_map<TimerId, std::function<void()>> timers_;
    std::unique_ptr<FormEvents> router_;
    Toolkit& toolkit_;
    FormId id_;
};

class Control {
public:
    Control(Form& form, ControlId id, const ControlSpec& props);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlId id() const { return id_; }
    const ControlSpec& state() const { return spec_; }
    const std::string& caption() const { return spec_.caption; }
    const std::string& toolTip() const { return spec_.toolTip; }
    bool visible() const { return spec_.visible; }
    bool enabled() const { return spec_.enabled; }
    const Rect& rect() const { return spec_.rect; }

    void setCaption(std::string_view text);
    void setToolTip(std::string_view text);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setRect(const Rect& rect);
    void setLeft(float left);
    void setWidth(float width);
    void setHeight(float height);
    void setColours(Colour back, Colour fore);
    void setItems(std::vector<std::string> items);
    const std::vector<std::string>& items() const { return spec_.items; }
    // What the user typed (text boxes) or selected (list boxes).
    std::string typedText() const;
    std::vector<int> selectedItems() const;
    // Replaces the picture; nullopt (and nothing changed) when the file cannot be loaded.
    std::optional<Size> loadPicture(const std::string& path);

    void onClick(std::function<void()> handler) { form_.onClick(id_, std::move(handler)); }
    void onDoubleClick(std::function<void()> handler) { form_.onDoubleClick(id_, std::move(handler)); }
    void onMouseUp(MouseHandler handler) { form_.onMouseUp(id_, std::move(handler)); }

private:
    void apply(Properties changed);

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
