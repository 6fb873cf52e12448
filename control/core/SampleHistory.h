#pragma once
// The samples the graph shows, newest first, at most the data length long. A ring buffer that
// grows only while the history itself grows, so a steady tick never allocates.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dralith {

class SampleHistory {
public:
    // Puts the sample in front and cuts the history to its first `limit` entries
    // (a lowered limit shortens it here, at the next push).
    void push(std::uint8_t sample, std::size_t limit);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Index 0 is the newest sample; index < size().
    std::uint8_t newestFirst(std::size_t index) const;
    // Index 0 is the oldest sample (the left edge of the graph); index < size().
    std::uint8_t oldestFirst(std::size_t index) const { return ring_[(start_ + index) % ring_.size()]; }

    // Calls visit(sample) for every sample, oldest first, without index arithmetic per sample.
    template <class Visitor> void visitOldestFirst(Visitor&& visit) const
    {
        const std::size_t capacity = ring_.size();
        const std::size_t firstRun = count_ < capacity - start_ ? count_ : capacity - start_;
        for (std::size_t i = 0; i < firstRun; ++i)
            visit(ring_[start_ + i]);
        for (std::size_t i = 0; i < count_ - firstRun; ++i)
            visit(ring_[i]);
    }

    void clear();
    // Room for `samples` entries without further allocation.
    void reserve(std::size_t samples);

private:
    void growTo(std::size_t capacity);

    std::vector<std::uint8_t> ring_; // oldest entry at start_
    std::size_t start_ = 0;
    std::size_t count_ = 0;
};

} // namespace dralith
