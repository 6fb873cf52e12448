#include "tests/e2e/bar/Artifacts.h"

#include <windows.h>

#include <cstdio>

#include "tests/e2e/common/Poll.h"

namespace bar_probe {

bool Artifacts::RequestScreenshot(const std::string& name)
{
    if (!enabled())
        return false;
    const std::string ready = folder_ + "\\" + name + ".ready";
    const std::string done = folder_ + "\\" + name + ".done";
    DeleteFileA(done.c_str());
    if (FILE* f = std::fopen(ready.c_str(), "w"))
        std::fclose(f);
    const bool answered =
        e2e::WaitFor(20000, [&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
    DeleteFileA(ready.c_str());
    DeleteFileA(done.c_str());
    return answered;
}

std::string Artifacts::SaveImage(const std::string& name, const e2e::Image& image)
{
    if (!enabled())
        return "";
    const std::string path = folder_ + "\\" + name + ".bmp";
    return e2e::SaveBmp(image, path) ? path : "";
}

} // namespace bar_probe
