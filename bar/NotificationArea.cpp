#include "bar/NotificationArea.h"

#include "bar/BarIds.h"
#include "tray/NotifyBlock.h"
#include "tray/TrayCallback.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace bar {

namespace {

namespace ids = bar_ids;

// A cell: a 16-pixel icon and a 2-pixel margin each side at 96 DPI, the same in twips at any.
constexpr float kCell = 300;
constexpr std::uint32_t kBalloonShow = 0x0402;
constexpr std::uint32_t kBalloonTimeout = 0x0404;
constexpr std::uint32_t kBalloonUserClick = 0x0405;

ui::ControlSpec IconDesign(bool firstOfGroup)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Label;
    props.rect = {0, 0, kCell, kCell};
    props.artwork = ui::Artwork::TaskIcon; // until its program sends an image the bar can show
    props.pressable = true;
    props.continuesGroup = !firstOfGroup;
    props.visible = false;
    return props;
}

} // namespace

NotificationArea::NotificationArea(platform::Platform& platform, ui::Form& form, std::function<void()> layoutChanged)
    : platform_(platform)
    , form_(form)
    , layoutChanged_(std::move(layoutChanged))
    , balloon_(form.toolkit(), form.window(), [this](bool clicked) {
        if (const tray::Balloon* b = icons_.balloon()) {
            if (const tray::TrayIcon* icon = icons_.find(b->window, b->id)) {
                tray::TrayIcon copy = *icon;
                post(copy, tray::ForMouse(copy, clicked ? kBalloonUserClick : kBalloonTimeout, 0, 0));
            }
        }
        icons_.balloonDone();
        showBalloon();
    })
{
    shown_.reserve(tray::kMaxIcons);
    images_.reserve(tray::kMaxIcons);
    form_.onMouseUpRange(ids::TRAYICON_BASE, ids::TRAYICON_LAST,
        [this](ui::ControlId id, ui::MouseButton button) { mouseUp(id, button); });
    form_.onKeyRange(
        ids::TRAYICON_BASE, ids::TRAYICON_LAST, [this](ui::ControlId id, int virtualKey) { key(id, virtualKey); });
}

NotificationArea::~NotificationArea()
{
    SetEnabled(false);
}

void NotificationArea::SetEnabled(bool on)
{
    platform::NotificationHost& host = platform_.notificationHost();
    if (on == host.hosting())
        return;
    if (on) {
        if (host.start([this](std::uintptr_t dwData, const void* data, std::size_t size) {
                return onRequest(dwData, data, size);
            }))
            host.announce();
        return;
    }
    host.stop();
    icons_ = tray::TrayIcons();
    balloon_.Hide();
    sync();
    // Back to the system's own notification area, or to none.
    host.announce();
}

bool NotificationArea::onRequest(std::uintptr_t dwData, const void* data, std::size_t size)
{
    const std::optional<tray::NotifyRequest> request = tray::ReadNotifyBlock(dwData, data, size);
    if (!request)
        return false;
    const tray::Balloon* before = icons_.balloon();
    const tray::Balloon was = before ? *before : tray::Balloon {};
    const bool answer = icons_.apply(*request);
    if (answer) {
        sync();
        // A program hands the keyboard back to its icon, as after its menu closed from the keys.
        if (request->command == tray::Command::SetFocus)
            if (const ui::ControlId cell = controlOf(request->window, request->id))
                form_.toolkit().focusControl(form_.id(), cell);
        const tray::Balloon* now = icons_.balloon();
        const bool same = before && now && now->window == was.window && now->id == was.id && now->text == was.text &&
            now->title == was.title;
        if (!same)
            showBalloon();
    }
    return answer;
}

void NotificationArea::Refresh()
{
    platform::NotificationHost& host = platform_.notificationHost();
    // A system taskbar that came back stands in front: the programs have gone to it.
    if (host.keepInFront())
        host.announce();
    if (!host.hosting() || icons_.icons().empty())
        return;
    if (icons_.removeIf([&](std::uint32_t window) { return !host.windowExists(window); }) > 0) {
        sync();
        showBalloon();
    }
}

ui::ControlId NotificationArea::controlOf(std::uint32_t window, std::uint32_t id) const
{
    for (const Shown& s : shown_)
        if (s.window == window && s.id == id)
            return s.control->id();
    return 0;
}

void NotificationArea::sync()
{
    const std::size_t rowsBefore = rows_;
    // The images shown so far join those of hidden icons, by icon: an icon that moves to another
    // cell, or shows again, takes its image along (its bits were drawn once and are gone).
    for (Shown& s : shown_)
        images_.push_back({s.window, s.id, std::exchange(s.image, 0), s.revision});
    std::size_t n = 0;
    for (tray::TrayIcon& icon : icons_.icons()) {
        if (icon.hidden)
            continue;
        if (n == shown_.size()) {
            shown_.emplace_back();
            const ui::ControlId cid = ids::TRAYICON_BASE + static_cast<int>(n);
            shown_.back().control = std::make_unique<ui::Control>(form_, cid, IconDesign(n == 0));
            form_.onDoubleClick(cid, [this, cid] { doubleClick(cid); });
        }
        Shown& s = shown_[n++];
        s.window = icon.window;
        s.id = icon.id;
        s.revision = icon.imageRevision - 1;
        const auto kept = std::find_if(images_.begin(), images_.end(),
            [&](const Image& image) { return image.window == icon.window && image.id == icon.id; });
        if (kept != images_.end()) {
            s.image = kept->image;
            s.revision = kept->revision;
            images_.erase(kept);
        }
        if (s.revision != icon.imageRevision)
            showImage(s, icon);
        else
            s.control->setIcon(s.image, ui::Artwork::TaskIcon);
        const std::string tip = tipText(icon.tip);
        s.control->setCaption(tip); // read out by a screen reader; the cell has no room to draw it
        s.control->setToolTip(tip);
    }
    while (shown_.size() > n)
        shown_.pop_back();
    // Images of icons gone; a hidden icon keeps its own for when it shows again.
    images_.erase(std::remove_if(images_.begin(), images_.end(),
                      [&](const Image& image) {
                          if (icons_.find(image.window, image.id))
                              return false;
                          if (image.image != 0)
                              platform_.desktop().destroyIcon(image.image);
                          return true;
                      }),
        images_.end());
    placeAll();
    if (rows_ != rowsBefore && layoutChanged_)
        layoutChanged_();
}

void NotificationArea::showImage(Shown& shown, tray::TrayIcon& icon)
{
    freeImage(shown);
    const int pixels = static_cast<int>(std::lround(16 * 15 / form_.toolkit().screen().twipsPerPixelX));
    if (icon.iconBits) {
        const tray::IconBits& bits = *icon.iconBits;
        shown.image =
            platform_.notificationHost().makeIcon(bits.width, bits.height, bits.bitsPerPixel, bits.mask, bits.colour);
        // The bits are drawn now; keeping them would hold an icon's bitmaps twice.
        icon.iconBits.reset();
    } else if (icon.iconHandle != 0) {
        shown.image = platform_.desktop().copyIcon(icon.iconHandle, pixels);
    }
    shown.control->setIcon(shown.image, ui::Artwork::TaskIcon);
    shown.revision = icon.imageRevision;
}

void NotificationArea::freeImage(Shown& shown)
{
    if (shown.image == 0)
        return;
    shown.control->setIcon(0, ui::Artwork::TaskIcon);
    platform_.desktop().destroyIcon(shown.image);
    shown.image = 0;
}

float NotificationArea::Layout(float left, float width, float bottom)
{
    left_ = left;
    width_ = width;
    bottom_ = bottom;
    placeAll();
    return bottom_ - static_cast<float>(rows_) * kCell;
}

void NotificationArea::placeAll()
{
    const std::size_t perRow = std::max<std::size_t>(1, static_cast<std::size_t>(width_ / kCell));
    rows_ = (shown_.size() + perRow - 1) / perRow;
    const float top = bottom_ - static_cast<float>(rows_) * kCell;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        ui::Control& c = *shown_[i].control;
        c.setRect({left_ + static_cast<float>(i % perRow) * kCell, top + static_cast<float>(i / perRow) * kCell, kCell,
            kCell});
        c.setVisible(bottom_ > 0);
    }
}

std::string NotificationArea::tipText(const std::u16string& tip) const
{
    std::string text;
    platform_.files().codePage().ToAnsi(tip, text);
    return text;
}

const tray::TrayIcon* NotificationArea::iconAt(ui::ControlId id) const
{
    const auto i = static_cast<std::size_t>(id - ids::TRAYICON_BASE);
    return i < shown_.size() ? icons_.find(shown_[i].window, shown_[i].id) : nullptr;
}

void NotificationArea::post(const tray::TrayIcon& icon, const tray::Callbacks& callbacks)
{
    platform::NotificationHost& host = platform_.notificationHost();
    for (std::size_t i = 0; i < callbacks.count; ++i) {
        const tray::PostedMessage& m = callbacks.messages[i];
        host.post(icon.window, m.message, m.wParam, m.lParam);
    }
}

void NotificationArea::mouseUp(ui::ControlId id, ui::MouseButton button)
{
    const tray::TrayIcon* found = iconAt(id);
    if (!found)
        return;
    const tray::TrayIcon icon = *found; // what the program does next may change the icons
    const platform::PixelPoint at = platform_.desktop().cursorPos();
    std::uint32_t down = 0, up = 0;
    switch (button) {
    case ui::MouseButton::Left:
        down = tray::kLeftDown, up = tray::kLeftUp;
        break;
    case ui::MouseButton::Right:
        down = tray::kRightDown, up = tray::kRightUp;
        break;
    case ui::MouseButton::Middle:
        down = 0x0207, up = 0x0208;
        break;
    default:
        return;
    }
    // The program may bring up a menu or a window of its own: it may take the foreground.
    platform_.notificationHost().allowForeground(icon.window);
    post(icon, tray::ForMouse(icon, down, at.x, at.y));
    post(icon, tray::ForMouse(icon, up, at.x, at.y));
}

void NotificationArea::doubleClick(ui::ControlId id)
{
    const tray::TrayIcon* found = iconAt(id);
    if (!found)
        return;
    const tray::TrayIcon icon = *found;
    const platform::PixelPoint at = platform_.desktop().cursorPos();
    platform_.notificationHost().allowForeground(icon.window);
    post(icon, tray::ForMouse(icon, tray::kLeftDoubleClick, at.x, at.y));
}

void NotificationArea::key(ui::ControlId id, int virtualKey)
{
    const tray::TrayIcon* found = iconAt(id);
    if (!found || (virtualKey != ui::kKeyReturn && virtualKey != ui::kKeySpace && virtualKey != ui::kKeyApps))
        return;
    const tray::TrayIcon icon = *found;
    const platform::PixelPoint at = platform_.desktop().cursorPos();
    platform_.notificationHost().allowForeground(icon.window);
    post(icon, tray::ForKey(icon, virtualKey == ui::kKeyApps, at.x, at.y));
}

void NotificationArea::showBalloon()
{
    const tray::Balloon* b = icons_.balloon();
    if (!b) {
        balloon_.Hide();
        return;
    }
    const ui::Rect frame = form_.toolkit().formRect(form_.id());
    ui::Rect at = frame;
    for (const Shown& s : shown_)
        if (s.window == b->window && s.id == b->id)
            at = {frame.left, frame.top + s.control->rect().top, frame.width, kCell};
    balloon_.Show(tipText(b->title), tipText(b->text), at, static_cast<int>(b->timeoutMs));
    if (const tray::TrayIcon* icon = icons_.find(b->window, b->id))
        post(*icon, tray::ForMouse(*icon, kBalloonShow, 0, 0));
}

} // namespace bar
