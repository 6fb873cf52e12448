#include "bar/Docking.h"

#include "bar/BarGeometry.h"
#include "bar/BarIds.h"
#include "bar/RememberedMonitor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace bar {

namespace {
long long OverlapArea(const platform::PixelRect& a, const platform::PixelRect& b)
{
    const int width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? static_cast<long long>(width) * height : 0;
}

bool IsShellDesktop(platform::Desktop& desktop, platform::WindowHandle window)
{
    // The desktop behind the icons covers the screen too, but is no full-screen program.
    char name[16] = {};
    desktop.className(window, name, sizeof name);
    return std::strcmp(name, "Progman") == 0 || std::strcmp(name, "WorkerW") == 0;
}
} // namespace

Docking::Docking(ui::Form& form, platform::Desktop& desktop, platform::Registry& registry,
    ui::MenuItem& fullHeightEntry, std::function<bool()> keyboardInside)
    : toolkit_(form.toolkit())
    , form_(form)
    , desktop_(desktop)
    , registry_(registry)
    , fullHeightEntry_(fullHeightEntry)
    , keyboardInside_(std::move(keyboardInside))
    , MALLI(form, bar_ids::MALLI, kDockingIntervalMs, true, [this] { Step(); })
{
    fullHeightEntry_.action = [this] { SetFullHeight(!fullHeight()); };
    readMonitors();
    monitor_ = monitors_.front();
}

ui::Rect Docking::frame() const
{
    return toolkit_.formRect(form_.id());
}

void Docking::setFrame(const ui::Rect& rect)
{
    if (rect == frame())
        return;
    toolkit_.setFormRect(form_.id(), rect);
    updateClip();
}

void Docking::updateClip()
{
    std::optional<platform::PixelRect> clip;
    // From the frame asked for: the window's own rectangle, read back at once, can still be the
    // one before the move.
    const ui::ScreenMetrics scale = toolkit_.screen();
    const ui::Rect f = frame();
    const platform::PixelRect bar {static_cast<int>(std::floor(f.left / scale.twipsPerPixelX)),
        static_cast<int>(std::floor(f.top / scale.twipsPerPixelY)),
        static_cast<int>(std::floor((f.left + f.width) / scale.twipsPerPixelX)),
        static_cast<int>(std::floor((f.top + f.height) / scale.twipsPerPixelY))};
    if (docked() && monitors_.size() > 1) {
        const platform::PixelRect& m = monitor_.bounds;
        const platform::PixelRect visible {std::max(bar.left, m.left), std::max(bar.top, m.top),
            std::min(bar.right, m.right), std::min(bar.bottom, m.bottom)};
        if (visible != bar)
            clip = visible;
    }
    if (clip == clip_)
        return;
    clip_ = clip;
    toolkit_.clipForm(form_.id(), clip);
}

ui::Rect Docking::area() const
{
    return AreaOf(monitor_.workArea, toolkit_.screen());
}

void Docking::readMonitors()
{
    desktop_.monitors(monitors_);
    if (monitors_.empty()) {
        // The platform promises one; a bar without any would have nowhere to stand.
        const ui::ScreenMetrics screen = toolkit_.screen();
        const platform::PixelRect whole {0, 0, screen.widthPixels, screen.heightPixels};
        monitors_.push_back(platform::Monitor {0, "", whole, whole, true});
    }
}

const platform::Monitor& Docking::monitorOfBar() const
{
    const platform::MonitorHandle handle = desktop_.monitorOf(form_.window());
    for (const platform::Monitor& m : monitors_)
        if (m.handle == handle)
            return m;
    return monitors_.front();
}

void Docking::moveToStartPlace()
{
    const ui::ScreenMetrics scale = toolkit_.screen();
    ui::Rect r = frame();
    r.left = area().left + kFloatingStartPixels * scale.twipsPerPixelX;
    r.top = area().top + kFloatingStartPixels * scale.twipsPerPixelY;
    setFrame(r);
}

platform::MonitorHandle Docking::barMonitor() const
{
    return docked() ? monitor_.handle : desktop_.monitorOf(form_.window());
}

void Docking::SetAlign(float position)
{
    if (!IsValidAlignPosition(position))
        return;
    // Tucked away, most of a docked bar may stand on the neighbouring monitor.
    if (!docked()) {
        readMonitors();
        monitor_ = monitorOfBar();
    }
    if (position == kFreeFloating)
        moveToStartPlace();
    MALLI.setEnabled(position != kFreeFloating);
    position_ = position;
    updateClip();

    // Full height only makes sense at the left and right edges.
    const bool available = position == 3 || position == 5;
    fullHeightEntry_.enabled = available;
    if (!available && fullHeight_) {
        fullHeight_ = fullHeightEntry_.checked = false;
        ui::Rect r = frame();
        r.height = std::floor(area().height / 2);
        setFrame(r);
    }
}

void Docking::ApplyChoice(const AlignmentChoice& choice, bool atStart)
{
    if (atStart) {
        readMonitors();
        const auto remembered = ReadRememberedMonitor(registry_);
        monitor_ = remembered ? FindMonitor(monitors_, *remembered) : monitors_.front();
        // Docked from the remembered monitor, not from where the bar happens to start.
        position_ = kFreeFloating;
        moveToStartPlace();
    }
    SetAlign(choice.position);
    if (fullHeight() != choice.fullHeight)
        SetFullHeight(choice.fullHeight);
    if (choice.flushRight) {
        const ui::Rect a = area();
        ui::Rect r = frame();
        r.left = a.left + a.width - r.width;
        r.top = a.top + std::floor((a.height - r.height) / 2);
        setFrame(r);
    }
    if (!atStart)
        WriteRememberedMonitor(registry_, monitor_);
}

void Docking::SetFullHeight(bool selected)
{
    if (!fullHeightEntry_.enabled)
        return;
    fullHeight_ = fullHeightEntry_.checked = selected;
    const ui::Rect a = area();
    ui::Rect r = frame();
    r.height = selected ? a.height : std::floor(a.height / 2);
    r.top = a.top + (selected ? 0 : std::floor((a.height - r.height) / 2));
    setFrame(r);
}

void Docking::MoveBy(int dxPixels, int dyPixels)
{
    if (docked())
        return;
    const ui::ScreenMetrics scale = toolkit_.screen();
    ui::Rect r = frame();
    r.left += dxPixels * scale.twipsPerPixelX;
    r.top += dyPixels * scale.twipsPerPixelY;
    // Kept inside the desktop that all monitors make together, so that the keyboard can carry it
    // from one monitor to the next; where that box holds no monitor, on the one it was on.
    readMonitors();
    platform::PixelRect all = monitors_.front().bounds;
    for (const platform::Monitor& m : monitors_) {
        all.left = std::min(all.left, m.bounds.left);
        all.top = std::min(all.top, m.bounds.top);
        all.right = std::max(all.right, m.bounds.right);
        all.bottom = std::max(all.bottom, m.bounds.bottom);
    }
    const auto clampInto = [&](const platform::PixelRect& pixels) {
        const ui::Rect b = AreaOf(pixels, scale);
        r.left = std::clamp(r.left, b.left, std::max(b.left, b.left + b.width - r.width));
        r.top = std::clamp(r.top, b.top, std::max(b.top, b.top + b.height - r.height));
    };
    const platform::PixelRect before = monitorOfBar().bounds;
    clampInto(all);
    const platform::PixelRect moved {static_cast<int>(r.left / scale.twipsPerPixelX),
        static_cast<int>(r.top / scale.twipsPerPixelY), static_cast<int>((r.left + r.width) / scale.twipsPerPixelX),
        static_cast<int>((r.top + r.height) / scale.twipsPerPixelY)};
    if (std::none_of(monitors_.begin(), monitors_.end(),
            [&](const platform::Monitor& m) { return OverlapArea(m.bounds, moved) > 0; }))
        clampInto(before);
    setFrame(r);
}

void Docking::BringOut()
{
    if (docked())
        setFrame(BroughtOnScreen(frame(), area(), toolkit_.screen()));
}

void Docking::SetAsleep(bool asleep)
{
    // A docked bar keeps hiding and showing itself while asleep; a free one stops its docking
    // timer, which stops itself again after one tick when woken.
    if (asleep && !docked())
        MALLI.setEnabled(false);
    if (!asleep)
        MALLI.setEnabled(true);
}

void Docking::Step()
{
    if (!docked()) {
        MALLI.setEnabled(false);
        return;
    }
    if (toolkit_.formState(form_.id()) != ui::WindowState::Normal)
        return;
    const ui::ScreenMetrics scale = toolkit_.screen();
    const platform::PixelPoint mouse = desktop_.cursorPos();
    const ui::Rect r = frame();
    // Over the bar means over the part on its own monitor: at an edge shared with another monitor
    // the mouse passes on, and the hidden part beyond the edge does not count.
    const bool overBar = MouseOverBar(mouse, r, scale) && (monitors_.size() == 1 || monitor_.bounds.contains(mouse));
    // A bar the user types into stays out, the mouse elsewhere or not.
    if (overBar || keyboardInside_())
        setFrame(BroughtOnScreen(r, area(), scale));
    else
        setFrame(Tucked(static_cast<int>(position_), r, area(), scale));
}

void Docking::DisplaysChanged()
{
    const platform::Monitor was = monitor_;
    readMonitors();
    // Found again by name after a resolution change; the primary one when it is gone.
    monitor_ = FindMonitor(monitors_, {was.deviceName, was.bounds});
    updateClip();
    if (docked()) {
        if (fullHeight())
            SetFullHeight(true);
        Step();
        return;
    }
    // A free bar left on no monitor at all comes back to its start place on the primary one.
    platform::PixelRect bar;
    if (!desktop_.windowRect(form_.window(), bar))
        return;
    for (const platform::Monitor& m : monitors_)
        if (OverlapArea(m.bounds, bar) > 0)
            return;
    monitor_ = monitors_.front();
    moveToStartPlace();
}

bool Docking::coversBarMonitor(platform::WindowHandle window) const
{
    if (window == 0 || window == form_.window() || window == desktop_.desktopWindow())
        return false;
    // A maximised window covers the screen too where nothing reserves a work area; it keeps the bar.
    if (!desktop_.isVisible(window) || desktop_.isIconic(window) || desktop_.isZoomed(window) ||
        IsShellDesktop(desktop_, window))
        return false;
    platform::PixelRect rect;
    if (!desktop_.windowRect(window, rect))
        return false;
    const platform::PixelRect& m = docked() ? monitor_.bounds : monitorOfBar().bounds;
    return rect.left <= m.left && rect.top <= m.top && rect.right >= m.right && rect.bottom >= m.bottom;
}

void Docking::FollowForeground()
{
    const platform::WindowHandle front = desktop_.foreground();
    if (coversBarMonitor(front)) {
        if (behind_ != front) {
            behind_ = front;
            // Placed after a window that is not topmost, the bar leaves the topmost band.
            desktop_.setWindowPos(form_.window(), front, 0, 0, 0, 0,
                platform::kPosNoSize | platform::kPosNoMove | platform::kPosNoActivate);
        }
        return;
    }
    if (behind_ == 0 || front == form_.window())
        return;
    behind_ = 0;
    desktop_.setWindowPos(form_.window(), platform::kInsertTopmost, 0, 0, 0, 0,
        platform::kPosNoSize | platform::kPosNoMove | platform::kPosNoActivate);
}

} // namespace bar
