// Free-up throughput on the real platform: the bar's free-up of N megabytes (2-MiB blocks
// committed, written and released) against a plain memset of the same size, in one run.
// Usage: freeup_throughput.exe [megabytes]   (default 256)
#include "memory/MODULFreeMem.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {
double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}
} // namespace

int main(int argc, char** argv)
{
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 256;
    platform::win32::Win32Platform platform;
    for (int round = 0; round < 3; ++round) {
        memory::FreeMem freeMem(platform.memory(), [] {});
        freeMem.setFreeUpAmount(megabytes);
        std::string tip, text;
        int level = 0;
        const auto freeUpStart = std::chrono::steady_clock::now();
        freeMem.MemoryStatus(memory::FreeMem::kModeFreeUp, tip, level, text);
        const double freeUp = Seconds(std::chrono::steady_clock::now() - freeUpStart);

        const std::size_t bytes = static_cast<std::size_t>(megabytes) << 20;
        const auto memsetStart = std::chrono::steady_clock::now();
        {
            const std::unique_ptr<char, decltype(&std::free)> plain(static_cast<char*>(std::malloc(bytes)), &std::free);
            if (!plain)
                return 1;
            std::memset(plain.get(), ' ', bytes);
            if (plain.get()[bytes / 2] != ' ')
                return 1;
        }
        const double plain = Seconds(std::chrono::steady_clock::now() - memsetStart);
        std::printf("free-up %d MB: %.0f MB/s; memset of the same size: %.0f MB/s\n", megabytes, megabytes / freeUp,
            megabytes / plain);
    }
    return 0;
}
