#pragma once
// Where a probe leaves its pictures, and the handshake that lets the runner script take a real
// screenshot at a chosen moment: the probe creates "<name>.ready" and waits (answering its
// windows' messages) until the script has written "<name>.done".
#include <string>

#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

class Artifacts {
public:
    explicit Artifacts(std::string folder)
        : folder_(std::move(folder))
    {
    }
    bool enabled() const { return !folder_.empty(); }
    // Asks the runner for a screenshot named `name`; false when nobody answered in time.
    bool RequestScreenshot(const std::string& name);
    // Saves a capture as "<name>.bmp"; the path written, or "" when disabled or failed.
    std::string SaveImage(const std::string& name, const e2e::Image& image);

private:
    std::string folder_;
};

} // namespace bar_probe
