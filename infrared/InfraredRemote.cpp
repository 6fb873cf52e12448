#include "infrared/InfraredRemote.h"

#include "infrared/InfraredIds.h"
#include "infrared/RemoteSwitch.h"
#include "platform/ProgramFolder.h"

namespace infrared {

InfraredRemote::InfraredRemote(platform::Platform& platform, ui::Form& bar, RemoteHooks hooks)
    : platform_(platform)
    , slot_(bar, infrared_ids::ReleaseInfrared, [&platform, &bar, hooks = std::move(hooks)](auto onReleasable) {
        return std::make_unique<IRSupp>(platform, bar,
            platform::FileBesideProgram(platform.system().executablePath(), "IR_SCUTS.INI"),
            ReadServerText(platform.registry()), hooks, std::move(onReleasable));
    })
{
}

void InfraredRemote::Apply(bool supportOn)
{
    supportOn_ = supportOn;
    if (supportOn) {
        slot_.Open().DoEnable(true);
        return;
    }
    IRSupp* window = slot_.window();
    if (!window)
        return;
    window->DoEnable(false);
    if (!window->shown())
        window->Close();
}

void InfraredRemote::ShowWindow()
{
    IRSupp& window = slot_.Open();
    window.DoEnable(supportOn_);
    window.ShowWindow();
}

} // namespace infrared
