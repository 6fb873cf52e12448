#include "settings/SettingsWindow.h"

#include "settings/SettingsIds.h"

namespace settings {

SettingsWindow::SettingsWindow(
    platform::Platform& platform, ui::Form& owner, SetupMem& store, std::function<void(float)> onSaved)
    : slot_(owner, settings_ids::ReleaseSettings,
          [&platform, &store, ownerWindow = owner.window(), onSaved = std::move(onSaved)](auto onReleasable) {
              return std::make_unique<SETUP>(platform, store, ownerWindow, onSaved, std::move(onReleasable));
          })
{
}

void SettingsWindow::PopupSettings(int page)
{
    slot_.Open().PopupSettings(page);
}

} // namespace settings
