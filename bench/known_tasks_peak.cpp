// Loads one crafted known-task file on the simulated platform and says how many entries it
// gave: run under /usr/bin/time -v to see the peak memory a load of that file costs. The line
// has a 1 MiB label and 65,536 category characters; a short line follows it.
#include "platform/sim/SimPlatform.h"
#include "progmenu/MODULKnownTasks.h"

#include <cstdio>
#include <string>

int main()
{
    const char* const file = "C:\\Bars\\tolvix.TSK";
    sim::SimPlatform sim;
    sim.sim_registry().putValue(
        platform::RegistryRoot::LocalMachine, "Software\\App", "Command", {platform::kRegSz, "C:\\app.exe"});
    std::string categories;
    for (int i = 0; i < 65536; ++i)
        categories += "0123456789abcdef"[i % 16];
    sim.sim_files().content[file] = std::string(1024 * 1024, 'L') + "=" + categories +
        ":HKLM\\Software\\App\\Command\r\nAfter=1:HKLM\\Software\\App\\Command\r\n";

    progmenu::KnownTasks tasks(sim.files(), sim.registry(), sim.system());
    tasks.LoadKnownTasks(file);
    std::printf("entries %zu\n", tasks.entries().size());
    return 0;
}
