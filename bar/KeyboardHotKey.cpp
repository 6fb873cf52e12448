#include "bar/KeyboardHotKey.h"

#include "settings/HotKeySetting.h"

namespace bar {

KeyboardHotKey::KeyboardHotKey(ui::Form& form, platform::Registry& registry, std::function<void()> pressed)
    : form_(form)
    , registry_(registry)
{
    form_.onHotKey = std::move(pressed);
}

void KeyboardHotKey::Apply()
{
    const bool wanted = settings::ReadHotKeySetting(registry_);
    if (wanted == on_)
        return;
    ui::Toolkit& toolkit = form_.toolkit();
    if (wanted)
        on_ = toolkit.registerHotKey(form_.id(), kModifiers, kKey);
    else {
        toolkit.unregisterHotKey(form_.id());
        on_ = false;
    }
}

} // namespace bar
