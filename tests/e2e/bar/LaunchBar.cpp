#include "tests/e2e/bar/LaunchBar.h"

#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {

std::unique_ptr<RunningBar> LaunchBar(
    const std::string& tolvixExe, const std::string& name, const std::vector<SideFile>& sideFiles, int timeoutMs)
{
    auto running = std::make_unique<RunningBar>();
    running->folder = std::make_unique<e2e::ScratchFolder>(name);
    if (!running->folder->ok()) {
        running->error = "cannot create a scratch folder: " + e2e::LastErrorText();
        return running;
    }
    if (!running->folder->CopyIn(tolvixExe, "tolvix.exe")) {
        running->error = "cannot copy " + tolvixExe + ": " + e2e::LastErrorText();
        return running;
    }
    for (const SideFile& side : sideFiles) {
        const std::string name = side.fileName.empty() ? "tolvix" + side.extension : side.fileName;
        if (!running->folder->WriteFile(name, side.bytes)) {
            running->error = "cannot write " + name;
            return running;
        }
    }
    const unsigned long long started = e2e::NowMs();
    running->process = e2e::ChildProcess(running->folder->PathOf("tolvix.exe"), running->folder->path());
    if (!running->process.handle()) {
        running->error = running->process.error();
        return running;
    }
    e2e::WaitFor(timeoutMs, [&] {
        running->bar = FindBar(running->process.id());
        return running->bar != nullptr || !running->process.running();
    });
    running->startMs = e2e::NowMs() - started;
    if (!running->bar) {
        running->error = running->process.running()
            ? "no visible window captioned 'Tolvane' after " + std::to_string(timeoutMs) + " ms"
            : "tolvix.exe ended with exit code " + std::to_string(running->process.exitCode()) +
                " before showing its bar";
    }
    return running;
}

} // namespace bar_probe
