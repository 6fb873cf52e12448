#pragma once
// The notification area on the bar: the icons other programs put there with Shell_NotifyIcon, in
// a strip of rows between the task buttons and the panel, their tips as tooltips; clicks and keys
// go back to each icon's program in the form it asked for, and its balloons show beside the bar.
#include "bar/BalloonWindow.h"
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "tray/TrayCallback.h"
#include "tray/TrayIcons.h"

#include <functional>
#include <memory>
#include <vector>

namespace bar {

class NotificationArea {
public:
    // layoutChanged: the strip's height changed, the bar lays itself out again.
    NotificationArea(platform::Platform& platform, ui::Form& form, std::function<void()> layoutChanged);
    ~NotificationArea();
    NotificationArea(const NotificationArea&) = delete;
    NotificationArea& operator=(const NotificationArea&) = delete;

    // On: stands in as the system's notification area and asks running programs to add their
    // icons; off: drops them and gives the place back, and the programs add them there again.
    void SetEnabled(bool on);
    bool enabled() const { return platform_.notificationHost().hosting(); }
    // Places the icons in rows across width, the last row ending at bottom (twips); the top of
    // the strip, which is bottom itself when no icon shows.
    float Layout(float left, float width, float bottom);
    // On the refresh tick: the icons of windows that have gone go.
    void Refresh();

    const tray::TrayIcons& icons() const { return icons_; }
    // The control that shows the icon, 0 while it shows none (hidden, or no such icon).
    ui::ControlId controlOf(std::uint32_t window, std::uint32_t id) const;

private:
    struct Shown {
        std::uint32_t window = 0, id = 0;
        std::unique_ptr<ui::Control> control;
        platform::IconHandle image = 0; // the bar's own copy, freed here
        std::uint32_t revision = 0;
    };

    bool onRequest(std::uintptr_t dwData, const void* data, std::size_t size);
    // The controls brought in line with the icons shown; the layout asked again when their
    // number changed.
    void sync();
    void showImage(Shown& shown, tray::TrayIcon& icon);
    void freeImage(Shown& shown);
    void placeAll();
    std::string tipText(const std::u16string& tip) const;
    const tray::TrayIcon* iconAt(ui::ControlId id) const;
    void mouseUp(ui::ControlId id, ui::MouseButton button);
    void doubleClick(ui::ControlId id);
    void key(ui::ControlId id, int virtualKey);
    void post(const tray::TrayIcon& icon, const tray::Callbacks& callbacks);
    void showBalloon();

    platform::Platform& platform_;
    ui::Form& form_;
    std::function<void()> layoutChanged_;
    tray::TrayIcons icons_;
    std::vector<Shown> shown_;
    struct Image {
        std::uint32_t window = 0, id = 0;
        platform::IconHandle image = 0;
        std::uint32_t revision = 0;
    };
    std::vector<Image> images_; // of the hidden icons, and the shown ones while sync() runs
    float left_ = 0, width_ = 0, bottom_ = 0;
    std::size_t rows_ = 0;
    BalloonWindow balloon_;
};

} // namespace bar
