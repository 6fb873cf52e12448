#include "platform/win32/Win32Files.h"

#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <algorithm>

namespace platform::win32 {

namespace {

UniqueKernelHandle openForReading(const std::string& path)
{
    return UniqueKernelHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The folder part of a path, with its separator; "" for a bare name.
std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

WriteStatus statusOf(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return WriteStatus::Denied;
    default:
        return WriteStatus::Failed;
    }
}

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, 1u << 30);
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, static_cast<DWORD>(chunk), &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return FlushFileBuffers(file) != 0;
}

// A file of its own in the target's folder (so the rename stays on one volume), removed again
// unless it was renamed over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
    {
        const std::string folder = folderOf(target);
        char name[MAX_PATH + 1] = {};
        if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tvx", 0, name) != 0)
            path_ = name;
    }
    ~TemporaryFile()
    {
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    void renamed() { path_.clear(); }

private:
    std::string path_;
};

} // namespace

bool Win32Files::exists(const std::string& path)
{
    return static_cast<bool>(openForReading(path));
}

ReadResult Win32Files::read(const std::string& path, std::size_t maxBytes)
{
    ReadResult result;
    const UniqueKernelHandle file = openForReading(path);
    if (!file) {
        result.status = isMissing(GetLastError()) ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    char chunk[64 * 1024];
    while (result.bytes.size() < maxBytes) {
        const std::size_t wanted = std::min(sizeof chunk, maxBytes - result.bytes.size());
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, static_cast<DWORD>(wanted), &read, nullptr)) {
            result.bytes.clear();
            result.status = ReadStatus::Unreadable;
            return result;
        }
        if (read == 0)
            break;
        result.bytes.append(chunk, read);
    }
    result.status = ReadStatus::Ok;
    return result;
}

WriteStatus Win32Files::write(const std::string& path, const std::string& bytes)
{
    // A read-only file is the user's word that it must not change. Windows refuses to rename over
    // one; Wine would not, so it is asked first.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return WriteStatus::Denied;
    TemporaryFile temporary(path);
    if (temporary.path().empty())
        return statusOf(GetLastError());
    {
        const UniqueKernelHandle file(CreateFileA(
            temporary.path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return statusOf(GetLastError());
        if (!writeAll(file.get(), bytes))
            return WriteStatus::Failed;
    }
    if (!MoveFileExA(temporary.path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return statusOf(GetLastError());
    temporary.renamed();
    return WriteStatus::Ok;
}

} // namespace platform::win32
