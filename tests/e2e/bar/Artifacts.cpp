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

std::optional<std::string> Artifacts::AskHost(const std::string& name, const std::string& request, int timeoutMs)
{
    if (!enabled())
        return std::nullopt;
    const std::string asked = folder_ + "\\" + name + ".host";
    const std::string answer = folder_ + "\\" + name + ".answer";
    DeleteFileA(answer.c_str());
    // Written under another name and renamed, so the runner never reads half a request.
    const std::string writing = asked + ".tmp";
    if (FILE* f = std::fopen(writing.c_str(), "w")) {
        std::fprintf(f, "%s\n", request.c_str());
        std::fclose(f);
    }
    if (!MoveFileExA(writing.c_str(), asked.c_str(), MOVEFILE_REPLACE_EXISTING))
        return std::nullopt;
    if (!e2e::WaitFor(timeoutMs, [&] { return GetFileAttributesA(answer.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        return std::nullopt;
    std::string text;
    if (FILE* f = std::fopen(answer.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, f))
            text += line;
        std::fclose(f);
    }
    DeleteFileA(answer.c_str());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string Artifacts::SaveImage(const std::string& name, const e2e::Image& image)
{
    if (!enabled())
        return "";
    const std::string path = folder_ + "\\" + name + ".bmp";
    return e2e::SaveBmp(image, path) ? path : "";
}

} // namespace bar_probe
