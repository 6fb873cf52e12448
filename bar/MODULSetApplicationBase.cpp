#include "bar/MODULSetApplicationBase.h"

namespace bar::MODULSetApplicationBase {

namespace {
std::string g_appBasePath;

// The file name without its extension, as the platform's own app title reports it.
std::string_view NameWithoutExtension(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}
} // namespace

std::string ComputeAppBasePath(std::string_view executablePath)
{
    const auto slash = executablePath.find_last_of("\\/");
    std::string folder(slash == std::string_view::npos ? std::string_view() : executablePath.substr(0, slash));
    std::string_view name =
        NameWithoutExtension(slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1));

    // The folder without its separator; a drive root ("C:") gets its backslash back like any other.
    folder += '\\';

    if (name.find('.') == std::string_view::npos)
        return folder + std::string(name);
    // Keep every dotted part but the last one.
    while (name.find('.') != std::string_view::npos) {
        const auto dot = name.find('.');
        folder.append(name.substr(0, dot + 1));
        name = name.substr(dot + 1);
    }
    folder.pop_back();
    return folder;
}

void SetApplicationBase(platform::System& system)
{
    g_appBasePath = ComputeAppBasePath(system.executablePath());
}

const std::string& AppBasePath()
{
    return g_appBasePath;
}

} // namespace bar::MODULSetApplicationBase
