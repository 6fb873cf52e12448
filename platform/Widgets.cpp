#include "platform/Widgets.h"

#include "platform/FocusRules.h"
#include "platform/InputRules.h"

namespace ui {

// Receives the toolkit's events for one form, derives the program's events from the user's input
// and hands each to the handler registered for it.
class Form::Router final : public FormEvents {
public:
    explicit Router(Form& form)
        : form_(form)
    {
    }

    void onResize() override
    {
        if (form_.onResize)
            form_.onResize();
    }
    bool onCloseRequest(CloseReason reason) override
    {
        return form_.onCloseRequest ? form_.onCloseRequest(reason) : true;
    }
    void onClosed() override
    {
        if (form_.onClosed)
            form_.onClosed();
    }
    void onInput(UserInput& input) override
    {
        using Kind = UserInput::Kind;
        // A handler may drop the control, or the whole form with this router: look again after each.
        const std::weak_ptr<const bool> alive = form_.alive_;
        const ControlId id = input.control;
        Control* control = form_.control(id);
        switch (input.kind) {
        case Kind::MouseUp:
            mouseUp(input);
            if (alive.expired() || input.button != MouseButton::Left)
                return;
            control = form_.control(id);
            if (control && ClicksOnRelease(control->kind()))
                run(id, &ControlHandlers::click);
            return;
        case Kind::DoubleClick:
            run(id, &ControlHandlers::doubleClick);
            return;
        case Kind::KeyPress: {
            const KeyHandler handler = handlerOf(id, &ControlHandlers::keyPress);
            if (handler)
                handler(input.characterCode);
            return;
        }
        case Kind::Text:
            if (control && control->takeText(input.text))
                run(id, &ControlHandlers::change);
            return;
        case Kind::Check:
            if (control && control->takeValue(input.value))
                clickAndChange(id, alive);
            return;
        case Kind::Selection:
            if (control && control->takeSelection(input.selection))
                clickAndChange(id, alive);
            return;
        case Kind::Scroll:
            if (control && control->scroll(input.scroll, input.value))
                run(id, &ControlHandlers::change);
            return;
        case Kind::Key:
            key(input, control);
            return;
        case Kind::Wheel:
            if (const WheelHandler handler = form_.onWheel)
                handler(id, input.x, input.y, input.value);
            return;
        case Kind::Drop:
            for (const auto& range : form_.ranges_) {
                if (range.drop && id >= range.first && id <= range.last) {
                    const ArrayDropHandler handler = range.drop;
                    handler(id, input.x, input.y);
                    return;
                }
            }
            return;
        }
    }
    void onHotKey() override
    {
        if (const std::function<void()> handler = form_.onHotKey)
            handler();
    }
    void onDisplayChange() override
    {
        if (const std::function<void()> handler = form_.onDisplayChange)
            handler();
    }
    bool onAccelerator(int virtualKey) override
    {
        const auto found = form_.accelerators_.find(virtualKey);
        if (found == form_.accelerators_.end() || !found->second)
            return false;
        const std::function<void()> handler = found->second;
        handler();
        return true;
    }
    void onTimer(TimerId id) override
    {
        auto it = form_.timers_.find(id);
        if (it != form_.timers_.end() && it->second)
            it->second();
    }
    bool clickable(ControlId id) const override
    {
        const auto found = form_.handlers_.find(id);
        if (found != form_.handlers_.end() && found->second.click)
            return true;
        for (const auto& range : form_.ranges_)
            if (id >= range.first && id <= range.last && range.mouseUp)
                return true;
        return false;
    }

private:
    // A copy: the handler may replace itself, or register others, while it runs.
    template <class Handler> Handler handlerOf(ControlId id, Handler ControlHandlers::*member) const
    {
        const auto found = form_.handlers_.find(id);
        return found == form_.handlers_.end() ? Handler() : found->second.*member;
    }
    void run(ControlId id, std::function<void()> ControlHandlers::*member)
    {
        if (const std::function<void()> handler = handlerOf(id, member))
            handler();
    }
    void clickAndChange(ControlId id, const std::weak_ptr<const bool>& alive)
    {
        run(id, &ControlHandlers::click);
        if (!alive.expired())
            run(id, &ControlHandlers::change);
    }
    void key(const UserInput& input, const Control* control)
    {
        for (const auto& range : form_.ranges_) {
            if (range.key && input.control >= range.first && input.control <= range.last) {
                const ArrayKeyHandler handler = range.key;
                handler(input.control, input.virtualKey);
                return;
            }
        }
        const bool press = input.virtualKey == kKeyReturn || input.virtualKey == kKeySpace;
        if (press && control && PressesLikeButton(control->state()))
            run(input.control, &ControlHandlers::click);
    }
    void mouseUp(const UserInput& input)
    {
        if (const MouseHandler handler = handlerOf(input.control, &ControlHandlers::mouseUp)) {
            handler(input.button, input.shift, input.x, input.y);
            return;
        }
        for (const auto& range : form_.ranges_) {
            if (range.mouseUp && input.control >= range.first && input.control <= range.last) {
                const ArrayMouseHandler handler = range.mouseUp;
                handler(input.control, input.button);
                return;
            }
        }
    }

    Form& form_;
};

Form::Form(Toolkit& toolkit, const FormSpec& props)
    : router_(std::make_unique<Router>(*this))
    , toolkit_(toolkit)
    , id_(toolkit.createForm(props, *router_))
    , caption_(props.caption)
{
}

void Form::setCaption(std::string_view caption)
{
    if (caption == caption_)
        return;
    caption_ = std::string(caption);
    toolkit_.setFormCaption(id_, caption_);
}

Form::~Form()
{
    toolkit_.destroyForm(id_);
}

Control* Form::control(ControlId id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void Form::onClick(ControlId id, std::function<void()> handler)
{
    handlers_[id].click = std::move(handler);
}

void Form::onChange(ControlId id, std::function<void()> handler)
{
    handlers_[id].change = std::move(handler);
}

void Form::onDoubleClick(ControlId id, std::function<void()> handler)
{
    handlers_[id].doubleClick = std::move(handler);
}

void Form::onMouseUp(ControlId id, MouseHandler handler)
{
    handlers_[id].mouseUp = std::move(handler);
}

void Form::onKeyPress(ControlId id, KeyHandler handler)
{
    handlers_[id].keyPress = std::move(handler);
}

void Form::onMouseUpRange(ControlId first, ControlId last, ArrayMouseHandler handler)
{
    ranges_.push_back({first, last, std::move(handler), {}, {}});
}

void Form::onKeyRange(ControlId first, ControlId last, ArrayKeyHandler handler)
{
    ranges_.push_back({first, last, {}, std::move(handler), {}});
}

void Form::onDropRange(ControlId first, ControlId last, ArrayDropHandler handler)
{
    ranges_.push_back({first, last, {}, {}, std::move(handler)});
}

void Form::onTimer(TimerId id, std::function<void()> handler)
{
    timers_[id] = std::move(handler);
}

void Form::onAccelerator(int virtualKey, std::function<void()> handler)
{
    accelerators_[virtualKey] = std::move(handler);
}

Control::Control(Form& form, ControlId id, const ControlSpec& props)
    : form_(form)
    , id_(id)
    , spec_(props)
{
    spec_.selected = NormalisedSelection(spec_, spec_.selected);
    if (spec_.kind == ControlKind::ScrollBar)
        spec_.value = ClampedValue(spec_, spec_.value);
    form_.toolkit().createControl(form_.id(), id_, spec_);
    form_.controls_[id_] = this;
}

Control::~Control()
{
    form_.controls_.erase(id_);
    form_.toolkit().destroyControl(form_.id(), id_);
}

void Control::apply(Properties changed)
{
    form_.toolkit().updateControl(form_.id(), id_, spec_, changed);
}

void Control::setCaption(std::string_view text)
{
    if (spec_.caption == text)
        return;
    spec_.caption.assign(text.data(), text.size());
    apply(static_cast<Properties>(Property::Caption));
}

void Control::setToolTip(std::string_view text)
{
    if (spec_.toolTip == text)
        return;
    spec_.toolTip.assign(text.data(), text.size());
    apply(static_cast<Properties>(Property::ToolTip));
}

void Control::setVisible(bool visible)
{
    if (spec_.visible == visible)
        return;
    spec_.visible = visible;
    apply(static_cast<Properties>(Property::Visible));
}

void Control::setEnabled(bool enabled)
{
    if (spec_.enabled == enabled)
        return;
    spec_.enabled = enabled;
    apply(static_cast<Properties>(Property::Enabled));
}

void Control::setRect(const Rect& rect)
{
    if (spec_.rect == rect)
        return;
    spec_.rect = rect;
    apply(static_cast<Properties>(Property::Rect));
}

void Control::setLeft(float left)
{
    Rect r = spec_.rect;
    r.left = left;
    setRect(r);
}

void Control::setWidth(float width)
{
    Rect r = spec_.rect;
    r.width = width;
    setRect(r);
}

void Control::setHeight(float height)
{
    Rect r = spec_.rect;
    r.height = height;
    setRect(r);
}

void Control::setIcon(platform::IconHandle icon, Artwork standIn)
{
    if (spec_.icon == icon && spec_.artwork == standIn)
        return;
    spec_.icon = icon;
    spec_.artwork = standIn;
    apply(static_cast<Properties>(Property::Icon));
}

void Control::setColours(Colour back, Colour fore)
{
    if (spec_.back == back && spec_.fore == fore)
        return;
    spec_.back = back;
    spec_.fore = fore;
    apply(static_cast<Properties>(Property::Colours));
}

void Control::setItems(std::vector<std::string> items)
{
    spec_.items = std::move(items);
    spec_.selected.clear();
    apply(static_cast<Properties>(Property::Items));
}

void Control::setSelectedItems(const std::vector<int>& indices)
{
    std::vector<int> selection = NormalisedSelection(spec_, indices);
    if (selection == spec_.selected)
        return;
    spec_.selected = std::move(selection);
    apply(static_cast<Properties>(Property::Selection));
}

void Control::setValue(int value)
{
    if (spec_.kind == ControlKind::ScrollBar)
        value = ClampedValue(spec_, value);
    if (spec_.value == value)
        return;
    spec_.value = value;
    apply(static_cast<Properties>(Property::Value));
}

void Control::setRange(int min, int max)
{
    if (spec_.min == min && spec_.max == max)
        return;
    spec_.min = min;
    spec_.max = max;
    spec_.value = ClampedValue(spec_, spec_.value);
    apply(static_cast<Properties>(Property::Value));
}

bool Control::takeText(const std::string& text)
{
    if (spec_.caption == text)
        return false;
    spec_.caption = text;
    return true;
}

bool Control::takeValue(int value)
{
    if (spec_.value == value)
        return false;
    spec_.value = value;
    return true;
}

bool Control::takeSelection(const std::vector<int>& indices)
{
    std::vector<int> selection = NormalisedSelection(spec_, indices);
    if (selection == spec_.selected)
        return false;
    spec_.selected = std::move(selection);
    return true;
}

bool Control::scroll(ScrollRequest request, int thumb)
{
    const int position = ScrolledValue(spec_, request, thumb);
    if (position == spec_.value)
        return false;
    spec_.value = position;
    // Neither side's scroll bar moves by itself: it shows the new value once told.
    apply(static_cast<Properties>(Property::Value));
    return true;
}

std::optional<Size> Control::loadPicture(const std::string& path)
{
    return form_.toolkit().loadPicture(form_.id(), id_, path, PictureSource::File);
}

std::optional<Size> Control::loadResourcePicture(const std::string& name)
{
    return form_.toolkit().loadPicture(form_.id(), id_, name, PictureSource::Resource);
}

Timer::Timer(Form& form, TimerId id, int intervalMs, bool enabled, std::function<void()> onTick)
    : toolkit_(form.toolkit())
    , form_(form.id())
    , id_(id)
    , intervalMs_(intervalMs)
    , enabled_(enabled)
{
    form.onTimer(id, std::move(onTick));
    toolkit_.setTimer(form_, id_, intervalMs_, enabled_);
}

Timer::~Timer()
{
    toolkit_.setTimer(form_, id_, intervalMs_, false);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    toolkit_.setTimer(form_, id_, intervalMs_, enabled_);
}

void Timer::setInterval(int intervalMs)
{
    if (intervalMs_ == intervalMs)
        return;
    intervalMs_ = intervalMs;
    // A disabled timer stays disabled; the toolkit only learns the new interval.
    toolkit_.setTimer(form_, id_, intervalMs_, enabled_);
}

void PopupMenu(Form& form, const MenuItem& menu, MenuId defaultItem)
{
    const MenuId choice = form.toolkit().popupMenu(form.id(), menu, defaultItem);
    if (choice == 0)
        return;
    const MenuItem* chosen = FindMenuItem(menu, choice);
    if (!chosen || !chosen->action)
        return;
    // The action may rebuild the menu it came from: run a copy.
    const std::function<void()> action = chosen->action;
    action();
}

const MenuItem* FindMenuItem(const MenuItem& root, MenuId id)
{
    if (root.id == id)
        return &root;
    for (const auto& child : root.items) {
        if (const auto* found = FindMenuItem(child, id))
            return found;
    }
    return nullptr;
}

MenuItem* FindMenuItem(MenuItem& root, MenuId id)
{
    return const_cast<MenuItem*>(FindMenuItem(static_cast<const MenuItem&>(root), id));
}

} // namespace ui
