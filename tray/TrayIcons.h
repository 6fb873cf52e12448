#pragma once
// The icons programs keep in the notification area, in the order they were added, and the
// balloons they asked for, one shown at a time. Each request is answered as the system answers
// it: adding an icon that exists, or changing or deleting one that does not, fails. The count
// is bounded, so a program cannot make the bar hold without limit.
#include "tray/NotifyRequest.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tray {

constexpr std::size_t kMaxIcons = 256;
constexpr std::size_t kMaxQueuedBalloons = 16;
// How long a balloon stays, whatever its program asked, as the system bounds it.
constexpr std::uint32_t kBalloonMinMs = 10000;
constexpr std::uint32_t kBalloonMaxMs = 30000;

struct TrayIcon {
    std::uint32_t window = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    std::uint32_t version = 0;
    bool hidden = false;
    std::u16string tip;
    // The image last sent: a handle, or bits not yet taken by whoever draws the icons.
    std::uint32_t iconHandle = 0;
    std::optional<IconBits> iconBits;
    // Rises whenever the image changes, so that the picture is made again only then.
    std::uint32_t imageRevision = 0;
};

struct Balloon {
    std::uint32_t window = 0;
    std::uint32_t id = 0;
    std::u16string title;
    std::u16string text;
    std::uint32_t infoFlags = 0;
    std::uint32_t timeoutMs = kBalloonMinMs;
};

class TrayIcons {
public:
    // Carries out one request; false where the system answers FALSE.
    bool apply(const NotifyRequest& request);

    const std::vector<TrayIcon>& icons() const { return icons_; }
    std::vector<TrayIcon>& icons() { return icons_; }
    const TrayIcon* find(std::uint32_t window, std::uint32_t id) const;

    // Removes the icons whose window `gone` says has gone; how many went.
    std::size_t removeIf(const std::function<bool(std::uint32_t window)>& gone);

    // The balloon to show now, the oldest asked for; null when none.
    const Balloon* balloon() const { return balloons_.empty() ? nullptr : &balloons_.front(); }
    // The balloon shown has timed out or was clicked away: the next one comes.
    void balloonDone();

private:
    std::vector<TrayIcon>::iterator locate(std::uint32_t window, std::uint32_t id);
    void take(TrayIcon& icon, const NotifyRequest& request);
    void dropBalloons(std::uint32_t window, std::uint32_t id);

    std::vector<TrayIcon> icons_;
    std::deque<Balloon> balloons_;
};

} // namespace tray
