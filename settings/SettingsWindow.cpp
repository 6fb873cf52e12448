#include "settings/SettingsWindow.h"

#include "settings/SettingsIds.h"

namespace settings {

SettingsWindow::SettingsWindow(platform::Platform& platform, ui::Form& owner, SetupMem& store, SETUP::Hooks hooks)
    : slot_(owner, settings_ids::ReleaseSettings,
          [&platform, &store, ownerWindow = owner.window(), hooks = std::move(hooks)](auto onReleasable) {
              return std::make_unique<SETUP>(platform, store, ownerWindow, hooks, std::move(onReleasable));
          })
{
}

void SettingsWindow::PopupSettings(int page)
{
    slot_.Open().PopupSettings(PageAt(page));
}

} // namespace settings
