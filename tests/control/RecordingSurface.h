#pragma once
// A drawing surface that keeps what Refresh painted, for the tests to look at.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/MemoryViewer.h"

namespace dralith_test {

class RecordingSurface : public dralith::GraphSurface {
public:
    void clear(dralith::Colour background) override
    {
        background_ = background;
        lines.clear();
        ++clears;
    }
    void drawLine(const dralith::GraphLine& line) override { lines.push_back(line); }
    void setCaption(std::string_view text) override { caption = std::string(text); }

    dralith::Colour background() const { return background_.value(); }

    std::vector<dralith::GraphLine> lines;
    std::optional<std::string> caption; // nothing until Refresh writes one
    int clears = 0;

private:
    std::optional<dralith::Colour> background_;
};

// Allocates nothing once its buffer is big enough: for the steady-tick allocation test.
class CountingSurface : public dralith::GraphSurface {
public:
    void clear(dralith::Colour) override { lines = 0; }
    void drawLine(const dralith::GraphLine&) override { ++lines; }
    void setCaption(std::string_view text) override { captionLength = text.size(); }
    int lines = 0;
    std::size_t captionLength = 0;
};

} // namespace dralith_test
