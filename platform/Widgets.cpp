#include "platform/Widgets.h"

namespace ui {

Form::Form(Toolkit& toolkit, const FormSpec& props, FormEvents& events)
    : toolkit_(toolkit)
    , id_(toolkit.createForm(props, events))
{
}

Form::~Form()
{
    toolkit_.destroyForm(id_);
}

Control::Control(Form& form, ControlId id, const ControlSpec& props)
    : toolkit_(form.toolkit())
    , form_(form.id())
    , id_(id)
    , spec_(props)
{
    toolkit_.createControl(form_, id_, spec_);
}

Control::~Control()
{
    toolkit_.destroyControl(form_, id_);
}

void Control::setCaption(std::string_view text)
{
    if (spec_.caption == text)
        return;
    spec_.caption.assign(text.data(), text.size());
    toolkit_.setCaption(form_, id_, spec_.caption);
}

void Control::setToolTip(std::string_view text)
{
    if (spec_.toolTip == text)
        return;
    spec_.toolTip.assign(text.data(), text.size());
    toolkit_.setToolTip(form_, id_, spec_.toolTip);
}

void Control::setVisible(bool visible)
{
    if (spec_.visible == visible)
        return;
    spec_.visible = visible;
    toolkit_.setVisible(form_, id_, visible);
}

void Control::setEnabled(bool enabled)
{
    if (spec_.enabled == enabled)
        return;
    spec_.enabled = enabled;
    toolkit_.setEnabled(form_, id_, enabled);
}

void Control::setRect(const Rect& rect)
{
    if (spec_.rect == rect)
        return;
    spec_.rect = rect;
    toolkit_.setRect(form_, id_, rect);
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
    toolkit_.setColours(form_, id_, back, fore);
}

std::optional<Size> Control::loadPicture(const std::string& path)
{
    auto size = toolkit_.loadPicture(form_, id_, path);
    if (size)
        spec_.artwork = Artwork::None;
    return size;
}

Timer::Timer(Form& form, TimerId id, int intervalMs, bool enabled)
    : toolkit_(form.toolkit())
    , form_(form.id())
    , id_(id)
    , intervalMs_(intervalMs)
    , enabled_(enabled)
{
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
    toolkit_.setTimer(form_, id_, intervalMs_, enabled_);
}

} // namespace ui
