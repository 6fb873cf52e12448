#include "platform/sim/SimToolkit.h"

namespace sim {

SimForm* SimToolkit::form(ui::FormId id)
{
    auto it = forms_.find(id);
    return it == forms_.end() ? nullptr : &it->second;
}

const ui::ControlSpec* SimToolkit::control(ui::ControlId id) const
{
    for (const auto& [formId, f] : forms_) {
        auto it = f.controls.find(id);
        if (it != f.controls.end())
            return &it->second;
    }
    return nullptr;
}

ui::ControlSpec* SimToolkit::writable(ui::FormId form, ui::ControlId id)
{
    auto* f = this->form(form);
    if (!f)
        return nullptr;
    auto it = f->controls.find(id);
    if (it == f->controls.end())
        return nullptr;
    ++propertyWrites;
    return &it->second;
}

void SimToolkit::advance(long long ms)
{
    const long long target = nowMs_ + ms;
    for (;;) {
        // The earliest due timer of any form; ties go to the lower form and timer id.
        SimForm* dueForm = nullptr;
        ui::TimerId dueTimer = 0;
        long long due = target + 1;
        for (auto& [formId, f] : forms_) {
            for (auto& [timerId, t] : f.timers) {
                if (t.enabled && t.dueMs < due) {
                    due = t.dueMs;
                    dueForm = &f;
                    dueTimer = timerId;
                }
            }
        }
        if (!dueForm)
            break;
        nowMs_ = due;
        auto& t = dueForm->timers[dueTimer];
        t.dueMs = due + (t.intervalMs > 0 ? t.intervalMs : 1);
        dueForm->events->onTimer(dueTimer);
        if (quitRequested)
            break;
    }
    nowMs_ = target;
}

bool SimToolkit::userClose(ui::FormId id)
{
    return platformClose(id, ui::CloseReason::ControlMenu);
}

bool SimToolkit::platformClose(ui::FormId id, ui::CloseReason reason)
{
    auto* f = form(id);
    if (!f || !f->events->onCloseRequest(reason))
        return false;
    ui::FormEvents* events = f->events;
    destroyForm(id);
    events->onClosed();
    return true;
}

void SimToolkit::setFormState(ui::FormId id, ui::WindowState state)
{
    auto* f = form(id);
    if (!f)
        return;
    f->state = state;
    f->events->onResize();
}

void SimToolkit::mouseUp(ui::FormId id, ui::ControlId control, ui::MouseButton button)
{
    auto* f = form(id);
    if (!f)
        return;
    f->events->onMouseUp(control, button, 0, 0, 0);
    if (button == ui::MouseButton::Left && form(id))
        f->events->onClick(control);
}

ui::FormId SimToolkit::createForm(const ui::FormSpec& props, ui::FormEvents& events)
{
    SimForm f;
    f.props = props;
    f.events = &events;
    f.rect = props.rect;
    if (props.client.width > 0 && props.client.height > 0) {
        f.rect.width = props.client.width + 2 * borderPixels * metrics.twipsPerPixelX;
        f.rect.height = props.client.height + (2 * borderPixels + captionPixels) * metrics.twipsPerPixelY;
    }
    WindowOptions options;
    options.owner = props.owner;
    options.exStyle = props.toolWindow ? platform::kExStyleToolWindow : 0;
    options.visible = false;
    options.className = "TolvaneForm";
    f.window = desktop_.open(props.caption, options);
    ui::FormId id = nextForm_++;
    forms_.emplace(id, std::move(f));
    return id;
}

void SimToolkit::destroyForm(ui::FormId form)
{
    auto it = forms_.find(form);
    if (it == forms_.end())
        return;
    desktop_.close(it->second.window);
    forms_.erase(it);
}

platform::WindowHandle SimToolkit::formWindow(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? f->window : 0;
}

void SimToolkit::showForm(ui::FormId form, bool visible)
{
    if (auto* f = this->form(form)) {
        f->visible = visible;
        desktop_.setVisible(f->window, visible);
    }
}

ui::Rect SimToolkit::formRect(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? f->rect : ui::Rect {};
}

void SimToolkit::setFormRect(ui::FormId form, const ui::Rect& rect)
{
    auto* f = this->form(form);
    if (!f)
        return;
    const bool resized = f->rect.width != rect.width || f->rect.height != rect.height;
    f->rect = rect;
    // Like the real platform, a move alone raises no resize event.
    if (resized) {
        alignBottomControls(*f);
        f->events->onResize();
    }
}

ui::Size SimToolkit::clientSize(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? clientOf(*f) : ui::Size {};
}

ui::Size SimToolkit::clientOf(const SimForm& f) const
{
    return {f.rect.width - 2 * borderPixels * metrics.twipsPerPixelX,
        f.rect.height - (2 * borderPixels + captionPixels) * metrics.twipsPerPixelY};
}

void SimToolkit::alignBottomControls(SimForm& f)
{
    const ui::Size client = clientOf(f);
    for (auto& [id, props] : f.controls) {
        if (props.alignBottom && props.parent == 0) {
            props.rect.left = 0;
            props.rect.width = client.width;
            props.rect.top = client.height - props.rect.height;
        }
    }
}

ui::WindowState SimToolkit::formState(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? f->state : ui::WindowState::Normal;
}

bool SimToolkit::setFormIcon(ui::FormId form, const std::string& path)
{
    auto* f = this->form(form);
    if (!f || !icons.count(path))
        return false;
    f->iconPath = path;
    return true;
}

void SimToolkit::createControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props)
{
    if (auto* f = this->form(form)) {
        f->controls[id] = props;
        if (props.alignBottom)
            alignBottomControls(*f);
    }
}

void SimToolkit::destroyControl(ui::FormId form, ui::ControlId id)
{
    if (auto* f = this->form(form))
        f->controls.erase(id);
}

void SimToolkit::setCaption(ui::FormId form, ui::ControlId id, const std::string& text)
{
    if (auto* c = writable(form, id))
        c->caption = text;
}

std::string SimToolkit::caption(ui::FormId form, ui::ControlId id)
{
    auto* f = this->form(form);
    if (!f)
        return {};
    auto it = f->controls.find(id);
    return it == f->controls.end() ? std::string() : it->second.caption;
}

void SimToolkit::setToolTip(ui::FormId form, ui::ControlId id, const std::string& text)
{
    if (auto* c = writable(form, id))
        c->toolTip = text;
}

void SimToolkit::setVisible(ui::FormId form, ui::ControlId id, bool visible)
{
    if (auto* c = writable(form, id))
        c->visible = visible;
}

void SimToolkit::setEnabled(ui::FormId form, ui::ControlId id, bool enabled)
{
    if (auto* c = writable(form, id))
        c->enabled = enabled;
}

void SimToolkit::setRect(ui::FormId form, ui::ControlId id, const ui::Rect& rect)
{
    if (auto* c = writable(form, id))
        c->rect = rect;
}

void SimToolkit::setColours(ui::FormId form, ui::ControlId id, ui::Colour back, ui::Colour fore)
{
    if (auto* c = writable(form, id)) {
        c->back = back;
        c->fore = fore;
    }
}

void SimToolkit::setArtwork(ui::FormId form, ui::ControlId id, ui::Artwork artwork)
{
    if (auto* c = writable(form, id))
        c->artwork = artwork;
}

std::optional<ui::Size> SimToolkit::loadPicture(ui::FormId form, ui::ControlId id, const std::string& path)
{
    auto it = pictures.find(path);
    if (it == pictures.end())
        return std::nullopt;
    if (auto* c = writable(form, id))
        c->artwork = ui::Artwork::None;
    return it->second;
}

void SimToolkit::setTimer(ui::FormId form, ui::TimerId id, int intervalMs, bool enabled)
{
    auto* f = this->form(form);
    if (!f)
        return;
    auto& t = f->timers[id];
    const bool restart = enabled && (!t.enabled || t.intervalMs != intervalMs);
    t.intervalMs = intervalMs;
    t.enabled = enabled;
    if (restart)
        t.dueMs = nowMs_ + intervalMs;
}

ui::MenuId SimToolkit::popupMenu(ui::FormId, const ui::MenuItem& menu, ui::MenuId defaultItem)
{
    shownMenus.push_back({menu, defaultItem});
    if (menuChoices.empty())
        return 0;
    ui::MenuId choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
}

void SimToolkit::processPendingMessages()
{
    // Input queued while this runs waits for the next call, as with a real queue snapshot.
    std::deque<std::function<void()>> pending;
    pending.swap(input_);
    for (auto& input : pending) {
        if (quitRequested)
            break;
        input();
    }
}

void SimToolkit::quit()
{
    quitRequested = true;
    for (auto& [id, f] : forms_)
        desktop_.close(f.window);
    forms_.clear();
}

} // namespace sim
