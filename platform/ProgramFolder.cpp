#include "platform/ProgramFolder.h"

namespace platform {

std::string FileBesideProgram(std::string_view executablePath, std::string_view name)
{
    const std::size_t slash = executablePath.find_last_of("\\/");
    std::string path(slash == std::string_view::npos ? std::string_view() : executablePath.substr(0, slash));
    if (path.empty() || (path.back() != '\\' && path.back() != '/'))
        path += '\\';
    return path.append(name);
}

} // namespace platform
