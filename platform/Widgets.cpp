#include "platform/Widgets.h"

namespace ui {

// Receives the toolkit's events for one form and hands each to the handler registered for it.
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
    void onMouseUp(ControlId id, MouseButton button, int shift, float x, float y) override
    {
        if (const auto* h = handlers(id); h && h->mouseUp) {
            h->mouseUp(button, shift, x, y);
            return;
        }
        for (const auto& range : form_.ranges_) {
            if (id >= range.first && id <= range.last) {
                range.mouseUp(id, button);
                return;
            }
        }
    }
    void onClick(ControlId id) override
    {
        if (const auto* h = handlers(id); h && h->click)
            h->click();
    }
    void onDoubleClick(ControlId id) override
    {
        if (const auto* h = handlers(id); h && h->doubleClick)
            h->doubleClick();
    }
    void onKeyPress(ControlId id, int characterCode) override
    {
        if (const auto* h = handlers(id); h && h->keyPress)
            h->keyPress(characterCode);
    }
    void onTimer(TimerId id) override
    {
        auto it = form_.timers_.find(id);
        if (it != form_.timers_.end() && it->second)
            it->second();
    }

private:
    const ControlHandlers* handlers(ControlId id) const
    {
        auto it = form_.controls_.find(id);
        return it == form_.controls_.end() ? nullptr : &it->second;
    }

    Form& form_;
};

Form::Form(Toolkit& toolkit, const FormSpec& props)
    : router_(std::make_unique<Router>(*this))
    , toolkit_(toolkit)
    , id_(toolkit.createForm(props, *router_))
{
}

Form::~Form() { toolkit_.destroyForm(id_); }

void Form::onClick(ControlId id, std::function<void()> handler) { controls_[id].click = std::move(handler); }

void Form::onDoubleClick(ControlId id, std::function<void()> handler)
{
    controls_[id].doubleClick = std::move(handler);
}

void Form::onMouseUp(ControlId id, MouseHandler handler) { controls_[id].mouseUp = std::move(handler); }

void Form::onKeyPress(ControlId id, std::function<void(int)> handler) { controls_[id].keyPress = std::move(handler); }

void Form::onMouseUpRange(ControlId first, ControlId last, ArrayMouseHandler handler)
{
    ranges_.push_back({first, last, std::move(handler)});
}

void Form::onTimer(TimerId id, std::function<void()> handler) { timers_[id] = std::move(handler); }

Control::Control(Form& form, ControlId id, const ControlSpec& props)
    : form_(form)
    , id_(id)
    , spec_(props)
{
    form_.toolkit().createControl(form_.id(), id_, spec_);
}

Control::~Control() { form_.toolkit().destroyControl(form_.id(), id_); }

void Control::apply(Properties changed) { form_.toolkit().updateControl(form_.id(), id_, spec_, changed); }

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
    // A new list always goes out: the user's selection is reset with it.
    spec_.items = std::move(items);
    apply(static_cast<Properties>(Property::Items));
}

std::string Control::typedText() const { return form_.toolkit().caption(form_.id(), id_); }

std::vector<int> Control::selectedItems() const { return form_.toolkit().selectedItems(form_.id(), id_); }

std::optional<Size> Control::loadPicture(const std::string& path)
{
    auto size = form_.toolkit().loadPicture(form_.id(), id_, path);
    if (size)
        spec_.artwork = Artwork::None;
    return size;
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

Timer::~Timer() { toolkit_.setTimer(form_, id_, intervalMs_, false); }

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
