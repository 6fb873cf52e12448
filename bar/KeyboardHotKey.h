#pragma once
// The bar's system-wide hot key, registered or given up as the settings say.
#include "platform/Registry.h"
#include "platform/Widgets.h"

#include <functional>

namespace bar {

class KeyboardHotKey {
public:
    // Ctrl+Alt+Home: Windows itself uses none of it, and no keyboard layout types a character with it.
    static constexpr int kModifiers = ui::kHotKeyControl | ui::kHotKeyAlt;
    static constexpr int kKey = ui::kKeyHome;

    KeyboardHotKey(ui::Form& form, platform::Registry& registry, std::function<void()> pressed);
    KeyboardHotKey(const KeyboardHotKey&) = delete;
    KeyboardHotKey& operator=(const KeyboardHotKey&) = delete;

    // Registers the key, or gives it up, as the stored setting says.
    void Apply();
    bool registered() const { return on_; }

private:
    ui::Form& form_;
    platform::Registry& registry_;
    bool on_ = false;
};

} // namespace bar
