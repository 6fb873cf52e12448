#include "tests/e2e/common/ScratchFolder.h"

#include <windows.h>

#include "win32kit/Handles.h"

namespace e2e {

ScratchFolder::ScratchFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, temp) == 0)
        return;
    path_ = std::string(temp) + "tolvane-e2e-" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(GetTickCount());
    ok_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
}

ScratchFolder::~ScratchFolder()
{
    if (!ok_)
        return;
    for (const std::string& file : files_)
        DeleteFileA(PathOf(file).c_str());
    RemoveDirectoryA(path_.c_str());
}

bool ScratchFolder::CopyIn(const std::string& source, const std::string& fileName)
{
    if (!ok_ || !CopyFileA(source.c_str(), PathOf(fileName).c_str(), FALSE))
        return false;
    files_.push_back(fileName);
    return true;
}

bool ScratchFolder::WriteFile(const std::string& fileName, const std::vector<unsigned char>& bytes)
{
    if (!ok_)
        return false;
    win32kit::UniqueKernelHandle file(CreateFileA(
        PathOf(fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    files_.push_back(fileName);
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
}

} // namespace e2e
