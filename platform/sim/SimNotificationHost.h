#pragma once
// The notification area's window, simulated: tests send requests as programs would, and read
// what the bar posted back.
#include "platform/NotificationHost.h"
#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace sim {

class SimNotificationHost final : public platform::NotificationHost {
public:
    explicit SimNotificationHost(SimDesktop& desktop)
        : desktop_(desktop)
    {
    }
    struct Posted {
        std::uint32_t window, message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Posted> posted;
    int announcements = 0;
    std::vector<std::uint32_t> allowedForeground;
    bool refuseStart = false;

    // A program's Shell_NotifyIcon; false as well when nobody hosts.
    bool send(std::uintptr_t dwData, const void* data, std::size_t size)
    {
        return handler_ && handler_(dwData, data, size);
    }

    bool start(platform::TrayRequestHandler handler) override
    {
        if (refuseStart)
            return false;
        handler_ = std::move(handler);
        return true;
    }
    void stop() override { handler_ = {}; }
    bool hosting() const override { return static_cast<bool>(handler_); }
    void announce() override { ++announcements; }
    // Another window of the kind stood in front: keepInFront answers true once.
    bool overtaken = false;
    bool keepInFront() override { return std::exchange(overtaken, false) && hosting(); }
    bool post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (!windowExists(window))
            return false;
        posted.push_back({window, message, wParam, lParam});
        return true;
    }
    bool windowExists(std::uint32_t window) override { return desktop_.find(window) != nullptr; }
    void allowForeground(std::uint32_t window) override { allowedForeground.push_back(window); }
    platform::IconHandle makeIcon(std::uint32_t width, std::uint32_t height, std::uint32_t,
        const std::vector<std::uint8_t>&, const std::vector<std::uint8_t>&) override
    {
        return desktop_.icons.make(static_cast<int>(std::max(width, height)));
    }

private:
    SimDesktop& desktop_;
    platform::TrayRequestHandler handler_;
};

} // namespace sim
