#include "tray/TrayIcons.h"

#include <algorithm>

namespace tray {

std::vector<TrayIcon>::iterator TrayIcons::locate(std::uint32_t window, std::uint32_t id)
{
    return std::find_if(
        icons_.begin(), icons_.end(), [&](const TrayIcon& icon) { return icon.window == window && icon.id == id; });
}

const TrayIcon* TrayIcons::find(std::uint32_t window, std::uint32_t id) const
{
    const auto found = std::find_if(
        icons_.begin(), icons_.end(), [&](const TrayIcon& icon) { return icon.window == window && icon.id == id; });
    return found == icons_.end() ? nullptr : &*found;
}

bool TrayIcons::apply(const NotifyRequest& request)
{
    const auto found = locate(request.window, request.id);
    switch (request.command) {
    case Command::Add:
        if (found != icons_.end() || icons_.size() >= kMaxIcons || request.window == 0)
            return false;
        icons_.emplace_back();
        icons_.back().window = request.window;
        icons_.back().id = request.id;
        take(icons_.back(), request);
        return true;
    case Command::Modify:
        if (found == icons_.end())
            return false;
        take(*found, request);
        return true;
    case Command::Delete:
        if (found == icons_.end())
            return false;
        dropBalloons(request.window, request.id);
        icons_.erase(found);
        return true;
    case Command::SetVersion:
        if (found == icons_.end() || request.timeoutOrVersion > 4)
            return false;
        found->version = request.timeoutOrVersion;
        return true;
    case Command::SetFocus:
        return found != icons_.end();
    }
    return false;
}

void TrayIcons::take(TrayIcon& icon, const NotifyRequest& request)
{
    if (request.flags & kFlagMessage)
        icon.callbackMessage = request.callbackMessage;
    if (request.flags & kFlagTip)
        icon.tip = request.tip;
    if ((request.flags & kFlagState) && (request.stateMask & kStateHidden))
        icon.hidden = (request.state & kStateHidden) != 0;
    if (request.flags & kFlagIcon) {
        icon.iconHandle = request.iconHandle;
        icon.iconBits = request.iconBits;
        ++icon.imageRevision;
    }
    if (!(request.flags & kFlagInfo))
        return;
    // An empty text takes the icon's balloon away.
    dropBalloons(icon.window, icon.id);
    if (request.info.empty())
        return;
    if (balloons_.size() >= kMaxQueuedBalloons)
        balloons_.pop_back();
    balloons_.push_back({icon.window, icon.id, request.infoTitle, request.info, request.infoFlags,
        std::clamp(request.timeoutOrVersion, kBalloonMinMs, kBalloonMaxMs)});
}

void TrayIcons::dropBalloons(std::uint32_t window, std::uint32_t id)
{
    balloons_.erase(std::remove_if(balloons_.begin(), balloons_.end(),
                        [&](const Balloon& b) { return b.window == window && b.id == id; }),
        balloons_.end());
}

std::size_t TrayIcons::removeIf(const std::function<bool(std::uint32_t window)>& gone)
{
    const std::size_t before = icons_.size();
    icons_.erase(std::remove_if(icons_.begin(), icons_.end(),
                     [&](const TrayIcon& icon) {
                         if (!gone(icon.window))
                             return false;
                         dropBalloons(icon.window, icon.id);
                         return true;
                     }),
        icons_.end());
    return before - icons_.size();
}

void TrayIcons::balloonDone()
{
    if (!balloons_.empty())
        balloons_.pop_front();
}

} // namespace tray
