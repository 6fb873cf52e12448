#pragma once
// A private folder under the temp directory that removes itself and its files, so a program
// under test can be run from a place where side files are put beside it.
#include <string>
#include <vector>

namespace e2e {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }
    std::string PathOf(const std::string& fileName) const { return path_ + "\\" + fileName; }

    // Copies a file in under a new name; false when it cannot.
    bool CopyIn(const std::string& source, const std::string& fileName);
    bool WriteFile(const std::string& fileName, const std::vector<unsigned char>& bytes);

private:
    std::string path_;
    std::vector<std::string> files_;
    bool ok_ = false;
};

} // namespace e2e
