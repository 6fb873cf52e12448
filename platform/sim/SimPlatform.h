#pragma once
// The whole simulated platform in one object, for unit tests and benchmarks.
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimLauncher.h"
#include "platform/sim/SimMemory.h"
#include "platform/sim/SimNetwork.h"
#include "platform/sim/SimNotificationHost.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimRemoteAccess.h"
#include "platform/sim/SimToolkit.h"

#include <map>
#include <set>
#include <string>

namespace sim {

// The simulated ANSI code page: ISO 8859-1, each byte the character of its own number, so that
// every character above U+00FF lies outside it.
class SimCodePage final : public platform::CodePage {
public:
    std::u16string ToUtf16(std::string_view ansi) const override;
    bool ToAnsi(std::u16string_view text, std::string& ansi) const override;
};

class SimFiles final : public platform::Files {
public:
    std::map<std::string, std::string> content;
    std::set<std::string> unreadable; // exist but fail to open or read
    // Folders (with their trailing backslash) where no file can be written.
    std::set<std::string> lockedFolders;
    // Files whose writes fail as a full disk would, though the folder takes writes.
    std::set<std::string> failingWrites;
    long long writes = 0; // successful writes

    // Names are C strings to the platform: what follows a NUL is no part of them.
    bool exists(const std::string& path) override;
    platform::ReadResult read(const std::string& path, std::size_t maxBytes) override;
    platform::WriteStatus write(const std::string& path, const std::string& bytes) override;
    const platform::CodePage& codePage() override { return codePage_; }

private:
    SimCodePage codePage_;
};

class SimSystem final : public platform::System {
public:
    explicit SimSystem(const SimToolkit& toolkit)
        : toolkit_(toolkit)
    {
    }
    std::string exePath = "C:\\Bars\\tolvix.exe";
    platform::LocalTime start {2026, 12, 7, 9, 0, 0};
    // Names compare without regard to case, as Windows compares them.
    std::map<std::string, std::string> environment;

    std::string executablePath() override { return exePath; }
    // The start time plus the virtual clock.
    platform::LocalTime now() override;
    std::string expandEnvironment(const std::string& text) override;

private:
    const SimToolkit& toolkit_;
};

class SimPlatform final : public platform::Platform {
public:
    SimPlatform()
        : toolkit_(desktop_)
        , system_(toolkit_)
    {
    }

    SimDesktop& sim_desktop() { return desktop_; }
    SimToolkit& sim_toolkit() { return toolkit_; }
    SimFiles& sim_files() { return files_; }
    SimSystem& sim_system() { return system_; }
    SimRegistry& sim_registry() { return registry_; }
    SimProcesses& sim_processes() { return processes_; }
    SimMemory& sim_memory() { return memory_; }
    SimLauncher& sim_launcher() { return launcher_; }
    SimPower& sim_power() { return power_; }
    SimRemoteAccess& sim_remote_access() { return remoteAccess_; }
    SimNetwork& sim_network() { return network_; }
    SimNotificationHost& sim_notificationHost() { return notificationHost_; }

    platform::Desktop& desktop() override { return desktop_; }
    ui::Toolkit& toolkit() override { return toolkit_; }
    platform::Files& files() override { return files_; }
    platform::System& system() override { return system_; }
    platform::Registry& registry() override { return registry_; }
    platform::Processes& processes() override { return processes_; }
    platform::Memory& memory() override { return memory_; }
    platform::Launcher& launcher() override { return launcher_; }
    platform::Power& power() override { return power_; }
    platform::RemoteAccess& remoteAccess() override { return remoteAccess_; }
    platform::Network& network() override { return network_; }
    platform::NotificationHost& notificationHost() override { return notificationHost_; }

private:
    SimDesktop desktop_;
    SimToolkit toolkit_;
    SimFiles files_;
    SimSystem system_;
    SimRegistry registry_;
    SimProcesses processes_;
    SimMemory memory_;
    SimLauncher launcher_;
    SimPower power_;
    SimRemoteAccess remoteAccess_;
    SimNetwork network_;
    SimNotificationHost notificationHost_ {desktop_};
};

} // namespace sim
