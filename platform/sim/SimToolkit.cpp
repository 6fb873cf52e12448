#include "platform/sim/SimToolkit.h"

#include <stdexcept>

#include "platform/FocusRules.h"
#include "platform/InputRules.h"
#include <algorithm>
#include <cmath>
#include <exception>

namespace sim {

SimForm* SimToolkit::form(ui::FormId id)
{
    auto it = forms_.find(id);
    return it == forms_.end() ? nullptr : &it->second;
}

std::vector<ui::FormId> SimToolkit::liveForms() const
{
    std::vector<ui::FormId> ids;
    for (const auto& entry : forms_)
        ids.push_back(entry.first);
    return ids;
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

ui::ControlSpec* SimToolkit::shown(ui::FormId form, ui::ControlId id)
{
    auto* f = this->form(form);
    if (!f)
        return nullptr;
    auto it = f->controls.find(id);
    return it == f->controls.end() ? nullptr : &it->second;
}

void SimToolkit::report(ui::FormId id, ui::UserInput& input)
{
    if (auto* f = form(id))
        f->events->onInput(input);
}

void SimToolkit::doubleClick(ui::FormId id, ui::ControlId control)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::DoubleClick;
    input.control = control;
    report(id, input);
}

void SimToolkit::mouseUp(ui::FormId id, ui::ControlId control, ui::MouseButton button, float x, float y, int shift)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::MouseUp;
    input.control = control;
    input.button = button;
    input.shift = shift;
    input.x = x;
    input.y = y;
    report(id, input);
}

void SimToolkit::wheel(ui::FormId id, ui::ControlId control, float x, float y, int turn)
{
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Wheel;
    input.control = control;
    input.x = x;
    input.y = y;
    input.value = turn;
    report(id, input);
}

void SimToolkit::pressAndRelease(ui::FormId id, ui::ControlId control, float x, float y)
{
    const ui::ControlSpec* pressed = shown(id, control);
    if (!pressed || !pressed->enabled)
        return;
    focus = {id, control};
    const bool inside = x >= 0 && y >= 0 && x < pressed->rect.width && y < pressed->rect.height;
    if (inside || !ui::PressesLikeButton(*pressed)) {
        mouseUp(id, control, ui::MouseButton::Left, x, y);
        return;
    }
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Drop;
    input.control = control;
    input.x = x;
    input.y = y;
    report(id, input);
}

void SimToolkit::typeText(ui::FormId form, ui::ControlId id, const std::string& keys)
{
    for (const char key : keys) {
        const ui::ControlSpec* box = shown(form, id);
        if (!box || box->kind != ui::ControlKind::TextBox || !box->enabled)
            return;
        ui::UserInput press;
        press.kind = ui::UserInput::Kind::KeyPress;
        press.control = id;
        press.characterCode = static_cast<unsigned char>(key);
        report(form, press);
        // The handler may have taken the box away, or changed or discarded the key.
        ui::ControlSpec* after = shown(form, id);
        if (!after || press.characterCode == 0 || press.characterCode == '\r')
            continue;
        // A selected text goes with the first key that reaches the box.
        const bool replaced = wholeTextSelected.erase({form, id}) > 0;
        std::string text = replaced ? std::string() : after->caption;
        if (press.characterCode == '\b') {
            if (!replaced && text.empty())
                continue;
            if (!replaced)
                text.pop_back();
        } else if (after->maxLength > 0 && static_cast<int>(text.size()) >= after->maxLength) {
            continue;
        } else {
            text.push_back(static_cast<char>(press.characterCode));
        }
        after->caption = text;
        ui::UserInput typed;
        typed.kind = ui::UserInput::Kind::Text;
        typed.control = id;
        typed.text = std::move(text);
        report(form, typed);
    }
}

void SimToolkit::pasteText(ui::FormId form, ui::ControlId id, const std::string& text)
{
    ui::ControlSpec* box = shown(form, id);
    if (!box || box->kind != ui::ControlKind::TextBox || !box->enabled)
        return;
    box->caption = box->maxLength > 0 ? text.substr(0, static_cast<std::size_t>(box->maxLength)) : text;
    wholeTextSelected.erase({form, id});
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Text;
    input.control = id;
    input.text = box->caption;
    report(form, input);
}

void SimToolkit::toggleCheck(ui::FormId form, ui::ControlId id)
{
    ui::ControlSpec* box = shown(form, id);
    if (!box || box->kind != ui::ControlKind::CheckBox || !box->enabled)
        return;
    box->value = box->value ? 0 : 1;
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Check;
    input.control = id;
    input.value = box->value;
    report(form, input);
}

void SimToolkit::scroll(ui::FormId form, ui::ControlId id, ui::ScrollRequest request, int thumb)
{
    // Like the real one, the bar only asks; its thumb moves when the program says where to.
    const ui::ControlSpec* bar = shown(form, id);
    if (!bar || bar->kind != ui::ControlKind::ScrollBar || !bar->enabled)
        return;
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Scroll;
    input.control = id;
    input.scroll = request;
    input.value = thumb;
    report(form, input);
}

void SimToolkit::selectItems(ui::FormId form, ui::ControlId id, const std::vector<int>& indices)
{
    ui::ControlSpec* list = shown(form, id);
    if (!list || list->kind != ui::ControlKind::ListBox || !list->enabled)
        return;
    list->selected = ui::NormalisedSelection(*list, indices);
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Selection;
    input.control = id;
    input.selection = list->selected;
    report(form, input);
}

bool SimToolkit::pressKey(ui::FormId form, int virtualKey, int shift)
{
    auto* f = this->form(form);
    if (!f || f->events->onAccelerator(virtualKey))
        return f != nullptr;
    f = this->form(form);
    if (!f)
        return true;
    const ui::ControlId focused = focus.first == form ? focus.second : 0;
    const ui::ControlSpec* current = focused ? shown(form, focused) : nullptr;
    const bool backwards = (shift & 1) != 0 || virtualKey == ui::kKeyLeft || virtualKey == ui::kKeyUp;
    switch (virtualKey) {
    case ui::kKeyTab:
        focus = {form, ui::NextTabStop(specsOf(*f), focused, backwards)};
        return true;
    case ui::kKeyLeft:
    case ui::kKeyUp:
    case ui::kKeyRight:
    case ui::kKeyDown:
        if (!current)
            return false;
        if (current->arrowKeys && ui::PressesLikeButton(*current)) {
            ui::UserInput input;
            input.kind = ui::UserInput::Kind::Key;
            input.control = focused;
            input.virtualKey = virtualKey;
            report(form, input);
            return true;
        }
        // Text boxes, lists and scroll bars use the arrows themselves.
        if (current->kind == ui::ControlKind::TextBox || current->kind == ui::ControlKind::ListBox ||
            current->kind == ui::ControlKind::ScrollBar)
            return false;
        focus = {form, ui::NextInGroup(specsOf(*f), focused, backwards)};
        return true;
    case ui::kKeyEscape:
        switch (ui::EscapeActionOf(f->props)) {
        case ui::EscapeAction::PressCancel:
            press(form, f->props.cancelButton, ui::kKeyReturn);
            return true;
        case ui::EscapeAction::Close:
            userClose(form);
            return true;
        case ui::EscapeAction::None:
            return false;
        }
        return false;
    case ui::kKeyReturn:
        if (current && ui::PressesLikeButton(*current))
            return press(form, focused, ui::kKeyReturn);
        if (current && current->kind == ui::ControlKind::TextBox && ui::TextBoxTakesEnter(f->props)) {
            typeText(form, focused, "\r");
            return true;
        }
        return f->props.defaultButton != 0 && press(form, f->props.defaultButton, ui::kKeyReturn);
    case ui::kKeySpace:
        if (current && current->kind == ui::ControlKind::CheckBox) {
            toggleCheck(form, focused);
            return true;
        }
        return current && ui::PressesLikeButton(*current) && press(form, focused, ui::kKeySpace);
    case ui::kKeyApps:
    case ui::kKeyF10: {
        if (!current || (virtualKey == ui::kKeyF10 && (shift & 1) == 0))
            return false;
        ui::UserInput input;
        input.kind = ui::UserInput::Kind::Key;
        input.control = focused;
        input.virtualKey = ui::kKeyApps;
        report(form, input);
        return true;
    }
    default:
        return false;
    }
}

ui::ControlSpecs SimToolkit::specsOf(const SimForm& f)
{
    ui::ControlSpecs shown;
    for (const auto& entry : f.controls)
        shown.emplace(entry.first, &entry.second);
    return shown;
}

bool SimToolkit::press(ui::FormId form, ui::ControlId id, int virtualKey)
{
    const ui::ControlSpec* control = shown(form, id);
    if (!control || !control->visible || !control->enabled)
        return false;
    if (control->kind == ui::ControlKind::Button) {
        mouseUp(form, id, ui::MouseButton::Left);
        return true;
    }
    ui::UserInput input;
    input.kind = ui::UserInput::Kind::Key;
    input.control = id;
    input.virtualKey = virtualKey;
    report(form, input);
    return true;
}

bool SimToolkit::pressHotKey(int modifiers, int virtualKey)
{
    for (const auto& entry : hotKeys) {
        if (entry.second != std::make_pair(modifiers, virtualKey))
            continue;
        if (auto* f = form(entry.first)) {
            f->events->onHotKey();
            return true;
        }
    }
    return false;
}

bool SimToolkit::registerHotKey(ui::FormId form, int modifiers, int virtualKey)
{
    hotKeys.erase(form);
    const std::pair<int, int> key {modifiers, virtualKey};
    if (!this->form(form) || hotKeysTaken.count(key))
        return false;
    for (const auto& entry : hotKeys)
        if (entry.second == key)
            return false;
    hotKeys[form] = key;
    return true;
}

void SimToolkit::focusOnActivation(ui::FormId form)
{
    SimForm* f = this->form(form);
    if (!f)
        return;
    if (focus.first == form && focus.second != 0)
        return;
    focus = {form, f->props.dialogKeys ? ui::NextTabStop(specsOf(*f), 0, false) : 0};
}

ui::FormId SimToolkit::createForm(const ui::FormSpec& props, ui::FormEvents& events)
{
    SimForm f;
    f.props = props;
    f.events = &events;
    f.rect = props.rect;
    if (props.client.width > 0 && props.client.height > 0) {
        const Frame frame = frameOf(props);
        f.rect.width = props.client.width + 2 * frame.border * metrics.twipsPerPixelX;
        f.rect.height = props.client.height + (2 * frame.border + frame.caption) * metrics.twipsPerPixelY;
    }
    WindowOptions options;
    options.owner = props.owner;
    options.exStyle = props.toolWindow ? platform::kExStyleToolWindow : 0;
    options.visible = false;
    options.className = "TolvaneForm";
    f.window = desktop_.open(props.caption, options);
    syncWindowRect(f);
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
    hotKeys.erase(form);
    if (focus.first == form)
        focus = {0, 0};
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

void SimToolkit::syncWindowRect(const SimForm& f)
{
    const auto pixels = [](float twips, float perPixel) { return static_cast<int>(std::floor(twips / perPixel)); };
    desktop_.moveWindow(f.window,
        {pixels(f.rect.left, metrics.twipsPerPixelX), pixels(f.rect.top, metrics.twipsPerPixelY),
            pixels(f.rect.left + f.rect.width, metrics.twipsPerPixelX),
            pixels(f.rect.top + f.rect.height, metrics.twipsPerPixelY)});
}

void SimToolkit::changeDisplays()
{
    std::vector<ui::FormEvents*> listeners;
    for (auto& entry : forms_)
        listeners.push_back(entry.second.events);
    for (ui::FormEvents* events : listeners)
        events->onDisplayChange();
}

void SimToolkit::clipForm(ui::FormId form, const std::optional<platform::PixelRect>& visible)
{
    if (auto* f = this->form(form))
        f->clip = visible;
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
    syncWindowRect(*f);
    // Like the real platform, a move alone raises no resize event.
    if (resized)
        f->events->onResize();
}

ui::Size SimToolkit::clientSize(ui::FormId form)
{
    auto* f = this->form(form);
    return f ? clientOf(*f) : ui::Size {};
}

SimToolkit::Frame SimToolkit::frameOf(const ui::FormSpec& props) const
{
    // A form without a title bar has a thin border of one pixel.
    return props.titleBar ? Frame {borderPixels, captionPixels} : Frame {1, 0};
}

ui::Size SimToolkit::clientOf(const SimForm& f) const
{
    const Frame frame = frameOf(f.props);
    return {f.rect.width - 2 * frame.border * metrics.twipsPerPixelX,
        f.rect.height - (2 * frame.border + frame.caption) * metrics.twipsPerPixelY};
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
        // As on the real platform: a second control with the id could not be told apart.
        if (!f->controls.emplace(id, props).second)
            throw std::logic_error("control id already in use on this form");
    }
}

void SimToolkit::destroyControl(ui::FormId form, ui::ControlId id)
{
    if (auto* f = this->form(form))
        f->controls.erase(id);
}

namespace {

// Writes each changed property into the record of what the simulated control shows.
struct RecordWriter {
    ui::ControlSpec& shown;
    void applyCaption(const ui::ControlSpec& props) { shown.caption = props.caption; }
    void applyToolTip(const ui::ControlSpec& props) { shown.toolTip = props.toolTip; }
    void applyVisible(const ui::ControlSpec& props) { shown.visible = props.visible; }
    void applyEnabled(const ui::ControlSpec& props) { shown.enabled = props.enabled; }
    void applyRect(const ui::ControlSpec& props) { shown.rect = props.rect; }
    void applyColours(const ui::ControlSpec& props)
    {
        shown.back = props.back;
        shown.fore = props.fore;
    }
    void applyItems(const ui::ControlSpec& props)
    {
        shown.items = props.items;
        shown.selected.clear();
    }
    void applySelection(const ui::ControlSpec& props) { shown.selected = props.selected; }
    void applyValue(const ui::ControlSpec& props)
    {
        shown.value = props.value;
        shown.min = props.min;
        shown.max = props.max;
    }
    void applyIcon(const ui::ControlSpec& props)
    {
        shown.icon = props.icon;
        shown.artwork = props.artwork;
    }
};

} // namespace

void SimToolkit::updateControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed)
{
    if (auto* c = writable(form, id)) {
        if (ui::Has(changed, ui::Property::Caption))
            wholeTextSelected.erase({form, id});
        RecordWriter writer {*c};
        ui::ApplyProperties(writer, props, changed);
    }
}

void SimToolkit::bringToFront(ui::FormId form)
{
    if (auto* f = this->form(form)) {
        showForm(form, true);
        desktop_.bringForward(f->window);
        focusOnActivation(form);
    }
}

int SimToolkit::listItemAt(ui::FormId form, ui::ControlId id, float x, float y)
{
    const ui::ControlSpec* list = shown(form, id);
    if (!list || list->kind != ui::ControlKind::ListBox || x < 0 || y < 0 || x >= list->rect.width ||
        y >= list->rect.height)
        return -1;
    const int row = static_cast<int>(y / kListRowTwips);
    return row < static_cast<int>(list->items.size()) ? row : -1;
}

void SimToolkit::setFormCaption(ui::FormId form, const std::string& caption)
{
    if (auto* f = this->form(form))
        f->props.caption = caption;
}

void SimToolkit::focusControl(ui::FormId form, ui::ControlId id)
{
    if (shown(form, id))
        focus = {form, id};
}

bool SimToolkit::controlHasFocus(ui::FormId form)
{
    const SimForm* f = this->form(form);
    return f && f->visible && focus.first == form && focus.second != 0 && desktop_.foreground() == f->window;
}

void SimToolkit::selectAllText(ui::FormId form, ui::ControlId id)
{
    if (const ui::ControlSpec* box = shown(form, id); box && box->kind == ui::ControlKind::TextBox)
        wholeTextSelected.insert({form, id});
}

std::optional<ui::Size> SimToolkit::loadPicture(
    ui::FormId form, ui::ControlId id, const std::string& name, ui::PictureSource source)
{
    const auto& known = source == ui::PictureSource::File ? pictures : resourcePictures;
    auto it = known.find(name);
    auto* f = this->form(form);
    if (it == known.end() || !f)
        return std::nullopt;
    auto* c = writable(form, id);
    if (!c || c->kind != ui::ControlKind::Picture)
        return std::nullopt;
    c->artwork = ui::Artwork::None;
    f->shownPictures[id] = name;
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
    shownMenus.push_back({menu, defaultItem, desktop_.mayTakeForeground()});
    if (menuChoices.empty())
        return 0;
    ui::MenuId choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
}

std::optional<std::string> SimToolkit::openFileDialog(ui::FormId, const ui::OpenFileRequest& request)
{
    fileDialogRequests.push_back(request);
    if (fileDialogAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    return answer;
}

std::optional<std::string> SimToolkit::inputBox(
    ui::FormId owner, const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    inputBoxRequests.push_back({owner, prompt, title, defaultText});
    if (inputBoxAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = inputBoxAnswers.front();
    inputBoxAnswers.pop_front();
    return answer;
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
