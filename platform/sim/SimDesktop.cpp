#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <cstring>

namespace sim {

WindowHandle SimDesktop::open(const std::string& title, const WindowOptions& options)
{
    SimWindow w;
    w.handle = nextHandle_;
    nextHandle_ += 4;
    w.title = title;
    w.options = options;
    windows_.push_back(w);
    index_.push_back(indexStale_ ? -1 : static_cast<long>(windows_.size() - 1));
    report(platform::WindowEvent::Created, w.handle);
    if (options.visible)
        report(platform::WindowEvent::Shown, w.handle);
    return w.handle;
}

void SimDesktop::report(platform::WindowEvent event, WindowHandle window)
{
    if (watcher_ && reportedEvents.count(event) != 0)
        watcher_(event, window);
}

void SimDesktop::close(WindowHandle window)
{
    long i = indexOf(window);
    if (i < 0)
        return;
    windows_.erase(windows_.begin() + i);
    indexStale_ = true;
    if (foreground_ == window)
        foreground_ = 0;
    report(platform::WindowEvent::Destroyed, window);
}

long SimDesktop::indexOf(WindowHandle window) const
{
    if (indexStale_) {
        std::fill(index_.begin(), index_.end(), -1);
        for (std::size_t i = 0; i < windows_.size(); ++i)
            index_[(windows_[i].handle - kFirstHandle) / 4] = static_cast<long>(i);
        indexStale_ = false;
    }
    if (window < kFirstHandle || (window - kFirstHandle) % 4 != 0)
        return -1;
    const std::size_t serial = (window - kFirstHandle) / 4;
    return serial < index_.size() ? index_[serial] : -1;
}

SimWindow* SimDesktop::find(WindowHandle window)
{
    long i = indexOf(window);
    return i < 0 ? nullptr : &windows_[static_cast<std::size_t>(i)];
}

void SimDesktop::setTitle(WindowHandle window, const std::string& title)
{
    auto* w = find(window);
    if (!w)
        return;
    w->title = title;
    report(platform::WindowEvent::Renamed, window);
}

void SimDesktop::setIcon(WindowHandle window, platform::IconHandle icon)
{
    auto* w = find(window);
    if (!w)
        return;
    w->icon = icon;
    report(platform::WindowEvent::Redrawn, window);
}

platform::IconHandle SimDesktop::classIcon(WindowHandle window)
{
    auto* w = find(window);
    return w ? w->classIcon : 0;
}

platform::IconHandle SimDesktop::programIcon(WindowHandle window, int size)
{
    auto* w = find(window);
    return w && w->programIcon ? icons.copy(w->programIcon, size) : 0;
}

void SimDesktop::askWindowIcon(WindowHandle window)
{
    commands.push_back({"askIcon", window});
    iconAsks_.push_back(window);
}

int SimDesktop::answerIconAsks()
{
    std::vector<WindowHandle> asks;
    asks.swap(iconAsks_);
    int answered = 0;
    for (WindowHandle window : asks) {
        if (hung.count(window)) {
            iconAsks_.push_back(window);
            continue;
        }
        auto* w = find(window);
        if (!w || !iconWatcher_)
            continue;
        ++answered;
        iconWatcher_(window, w->icon);
    }
    return answered;
}

void SimDesktop::setVisible(WindowHandle window, bool visible)
{
    auto* w = find(window);
    if (!w || w->options.visible == visible)
        return;
    w->options.visible = visible;
    report(visible ? platform::WindowEvent::Shown : platform::WindowEvent::Hidden, window);
}

void SimDesktop::moveToTop(WindowHandle window)
{
    long i = indexOf(window);
    if (i < 0)
        return;
    SimWindow w = windows_[static_cast<std::size_t>(i)];
    windows_.erase(windows_.begin() + i);
    windows_.push_back(w);
    indexStale_ = true;
}

void SimDesktop::activate(WindowHandle window)
{
    foregroundRight_ = false;
    raise(window);
}

bool SimDesktop::bringForward(WindowHandle window)
{
    if (!find(window) || !mayTakeForeground())
        return false;
    raise(window);
    return true;
}

void SimDesktop::raise(WindowHandle window)
{
    if (!find(window))
        return;
    moveToTop(window);
    foreground_ = window;
    report(platform::WindowEvent::Foreground, window);
}

std::vector<WindowHandle> SimDesktop::zOrder() const
{
    std::vector<WindowHandle> order;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        order.push_back(it->handle);
    return order;
}

WindowHandle SimDesktop::getWindow(WindowHandle window, platform::WindowRelation relation)
{
    switch (relation) {
    case platform::WindowRelation::Child:
        if (window != kDesktop || windows_.empty())
            return 0;
        return windows_.back().handle;
    case platform::WindowRelation::Next: {
        long i = indexOf(window);
        return i <= 0 ? 0 : windows_[static_cast<std::size_t>(i - 1)].handle;
    }
    case platform::WindowRelation::Owner: {
        auto* w = find(window);
        return w ? w->options.owner : 0;
    }
    }
    return 0;
}

bool SimDesktop::isVisible(WindowHandle window)
{
    auto* w = find(window);
    return w && w->options.visible;
}

bool SimDesktop::isCloaked(WindowHandle window)
{
    auto* w = find(window);
    return w && w->options.cloaked;
}

WindowHandle SimDesktop::parent(WindowHandle window)
{
    auto* w = find(window);
    if (!w)
        return 0;
    if (w->options.parent)
        return w->options.parent;
    return w->options.popup ? w->options.owner : 0;
}

std::uint32_t SimDesktop::exStyle(WindowHandle window)
{
    auto* w = find(window);
    return w ? w->options.exStyle : 0;
}

int SimDesktop::windowText(WindowHandle window, char* buffer, int capacity)
{
    auto* w = find(window);
    if (!w || capacity <= 0) {
        if (capacity > 0)
            buffer[0] = '\0';
        return 0;
    }
    int n = static_cast<int>(std::min<std::size_t>(w->title.size(), static_cast<std::size_t>(capacity - 1)));
    std::memcpy(buffer, w->title.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

bool SimDesktop::setForeground(WindowHandle window)
{
    commands.push_back({"foreground", window, 0});
    return bringForward(window);
}

bool SimDesktop::takeForegroundRight()
{
    commands.push_back({"foregroundRight", 0, 0});
    foregroundRight_ = true;
    return true;
}

bool SimDesktop::isIconic(WindowHandle window)
{
    auto* w = find(window);
    return w && w->iconic;
}

bool SimDesktop::isZoomed(WindowHandle window)
{
    auto* w = find(window);
    return w && w->zoomed;
}

bool SimDesktop::showWindow(WindowHandle window, platform::ShowCommand command)
{
    commands.push_back({"show", window, static_cast<long long>(command)});
    return applyShow(window, command);
}

bool SimDesktop::showWindowAsync(WindowHandle window, platform::ShowCommand command)
{
    commands.push_back({"showAsync", window, static_cast<long long>(command)});
    return applyShow(window, command);
}

bool SimDesktop::applyShow(WindowHandle window, platform::ShowCommand command)
{
    auto* w = find(window);
    if (!w)
        return false;
    switch (command) {
    case platform::ShowCommand::Minimize:
        w->iconic = true;
        w->zoomed = false;
        if (foreground_ == window)
            foreground_ = 0;
        break;
    case platform::ShowCommand::Restore:
    case platform::ShowCommand::Normal:
    case platform::ShowCommand::Maximize:
        w->zoomed = command == platform::ShowCommand::Maximize;
        w->iconic = false;
        w->options.visible = true;
        break;
    case platform::ShowCommand::Hide:
        w->options.visible = false;
        break;
    case platform::ShowCommand::Show:
        w->options.visible = true;
        break;
    }
    return true;
}

bool SimDesktop::setWindowPos(WindowHandle window, WindowHandle insertAfter, int, int, int, int, unsigned flags)
{
    commands.push_back({"pos", window, static_cast<long long>(insertAfter), 0, flags});
    auto* w = find(window);
    if (!w)
        return false;
    if (insertAfter == platform::kInsertTopmost)
        w->topmost = true;
    else if (insertAfter == platform::kInsertNoTopmost)
        w->topmost = false;
    else if (const SimWindow* after = find(insertAfter))
        w->topmost = after->topmost; // placed below it, in its band
    // kPosAsyncWindowPos only changes who waits, not the outcome.
    if (flags & platform::kPosHideWindow)
        w->options.visible = false;
    return true;
}

bool SimDesktop::sendMessageTimeout(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t,
    unsigned timeoutMs, std::intptr_t* result)
{
    commands.push_back({"sendTimeout", window, static_cast<long long>(message), wParam, timeoutMs});
    if (!find(window) || hung.count(window))
        return false;
    if (message == platform::kMessageClose && !refuseClose.count(window))
        close(window);
    if (result)
        *result = 0;
    return true;
}

int SimDesktop::className(WindowHandle window, char* buffer, int capacity)
{
    if (capacity <= 0)
        return 0;
    auto* w = find(window);
    if (!w) {
        buffer[0] = '\0';
        return 0;
    }
    const std::string& name = w->options.className;
    int n = static_cast<int>(std::min<std::size_t>(name.size(), static_cast<std::size_t>(capacity - 1)));
    std::memcpy(buffer, name.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

std::uint32_t SimDesktop::windowProcessId(WindowHandle window)
{
    auto* w = find(window);
    return w ? w->options.processId : 0;
}

WindowHandle SimDesktop::findWindow(const char* className, const char* title)
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (className && it->options.className != className)
            continue;
        if (title && it->title != title)
            continue;
        return it->handle;
    }
    return 0;
}

void SimDesktop::monitors(std::vector<platform::Monitor>& out)
{
    if (!monitorList.empty()) {
        out = monitorList;
        return;
    }
    const platform::PixelRect screen = primaryScreen();
    out.assign(1, platform::Monitor {1, "\\\\.\\DISPLAY1", screen, screen, true});
}

platform::MonitorHandle SimDesktop::monitorOf(WindowHandle window)
{
    // Without allocating, as the real call: the refresh tick asks it.
    if (monitorList.empty())
        return 1;
    const SimWindow* w = find(window);
    platform::MonitorHandle best = monitorList.front().handle;
    long long bestArea = 0;
    for (const platform::Monitor& m : monitorList) {
        if (!w)
            break;
        const int width = std::min(w->rect.right, m.bounds.right) - std::max(w->rect.left, m.bounds.left);
        const int height = std::min(w->rect.bottom, m.bounds.bottom) - std::max(w->rect.top, m.bounds.top);
        const long long area = width > 0 && height > 0 ? static_cast<long long>(width) * height : 0;
        if (area > bestArea) {
            bestArea = area;
            best = m.handle;
        }
    }
    return best;
}

bool SimDesktop::windowRect(WindowHandle window, platform::PixelRect& rect)
{
    const SimWindow* w = find(window);
    if (!w)
        return false;
    rect = w->rect;
    return true;
}

void SimDesktop::moveWindow(WindowHandle window, const platform::PixelRect& rect)
{
    if (SimWindow* w = find(window))
        w->rect = rect;
}

} // namespace sim
