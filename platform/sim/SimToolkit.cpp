#include "platform/sim/SimToolkit.h"

#include <algorithm>
#include <exception>

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

template <typename Event> void SimToolkit::deliver(const Event& event)
{
    try {
        event();
    } catch (const std::exception& e) {
        failures.push_back(e.what());
    } catch (...) {
        failures.push_back("unknown exception");
    }
}

void SimToolkit::advance(long long ms)
{
    const long long target = nowMs_ + ms;
    while (!quitRequested) {
        const auto due = nextDue(target);
        if (!due)
            break;
        fire(*due);
    }
    nowMs_ = std::max(nowMs_, target);
}

std::optional<SimToolkit::TimerKey> SimToolkit::nextDue(long long until) const
{
    std::optional<TimerKey> earliest;
    long long earliestMs = until + 1;
    for (const auto& [formId, f] : forms_) {
        for (const auto& [timerId, t] : f.timers) {
            // An interval of 0 never fires, as on the real platform.
            if (t.enabled && t.intervalMs > 0 && t.dueMs < earliestMs) {
                earliestMs = t.dueMs;
                earliest = TimerKey {formId, timerId};
            }
        }
    }
    return earliest;
}

void SimToolkit::fire(const TimerKey& key)
{
    SimForm& f = forms_.at(key.first);
    SimForm::TimerState& t = f.timers.at(key.second);
    nowMs_ = std::max(nowMs_, t.dueMs);
    t.dueMs += t.intervalMs;
    // A tick that comes while the same timer's handler runs (it processes pending messages) is
    // dropped, as the real form drops it.
    if (t.running)
        return;
    t.running = true;
    ui::FormEvents* events = f.events;
    deliver([events, &key] { events->onTimer(key.second); });
    // The handler may have destroyed the form; ids are never handed out twice.
    if (auto* still = form(key.first)) {
        const auto timer = still->timers.find(key.second);
        if (timer != still->timers.end())
            timer->second.running = false;
    }
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

void SimToolkit::doubleClick(ui::FormId id, ui::ControlId control)
{
    if (auto* f = form(id))
        f->events->onDoubleClick(control);
}

void SimToolkit::mouseUp(ui::FormId id, ui::ControlId control, ui::MouseButton button, float x, float y)
{
    auto* f = form(id);
    if (!f)
        return;
    f->events->onMouseUp(control, button, 0, x, y);
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
        const int caption = props.titleBar ? captionPixels : 0;
        f.rect.height = props.client.height + (2 * borderPixels + caption) * metrics.twipsPerPixelY;
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
    if (resized)
        f->events->onResize();
}

ui::Size SimToolkit::clientSize(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? clientOf(*f) : ui::Size {};
}

ui::Size SimToolkit::clientOf(const SimForm& f) const
{
    return {f.rect.width - 2 * borderPixels * metrics.twipsPerPixelX,
        f.rect.height - (2 * borderPixels + (f.props.titleBar ? captionPixels : 0)) * metrics.twipsPerPixelY};
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
    }
}

void SimToolkit::destroyControl(ui::FormId form, ui::ControlId id)
{
    if (auto* f = this->form(form))
        f->controls.erase(id);
}

void SimToolkit::updateControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed)
{
    auto* c = writable(form, id);
    if (!c)
        return;
    using P = ui::Property;
    if (ui::Has(changed, P::Caption))
        c->caption = props.caption;
    if (ui::Has(changed, P::ToolTip))
        c->toolTip = props.toolTip;
    if (ui::Has(changed, P::Visible))
        c->visible = props.visible;
    if (ui::Has(changed, P::Enabled))
        c->enabled = props.enabled;
    if (ui::Has(changed, P::Rect))
        c->rect = props.rect;
    if (ui::Has(changed, P::Colours)) {
        c->back = props.back;
        c->fore = props.fore;
    }
    if (ui::Has(changed, P::Artwork))
        c->artwork = props.artwork;
    if (ui::Has(changed, P::Items)) {
        c->items = props.items;
        selections_.erase({form, id});
    }
}

std::string SimToolkit::caption(ui::FormId form, ui::ControlId id)
{
    auto* f = this->form(form);
    if (!f)
        return {};
    auto it = f->controls.find(id);
    return it == f->controls.end() ? std::string() : it->second.caption;
}

std::vector<int> SimToolkit::selectedItems(ui::FormId form, ui::ControlId id)
{
    auto it = selections_.find({form, id});
    return it == selections_.end() ? std::vector<int>() : it->second;
}

void SimToolkit::selectItems(ui::FormId form, ui::ControlId id, std::vector<int> indices)
{
    const auto* f = this->form(form);
    const auto c = f ? f->controls.find(id) : decltype(f->controls.end()) {};
    if (!f || c == f->controls.end())
        return;
    std::vector<int> valid;
    for (int i : indices) {
        if (i >= 0 && i < static_cast<int>(c->second.items.size()))
            valid.push_back(i);
    }
    if (!c->second.multiSelect && valid.size() > 1)
        valid.resize(1);
    selections_[{form, id}] = valid;
}

void SimToolkit::bringToFront(ui::FormId form)
{
    if (auto* f = this->form(form)) {
        showForm(form, true);
        desktop_.activate(f->window);
    }
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
    if (!input_.empty()) {
        // Input queued while this runs waits for the next call, as with a real queue snapshot.
        std::deque<std::function<void()>> pending;
        pending.swap(input_);
        for (auto& input : pending) {
            if (quitRequested)
                return;
            deliver(input);
        }
    }
    // Then the timers due by now, as WM_TIMER comes once the queue is empty.
    while (!quitRequested) {
        const auto due = nextDue(nowMs_);
        if (!due)
            break;
        fire(*due);
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
