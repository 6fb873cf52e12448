#pragma once
// Where a probe leaves its pictures, and the handshake that lets the runner script take a real
// screenshot at a chosen moment: the probe creates "<name>.ready" and waits (answering its
// windows' messages) until the script has written "<name>.done".
#include <optional>
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
    // Hands one line to the runner script, which acts outside Wine (a server of the tests, say);
    // what it printed, or nullopt when nobody answered in time.
    std::optional<std::string> AskHost(const std::string& name, const std::string& request, int timeoutMs = 20000);
    // Saves a capture as "<name>.bmp"; the path written, or "" when disabled or failed.
    std::string SaveImage(const std::string& name, const e2e::Image& image);

private:
    std::string folder_;
};

} // namespace bar_probe
