#pragma once
// The Winamp transport buttons: finds Winamp's main window by its class and sends it the
// command of the quarter of the button picture that was clicked.
#include "platform/Desktop.h"

namespace bar {

class Winamp {
public:
    static constexpr const char* kClassName = "Winamp v1.x";
    static constexpr unsigned kCommands[4] = {40044, 40045, 40147, 40048}; // previous, play, stop, next
    static constexpr unsigned kSendTimeoutMs = 1000;

    explicit Winamp(platform::Desktop& desktop)
        : desktop_(desktop)
    {
    }

    // Called on every refresh; remembers the window found. Allocates nothing.
    bool FindWinamp();
    // A mouse button released at x on a picture `width` wide (same unit). Sends the quarter's
    // command to the remembered window while it is still Winamp's; true when it was delivered.
    // A hung Winamp costs no wait.
    bool ButtonReleased(float x, float width);

    platform::WindowHandle window() const { return window_; }

private:
    bool stillWinamp(platform::WindowHandle window);

    platform::Desktop& desktop_;
    platform::WindowHandle window_ = 0;
};

} // namespace bar
