#pragma once
// A program's balloon beside the bar: a small box with its title and text, near the icon it
// belongs to, until its time is up or the user clicks it.
#include "platform/Widgets.h"

#include <functional>
#include <memory>
#include <string>

namespace bar {

class BalloonWindow {
public:
    // closed(clicked): the balloon went, clicked away or timed out (not when hidden by Hide).
    BalloonWindow(ui::Toolkit& toolkit, platform::WindowHandle owner, std::function<void(bool clicked)> closed);
    ~BalloonWindow();
    BalloonWindow(const BalloonWindow&) = delete;
    BalloonWindow& operator=(const BalloonWindow&) = delete;

    // Beside `icon` (screen twips), on the side of the screen with more room.
    void Show(const std::string& title, const std::string& text, const ui::Rect& icon, int timeoutMs);
    void Hide();

private:
    // Made at the first balloon and kept: a form must not go while its own handler runs.
    void make();
    void close(bool clicked);

    ui::Toolkit& toolkit_;
    platform::WindowHandle owner_;
    std::function<void(bool)> closed_;
    std::unique_ptr<ui::Form> form_;
    std::unique_ptr<ui::Control> title_;
    std::unique_ptr<ui::Control> text_;
    std::unique_ptr<ui::Timer> timeout_;
    bool shown_ = false;
};

} // namespace bar
